#include "EventLoop.h"

#include <QCoreApplication>
#include <QStringList>
#include <QThread>

namespace curvix {

void AfxEndEventLoop(int exitCode) {
    if (QThread::currentThread()->loopLevel() > 0)
        QCoreApplication::exit(exitCode);
}

std::vector<std::string> AfxGetProcessArguments() {
    const QStringList all = QCoreApplication::arguments();
    std::vector<std::string> arguments;
    for (qsizetype i = 1; i < all.size(); ++i)
        arguments.push_back(all[i].toLocal8Bit().toStdString());
    return arguments;
}

} // namespace curvix
