#include "DialogState.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <sys/stat.h>
#include <unistd.h>

namespace curvix {

void KeepDialogStateOutOfHome() {
    static const bool kept = [] {
        QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (runtime.isEmpty() || !QDir::isAbsolutePath(runtime))
            runtime = QDir::tempPath();
        const QString folder = runtime + QStringLiteral("/curvix-dialogs-%1").arg(getuid());
        // Only the user may read the dialogs' history, in a shared /tmp too.
        ::mkdir(QFile::encodeName(folder).constData(), 0700);
        // QFileDialog opens QSettings(UserScope, "QtProject") in the default
        // format; the program's own settings name NativeFormat and stay.
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
        QSettings::setDefaultFormat(QSettings::IniFormat);
        return true;
    }();
    static_cast<void>(kept);
}

} // namespace curvix
