#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <functional>
#include <string>

class QLocalServer;
class QLocalSocket;

namespace curvix {

// The per-user socket name a running program listens on, "<program>-<uid>":
// in $XDG_RUNTIME_DIR when that is set, else in the temporary folder.
QString OpenRequestSocketName(const QString& program);

// The longest request line, line feed included. Longer requests are
// dropped: a path beyond this is no path a shell hands over.
inline constexpr int kOpenRequestMaxLength = 4096;

// Listens for "open <absolute path>\n" from other programs (a file manager,
// a script). The path is bytes, as the file system has them. A path that
// can be read as a document is answered "ok\n" and handed to the handler;
// any other gets "error <message>\n" (a missing file, a folder, a pipe...)
// and is not opened. A request whose answer cannot be delivered is
// dropped. Anything else - too long, no line feed, a NUL byte, a relative
// path, another verb - closes the connection unanswered. Runs on the event loop of the thread
// creating it; the handler is called from that loop after the answer went out, and must not delete
// the server directly (deleteLater is fine).
class COpenRequestServer : public QObject {
public:
    using Handler = std::function<void(const std::string& path)>;

    explicit COpenRequestServer(Handler handler, QObject* parent = nullptr);
    ~COpenRequestServer() override;

    // Starts listening, user-only access. A socket left behind by a crashed
    // instance (nobody answers on it) is replaced; false when another
    // instance is listening or the socket cannot be made.
    bool Listen(const QString& name);
    QString FullServerName() const;

protected:
    bool event(QEvent* event) override;

private:
    void OnNewConnection();
    void OnReadyRead(QLocalSocket* socket);

    Handler m_handler;
    QLocalServer* m_pServer;
};

// Checks a received request line (without its line feed); the path, or an
// empty string when the line is not a valid request.
std::string ParseOpenRequest(const QByteArray& line);

} // namespace curvix
