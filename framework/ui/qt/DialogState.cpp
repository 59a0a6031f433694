#include "DialogState.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <sys/stat.h>
#include <unistd.h>

namespace curvix {
namespace {

// QFileDialog opens QSettings(UserScope, "QtProject"), always in the
// native format.
void SetUserSettingsFolder(const QString& folder) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
}

} // namespace

DialogStateOutOfHome::DialogStateOutOfHome() {
    QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || !QDir::isAbsolutePath(runtime))
        runtime = QDir::tempPath();
    const QString folder = runtime + QStringLiteral("/curvix-dialogs-%1").arg(getuid());
    // Only the user may read the dialogs' history, in a shared /tmp too.
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    SetUserSettingsFolder(folder);
}

DialogStateOutOfHome::~DialogStateOutOfHome() {
    // Qt's own per-user folder: the XDG configuration folder.
    SetUserSettingsFolder(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

} // namespace curvix
