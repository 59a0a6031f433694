#include "CurvixResources.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <dlfcn.h>
#include <fstream>
#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

// Keeps every shared library loaded until the process ends, so that the
// leak checker can still name the one-time allocations of the drivers and
// plugins that Qt and OpenGL would otherwise unload at exit (lsan.supp).
void PinLoadedLibraries() {
    std::ifstream maps("/proc/self/maps");
    std::set<std::string> seen;
    std::string line;
    while (std::getline(maps, line)) {
        const auto slash = line.find('/');
        if (slash == std::string::npos || line.find(".so", slash) == std::string::npos)
            continue;
        const std::string path = line.substr(slash);
        if (seen.insert(path).second)
            dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
    }
}

} // namespace

// Listing the tests needs no display; running them needs a QApplication.
int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (::testing::GTEST_FLAG(list_tests))
        return RUN_ALL_TESTS();
    // The program registers itself with the desktop and listens for open
    // requests at every start: here in folders of this run's own.
    QTemporaryDir desktop;
    for (const char* name : {"XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_RUNTIME_DIR"}) {
        const QString folder = desktop.filePath(QString::fromLatin1(name));
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                          QFileDevice::ExeOwner);
        qputenv(name, QFile::encodeName(folder));
    }
    QApplication app(argc, argv);
    curvix::AfxSetResourceTable(&curvix::GetCurvixResources());
    const int result = RUN_ALL_TESTS();
    PinLoadedLibraries();
    return result;
}
