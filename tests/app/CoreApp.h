#pragma once

#include <QCoreApplication>

namespace curvix::test {

// The one application object the Qt event loop and processes need; made on
// first use so that the plain gtest main serves these tests.
inline QCoreApplication& CoreApp() {
    static int argc = 1;
    static char name[] = "curvix-tests-shell";
    static char* argv[] = {name, nullptr};
    static QCoreApplication* app =
        QCoreApplication::instance() ? nullptr : new QCoreApplication(argc, argv);
    return app ? *app : *QCoreApplication::instance();
}

} // namespace curvix::test
