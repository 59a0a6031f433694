#include "OpenRequestServer.h"

#include "FileErrors.h"
#include "ReadFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QEvent>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTimer>
#include <unistd.h>

namespace curvix {
namespace {

// A client that connects and says nothing must not hold its connection.
constexpr int kRequestTimeoutMs = 5000;
// Time for a live instance to accept a connection during the stale check.
constexpr int kProbeTimeoutMs = 500;

const char kRequestPrefix[] = "open ";

// A request accepted and answered, waiting for the event loop.
struct OpenRequestEvent : QEvent {
    explicit OpenRequestEvent(std::string requested) : QEvent(Type()), path(std::move(requested)) {}
    static QEvent::Type Type() {
        static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
        return type;
    }
    std::string path;
};

// The answer to a well-formed request: "ok" for a file that can be read as
// a document, else "error" with the reason. Checked here, before the
// answer, so that the program only ever opens what it has promised to.
QByteArray AnswerFor(const std::string& path) {
    CReadFile file;
    if (file.Open(path))
        return QByteArrayLiteral("ok\n");
    return "error " + QByteArray::fromStdString(OpenErrorText(file, path)) + "\n";
}

bool SomeoneListens(const QString& name) {
    QLocalSocket probe;
    probe.connectToServer(name);
    const bool live = probe.waitForConnected(kProbeTimeoutMs);
    probe.abort();
    return live;
}

} // namespace

QString OpenRequestSocketName(const QString& program) {
    QString name = QStringLiteral("%1-%2").arg(program).arg(::getuid());
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (QDir::isAbsolutePath(runtime) && QDir(runtime).exists())
        return QDir(runtime).filePath(name);
    return name;
}

std::string ParseOpenRequest(const QByteArray& line) {
    if (!line.startsWith(kRequestPrefix) || line.contains('\0'))
        return {};
    const QByteArray bytes = line.mid(static_cast<qsizetype>(sizeof kRequestPrefix) - 1);
    if (!bytes.startsWith('/'))
        return {};
    return bytes.toStdString();
}

COpenRequestServer::COpenRequestServer(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler)), m_pServer(new QLocalServer(this)) {
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_pServer, &QLocalServer::newConnection, this, [this] { OnNewConnection(); });
}

COpenRequestServer::~COpenRequestServer() = default;

bool COpenRequestServer::Listen(const QString& name) {
    // With access options Qt binds elsewhere and renames the socket over
    // the name, so a live instance has to be looked for before listening.
    if (SomeoneListens(name))
        return false;
    QLocalServer::removeServer(name);
    return m_pServer->listen(name);
}

QString COpenRequestServer::FullServerName() const {
    return m_pServer->fullServerName();
}

void COpenRequestServer::OnNewConnection() {
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        socket->setReadBufferSize(kOpenRequestMaxLength);
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
        auto* timeout = new QTimer(socket);
        timeout->setSingleShot(true);
        connect(timeout, &QTimer::timeout, socket, &QLocalSocket::abort);
        timeout->start(kRequestTimeoutMs);
        if (socket->bytesAvailable() > 0)
            OnReadyRead(socket);
    }
}

void COpenRequestServer::OnReadyRead(QLocalSocket* socket) {
    if (socket->property("curvixDone").toBool()) {
        socket->readAll(); // one request per connection
        return;
    }
    // peek, so that nothing beyond the request's line feed is consumed and
    // nothing beyond the cap is ever buffered here
    const QByteArray head = socket->peek(kOpenRequestMaxLength);
    const qsizetype end = head.indexOf('\n');
    if (end < 0) {
        if (head.size() >= kOpenRequestMaxLength)
            socket->abort();
        return;
    }
    socket->setProperty("curvixDone", true);
    const std::string path = ParseOpenRequest(socket->read(end + 1).chopped(1));
    if (path.empty()) {
        socket->abort();
        return;
    }
    // The requester counts on an open only when it got the answer; one that
    // gave up meanwhile may ask elsewhere, so its request is dropped.
    const QByteArray answer = AnswerFor(path);
    const bool answered =
        socket->write(answer) == answer.size() && socket->flush() && socket->bytesToWrite() == 0;
    socket->disconnectFromServer();
    if (!answered || !answer.startsWith("ok"))
        return;
    // Opening may show message boxes; run it from the event loop, not from
    // inside this socket's signal.
    QCoreApplication::postEvent(this, new OpenRequestEvent(path));
}

bool COpenRequestServer::event(QEvent* event) {
    if (event->type() != OpenRequestEvent::Type())
        return QObject::event(event);
    if (m_handler)
        m_handler(static_cast<OpenRequestEvent*>(event)->path);
    return true;
}

} // namespace curvix
