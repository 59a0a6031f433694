// curvix-rc OUTDIR: writes the program's resource script curvix.rc, made
// from its resource table, and the icon, bitmap and manifest files the
// script names, into OUTDIR.

#include "CurvixIdentity.h"
#include "CurvixRc.h"
#include "CurvixResources.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

namespace {

bool WriteWhole(const std::string& path, const std::string& contents, std::string& cause) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        cause = std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(contents.data(), 1, contents.size(), file) == contents.size();
    const int writeError = errno;
    if (std::fclose(file) != 0 || !written) {
        cause = std::strerror(written ? errno : writeError);
        std::remove(path.c_str());
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: curvix-rc OUTDIR\n", stderr);
        return 2;
    }
    std::vector<curvix::GeneratedFile> files;
    std::string error;
    const std::string assemblyName = std::string(curvix::kCurvixOrganisation) + ".Curvix";
    if (!curvix::GenerateCurvixRc(curvix::GetCurvixResources(), assemblyName, files, error)) {
        std::fprintf(stderr, "curvix-rc: %s\n", error.c_str());
        return 1;
    }
    const std::string folder = argv[1];
    for (const curvix::GeneratedFile& file : files) {
        const std::string path = folder + "/" + file.name;
        std::string cause;
        if (!WriteWhole(path, file.contents, cause)) {
            std::fprintf(stderr, "curvix-rc: cannot write %s: %s\n", path.c_str(), cause.c_str());
            // Nothing of this run stays, nor a script of an earlier one.
            for (const curvix::GeneratedFile& made : files)
                std::remove((folder + "/" + made.name).c_str());
            return 1;
        }
    }
    return 0;
}
