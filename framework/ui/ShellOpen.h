#pragma once

#include <functional>
#include <memory>
#include <string>

namespace curvix {

// Where other programs ask the running program to open documents: a
// per-user channel named for the program, one listener at a time.
class CShellOpenServer {
public:
    using Handler = std::function<void(const std::string& path)>;

    virtual ~CShellOpenServer() = default;
    // Starts listening for program; false when another instance listens
    // or the channel cannot be made.
    virtual bool Listen(const std::string& program) = 0;
    // The channel's full name; empty before listening.
    virtual std::string GetListeningName() const = 0;
};

// The window system's channel; handler gets each requested path from the
// event loop.
std::unique_ptr<CShellOpenServer> AfxCreateShellOpenServer(CShellOpenServer::Handler handler);

} // namespace curvix
