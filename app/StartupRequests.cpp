#include "StartupRequests.h"

#include "CommandLineInfo.h"
#include "CurvixIdentity.h"

#include <cerrno>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace curvix {
namespace {

constexpr const char* kUsage =
    "usage: curvix [FILE.cvx]\n"
    "       curvix /p FILE.cvx\n"
    "       curvix /pt FILE.cvx PRINTER DRIVER PORT\n"
    "       curvix /dde\n"
    "       curvix /Unregister | /Unregserver [/Embedding]\n"
    "       curvix --help | --version\n"
    "Plots the graph of a function y = f(x). Switches start with / or -.\n"
    "  FILE.cvx      open this document instead of a new one\n"
    "  /p, /pt       open the document without a window and end; nothing is printed\n"
    "  /dde          wait up to 60 seconds for an open request from another program\n"
    "  /Unregister, /Unregserver\n"
    "                remove the desktop registration and the settings, then end\n"
    "  /Embedding    with /Unregister: say nothing, need no display\n"
    "  --help        print this help and end\n"
    "  --version     print the version and end\n";

} // namespace

std::optional<int> AnswerInformationRequest(int argc, const char* const* argv, std::ostream& out) {
    for (int i = 1; i < argc; ++i) {
        const bool help = std::strcmp(argv[i], "--help") == 0;
        if (!help && std::strcmp(argv[i], "--version") != 0)
            continue;
        errno = 0;
        if (help)
            out << kUsage << std::flush;
        else
            out << "curvix " << kCurvixVersion << '\n' << std::flush;
        if (out)
            return 0;
        std::cerr << "curvix: cannot write output: " << std::strerror(errno != 0 ? errno : EIO)
                  << '\n';
        return 1;
    }
    return std::nullopt;
}

bool RunsWithoutDisplay(int argc, const char* const* argv) {
    CCommandLineInfo info;
    info.ParseCommandLine(std::vector<std::string>(argv + 1, argv + argc));
    return info.m_nShellCommand == CCommandLineInfo::AppUnregister && info.m_bRunEmbedded;
}

} // namespace curvix
