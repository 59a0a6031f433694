#pragma once

#include "OpenRequestServer.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalSocket>
#include <QString>
#include <chrono>
#include <future>

namespace curvix::test {

// Runs fn on a thread of its own, as another program would act, while this
// thread keeps processing its events (the server's); fn's result.
template <typename Fn> auto WhileProcessingEvents(Fn fn) {
    auto result = std::async(std::launch::async, std::move(fn));
    const QDeadlineTimer deadline(20000);
    while (result.wait_for(std::chrono::seconds(0)) != std::future_status::ready &&
           !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    // the server hands paths on through the event queue
    QCoreApplication::sendPostedEvents();
    return result.get();
}

// Writes raw bytes to the open-request socket and returns all it answers
// before it closes the connection. Blocking: see WhileProcessingEvents.
inline QByteArray ExchangeWithServer(const QString& socketName, const QByteArray& request) {
    QLocalSocket socket;
    socket.connectToServer(socketName);
    if (!socket.waitForConnected(5000))
        return QByteArray("<no connection>");
    socket.write(request);
    socket.waitForBytesWritten(5000);
    QByteArray answer;
    while (socket.waitForReadyRead(8000))
        answer += socket.readAll();
    return answer + socket.readAll();
}

// Asks the instance listening on `name` to open `path` (made absolute), as
// a second start of the program would; true when it accepted within
// timeoutMs.
inline bool SendOpenRequest(const QString& path, int timeoutMs, const QString& name) {
    const QByteArray request = "open " + QFileInfo(path).absoluteFilePath().toUtf8() + "\n";
    if (request.size() > kOpenRequestMaxLength || request.count('\n') != 1)
        return false;
    const QDeadlineTimer deadline(timeoutMs);
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(static_cast<int>(deadline.remainingTime())))
        return false;
    socket.write(request);
    while (socket.bytesToWrite() > 0)
        if (!socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime())))
            return false;
    QByteArray answer;
    while (!answer.contains('\n') && answer.size() < 16) {
        if (socket.bytesAvailable() == 0 &&
            !socket.waitForReadyRead(static_cast<int>(deadline.remainingTime())))
            break;
        answer += socket.read(16 - answer.size());
    }
    return answer.startsWith("ok\n");
}

} // namespace curvix::test
