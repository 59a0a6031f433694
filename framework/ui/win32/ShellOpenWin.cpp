#include "ShellOpen.h"

// Other programs cannot yet ask the running program to open documents on
// Windows: the server never listens, and a start goes on without it.

namespace curvix {

namespace {

class NoShellOpenServer : public CShellOpenServer {
public:
    bool Listen(const std::string& /*program*/) override { return false; }
    std::string GetListeningName() const override { return {}; }
};

} // namespace

// The handler comes by value for the servers that keep it; this one never calls it.
// NOLINTNEXTLINE(performance-unnecessary-value-param)
std::unique_ptr<CShellOpenServer> AfxCreateShellOpenServer(CShellOpenServer::Handler /*handler*/) {
    return std::make_unique<NoShellOpenServer>();
}

} // namespace curvix
