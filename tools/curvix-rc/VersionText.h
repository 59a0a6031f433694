#pragma once

#include "ResourceTable.h"

#include <string>

namespace curvix {

// The version resource's statement: both versions as numbers and as the
// table's texts, the file type, and one English (US) Unicode string block
// with the translation that names it.
std::string RcVersionInfo(const VersionResource& version);

// The program's manifest: version 6 of the common controls, aware of every
// monitor's display scale, run with the caller's rights. assemblyName names the program
// ("Quenmark.Curvix").
std::string ManifestXml(const VersionResource& version, const std::string& assemblyName);

} // namespace curvix
