#include "OpenRequestServer.h"

#include "CoreApp.h"
#include "OpenRequestClient.h"

#include <QTemporaryDir>
#include <cstring>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace curvix {
namespace {

class OpenRequestServerTest : public testing::Test {
protected:
    void SetUp() override {
        test::CoreApp();
        ASSERT_TRUE(m_folder.isValid());
        m_name = m_folder.filePath(QStringLiteral("curvix-test"));
    }

    QByteArray Exchange(const QByteArray& request) {
        return test::WhileProcessingEvents(
            [this, request] { return test::ExchangeWithServer(m_name, request); });
    }

    bool Send(const QString& path) {
        return test::WhileProcessingEvents(
            [this, path] { return test::SendOpenRequest(path, 5000, m_name); });
    }

    void Opened(const std::string& path) { m_opened << QString::fromStdString(path); }

    // An empty document file in the test's folder: only a path that can be
    // read is accepted.
    QString Document(const QString& name) {
        const QString path = m_folder.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return path;
    }

    QTemporaryDir m_folder;
    QString m_name;
    QStringList m_opened;
};

TEST_F(OpenRequestServerTest, OpensTheRequestedPath) {
    COpenRequestServer server([this](const std::string& path) { Opened(path); });
    ASSERT_TRUE(server.Listen(m_name));
    const QString blank = Document(QStringLiteral("plot one.cvx"));
    const QString greek = Document(QStringLiteral("\u03c0.cvx"));
    EXPECT_TRUE(Send(blank));
    EXPECT_TRUE(Send(greek));
    EXPECT_EQ(m_opened, (QStringList{blank, greek}));
}

TEST_F(OpenRequestServerTest, RelativePathIsSentAbsolute) {
    COpenRequestServer server([this](const std::string& path) { Opened(path); });
    ASSERT_TRUE(server.Listen(m_name));
    const QString path = Document(QStringLiteral("plot.cvx"));
    const QString previous = QDir::currentPath();
    QDir::setCurrent(m_folder.path());
    EXPECT_TRUE(Send(QStringLiteral("plot.cvx")));
    QDir::setCurrent(previous);
    EXPECT_EQ(m_opened, QStringList{path});
}

TEST_F(OpenRequestServerTest, SocketIsForTheUserOnly) {
    COpenRequestServer server([](const std::string&) {});
    ASSERT_TRUE(server.Listen(m_name));
    struct stat info {};
    ASSERT_EQ(::stat(server.FullServerName().toLocal8Bit().constData(), &info), 0);
    EXPECT_TRUE(S_ISSOCK(info.st_mode));
    EXPECT_EQ(info.st_mode & 077, 0u);
}

struct MalformedCase {
    const char* name;
    QByteArray request;
};

void PrintTo(const MalformedCase& c, std::ostream* os) {
    *os << c.name;
}

class MalformedRequestTest : public OpenRequestServerTest,
                             public testing::WithParamInterface<MalformedCase> {};

TEST_P(MalformedRequestTest, IsIgnoredAndClosed) {
    COpenRequestServer server([this](const std::string& path) { Opened(path); });
    ASSERT_TRUE(server.Listen(m_name));
    EXPECT_EQ(Exchange(GetParam().request), QByteArray());
    EXPECT_TRUE(m_opened.isEmpty());
    // the server still serves well-formed requests afterwards
    const QString after = Document(QStringLiteral("after.cvx"));
    EXPECT_TRUE(Send(after));
    EXPECT_EQ(m_opened, QStringList{after});
}

INSTANTIATE_TEST_SUITE_P(
    OpenRequest, MalformedRequestTest,
    testing::Values(
        MalformedCase{"RelativePath", "open plot.cvx\n"}, MalformedCase{"EmptyPath", "open \n"},
        MalformedCase{"OtherVerb", "print /tmp/a.cvx\n"},
        MalformedCase{"NoBlank", "open/tmp/a.cvx\n"},
        MalformedCase{"UpperCaseVerb", "OPEN /tmp/a.cvx\n"},
        MalformedCase{"NulByte", QByteArray("open /tmp/a\0b.cvx\n", 19)},
        MalformedCase{"TooLong", "open /" + QByteArray(kOpenRequestMaxLength, 'a') + "\n"},
        MalformedCase{"NoNewlineAtCap", "open /" + QByteArray(2 * kOpenRequestMaxLength, 'a')}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(OpenRequestServerTest, LongestRequestIsAcceptedAndOneByteMoreIsRefused) {
    COpenRequestServer server([this](const std::string& path) { Opened(path); });
    ASSERT_TRUE(server.Listen(m_name));
    // A real file, reached through "/." steps so that "open PATH\n" is the
    // longest request, line feed included.
    const QByteArray document = Document(QStringLiteral("doc.cvx")).toUtf8();
    const qsizetype length = kOpenRequestMaxLength - 6;
    const qsizetype padding = length - document.size();
    QByteArray path = padding % 2 != 0 ? "/" : "";
    path += QByteArray("/.").repeated(padding / 2) + document;
    ASSERT_EQ(path.size(), length);
    const QByteArray longest = "open " + path + "\n";
    ASSERT_EQ(longest.size(), kOpenRequestMaxLength);
    EXPECT_EQ(Exchange(longest), "ok\n");
    EXPECT_EQ(m_opened, QStringList{QString::fromLatin1(path)});
    // The same file one byte further away, sent raw: the server refuses it.
    m_opened.clear();
    const QByteArray over = "open /" + path + "\n";
    ASSERT_EQ(over.size(), kOpenRequestMaxLength + 1);
    EXPECT_EQ(Exchange(over), QByteArray());
    EXPECT_TRUE(m_opened.isEmpty());
}

TEST_F(OpenRequestServerTest, SilentClientIsCutOff) {
    COpenRequestServer server([this](const std::string& path) { Opened(path); });
    ASSERT_TRUE(server.Listen(m_name));
    EXPECT_EQ(Exchange("open /tmp/a.cvx"), QByteArray()); // no line feed ever
    EXPECT_TRUE(m_opened.isEmpty());
}

TEST_F(OpenRequestServerTest, RequestWhoseAnswerCannotBeDeliveredIsDropped) {
    COpenRequestServer server([this](const std::string& path) { Opened(path); });
    ASSERT_TRUE(server.Listen(m_name));
    QLocalSocket client; // asks, and is gone before the answer
    client.connectToServer(m_name);
    ASSERT_TRUE(client.waitForConnected(5000));
    client.write("open /tmp/gone.cvx\n");
    ASSERT_TRUE(client.waitForBytesWritten(5000));
    client.abort();
    for (const QDeadlineTimer deadline(300); !deadline.hasExpired();)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QCoreApplication::sendPostedEvents();
    EXPECT_TRUE(m_opened.isEmpty());
    EXPECT_TRUE(Send(Document(QStringLiteral("after.cvx"))));
}

TEST_F(OpenRequestServerTest, NothingListensMeansNotAccepted) {
    EXPECT_FALSE(test::SendOpenRequest(QStringLiteral("/tmp/a.cvx"), 1000, m_name));
}

TEST_F(OpenRequestServerTest, SecondServerOnTheSameNameFails) {
    COpenRequestServer first([](const std::string&) {});
    ASSERT_TRUE(first.Listen(m_name));
    COpenRequestServer second([](const std::string&) {});
    EXPECT_FALSE(second.Listen(m_name));
    EXPECT_TRUE(QFileInfo::exists(m_name)); // the live socket was not removed
}

TEST_F(OpenRequestServerTest, StaleSocketIsCleanedAway) {
    // a socket file with nobody behind it, as a crashed instance leaves it
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(fd, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    const QByteArray path = m_name.toLocal8Bit();
    ASSERT_LT(static_cast<std::size_t>(path.size()), sizeof address.sun_path);
    std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
    ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ::close(fd);
    ASSERT_TRUE(QFileInfo::exists(m_name));

    COpenRequestServer server([this](const std::string& path) { Opened(path); });
    ASSERT_TRUE(server.Listen(m_name));
    const QString document = Document(QStringLiteral("b.cvx"));
    EXPECT_TRUE(Send(document));
    EXPECT_EQ(m_opened, QStringList{document});
}

TEST(OpenRequestSocketName, IsPerUser) {
    const QString name = OpenRequestSocketName(QStringLiteral("curvix"));
    EXPECT_TRUE(name.endsWith(QStringLiteral("curvix-%1").arg(::getuid()))) << name.toStdString();
}

struct ParseCase {
    QByteArray line;
    std::string path;
};

TEST(ParseOpenRequest, AcceptsOnlyAbsolutePaths) {
    for (const ParseCase& c :
         {ParseCase{"open /a", "/a"}, ParseCase{"open /a b\r", "/a b\r"}, ParseCase{"open a", ""},
          ParseCase{"open", ""}, ParseCase{"", ""}, ParseCase{"open  /a", ""},
          ParseCase{"open /\xff\xfe.cvx", "/\xff\xfe.cvx"}})
        EXPECT_EQ(ParseOpenRequest(c.line), c.path) << c.line.toStdString();
}

} // namespace
} // namespace curvix
