#include "OpenRequestServer.h"
#include "ShellOpen.h"

// On Linux the channel is a local socket in the runtime folder.

namespace curvix {

namespace {

class SocketShellOpenServer : public CShellOpenServer {
public:
    explicit SocketShellOpenServer(Handler handler) : m_server(std::move(handler)) {}

    bool Listen(const std::string& program) override {
        return m_server.Listen(OpenRequestSocketName(QString::fromStdString(program)));
    }

    std::string GetListeningName() const override {
        return m_server.FullServerName().toStdString();
    }

private:
    COpenRequestServer m_server;
};

} // namespace

std::unique_ptr<CShellOpenServer> AfxCreateShellOpenServer(CShellOpenServer::Handler handler) {
    return std::make_unique<SocketShellOpenServer>(std::move(handler));
}

} // namespace curvix
