// The desktop registration of a freedesktop (XDG) desktop: the files under
// the user's XDG folders, and the Wayland app id.
#include "DesktopRegistration.h"

#include "CurvixIdentity.h"
#include "ShellRegistration.h"

#include <QGuiApplication>

namespace curvix {

void IdentifyToDesktop() {
    // On Wayland the app id: the desktop finds our entry by it.
    QGuiApplication::setDesktopFileName(QLatin1String(kCurvixAppId));
}

void RegisterWithDesktop() {
    RegisterShellFileTypes(ShellPaths::ForThisProgram());
}

void UnregisterFromDesktop() {
    UnregisterShellFileTypes(ShellPaths::ForThisProgram());
}

} // namespace curvix
