#include "OpenRequestServer.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLocalSocket>

namespace curvix {

bool SendOpenRequest(const QString& path, int timeoutMs, const QString& name) {
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

} // namespace curvix
