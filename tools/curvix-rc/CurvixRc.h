#pragma once

#include "ResourceTable.h"

#include <string>
#include <vector>

namespace curvix {

struct GeneratedFile {
    std::string name; // in the output folder
    std::string contents;
};

// The resource script "curvix.rc" for the whole table, and the files it
// names beside it: one .ico per icon, one .bmp per bitmap and the manifest.
// curvix.rc comes last. assemblyName names the program in its manifest.
// False with the reason in error, naming the resource, when the table holds
// something a script or those files cannot.
bool GenerateCurvixRc(const ResourceTable& table, const std::string& assemblyName,
                      std::vector<GeneratedFile>& files, std::string& error);

} // namespace curvix
