#include "CoreApp.h"
#include "ShellRegistration.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace curvix {
namespace {

// The desktop's own tools, in a throwaway home, see what registration did.
class XdgMimeTest : public testing::Test {
protected:
    void SetUp() override {
        test::CoreApp();
        for (const char* tool : {"xdg-mime", "update-mime-database", "update-desktop-database",
                                 "desktop-file-validate", "gio"})
            if (QStandardPaths::findExecutable(QLatin1String(tool)).isEmpty())
                GTEST_SKIP() << tool << " is not installed (see scripts/packages.txt)";
        ASSERT_TRUE(m_home.isValid());
        m_paths.dataHome = m_home.filePath(QStringLiteral(".local/share"));
        m_paths.configHome = m_home.filePath(QStringLiteral(".config"));
        m_paths.program = QStringLiteral("/usr/bin/curvix");
        QFile document(m_home.filePath(QStringLiteral("plot.cvx")));
        ASSERT_TRUE(document.open(QIODevice::WriteOnly));
        document.write(QByteArray("\x03\0\0\0x^2\0", 8) + QByteArray(32, '\0'));
    }

    QString Run(const QString& program, const QStringList& arguments) {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("HOME"), m_home.path());
        environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        environment.insert(QStringLiteral("XDG_DATA_DIRS"), QStringLiteral("/usr/share"));
        environment.insert(QStringLiteral("XDG_CONFIG_DIRS"), QStringLiteral("/etc/xdg"));
        // GNOME mode makes xdg-mime ask GLib, which reads the shared MIME
        // database; the generic mode would ask file(1), which knows no globs
        environment.insert(QStringLiteral("XDG_CURRENT_DESKTOP"), QStringLiteral("GNOME"));
        environment.insert(QStringLiteral("GIO_USE_VFS"), QStringLiteral("local"));
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(30000)) << program.toStdString();
        return QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    }

    QString FileType() {
        return Run(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("filetype"),
                                                m_home.filePath(QStringLiteral("plot.cvx"))});
    }

    QString DefaultApplication() {
        return Run(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"),
                                                QLatin1String(kCurvixMimeType)});
    }

    QTemporaryDir m_home;
    ShellPaths m_paths;
};

TEST_F(XdgMimeTest, DesktopSeesTheTypeUntilUnregistered) {
    EXPECT_NE(FileType(), QLatin1String(kCurvixMimeType));
    EXPECT_EQ(DefaultApplication(), QString());

    RegisterShellFileTypes(m_paths);
    EXPECT_EQ(FileType(), QLatin1String(kCurvixMimeType));
    EXPECT_EQ(DefaultApplication(), QLatin1String(kCurvixDesktopId));

    UnregisterShellFileTypes(m_paths);
    EXPECT_NE(FileType(), QLatin1String(kCurvixMimeType));
    EXPECT_EQ(DefaultApplication(), QString());
}

TEST_F(XdgMimeTest, DesktopEntryIsValid) {
    RegisterShellFileTypes(m_paths);
    QProcess validate;
    validate.start(
        QStringLiteral("desktop-file-validate"),
        {m_paths.dataHome + QStringLiteral("/applications/") + QLatin1String(kCurvixDesktopId)});
    ASSERT_TRUE(validate.waitForFinished(30000));
    EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
    EXPECT_EQ(validate.readAllStandardOutput(), QByteArray());
}

} // namespace
} // namespace curvix
