// Until other programs can ask it to open documents on Windows, the server
// never listens and never calls its handler.

#include "ShellOpen.h"

#include <gtest/gtest.h>

namespace curvix {
namespace {

TEST(ShellOpenWinTest, NeverListens) {
    int requests = 0;
    const auto server = AfxCreateShellOpenServer([&](const std::string&) { ++requests; });
    ASSERT_NE(server, nullptr);
    EXPECT_EQ(server->GetListeningName(), "");
    EXPECT_FALSE(server->Listen("curvix"));
    EXPECT_FALSE(server->Listen("curvix"));
    EXPECT_EQ(server->GetListeningName(), "");
    EXPECT_EQ(requests, 0);
}

} // namespace
} // namespace curvix
