#include "ReadFile.h"
#include "SaveFile.h"
#include "TestFiles.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <iterator>
#include <string>
#ifdef _WIN32
#include <share.h>
#endif

namespace curvix {
namespace {

using test::TempFolder;

// Counted, not listed: a name outside the ANSI code page has no narrow
// spelling on Windows.
long EntryCount(const TempFolder& folder) {
    return static_cast<long>(std::distance(std::filesystem::directory_iterator(folder.Path()),
                                           std::filesystem::directory_iterator()));
}

std::filesystem::path Utf8Path(const std::string& path) {
    return std::filesystem::path(std::u8string(path.begin(), path.end()));
}

bool Save(const std::string& path, const std::string& text) {
    CSaveFile file;
    return file.Open(path) && std::fputs(text.c_str(), file.File()) >= 0 && file.Commit();
}

std::string Read(const std::string& path) {
    CReadFile file;
    if (!file.Open(path)) {
        return "(refused)";
    }
    std::string text(static_cast<std::size_t>(file.Size()), '\0');
    text.resize(std::fread(text.data(), 1, text.size(), file.File()));
    return text;
}

TEST(SaveAndReadFileTest, WideCharacterNamesAreUtf8) {
    const TempFolder folder;
    const std::string path = folder.File("Kurve \xC3\xA4\xC3\xB6 \xE6\x9B\xB2\xE7\xBA\xBF.cvx");
    ASSERT_TRUE(Save(path, "first"));
    ASSERT_TRUE(Save(path, "second"));
    EXPECT_TRUE(std::filesystem::is_regular_file(Utf8Path(path)));
    EXPECT_EQ(Read(path), "second");
    EXPECT_EQ(EntryCount(folder), 1); // no temporary left
}

TEST(SaveAndReadFileTest, CancelKeepsTheOldFile) {
    const TempFolder folder;
    const std::string path = folder.File("old.cvx");
    ASSERT_TRUE(Save(path, "old"));
    {
        CSaveFile file;
        ASSERT_TRUE(file.Open(path));
        std::fputs("new", file.File());
    }
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(EntryCount(folder), 1);
}

TEST(SaveAndReadFileTest, RefusedPathsSayWhy) {
    const TempFolder folder;
#ifdef _WIN32
    const std::string device = "NUL";
#else
    const std::string device = "/dev/null";
#endif
    const struct {
        std::string path;
        int saveError;
        ReadRefusal refusal;
        int readError;
    } cases[] = {
        {folder.File("missing.cvx"), 0, ReadRefusal::systemError, ENOENT},
        {folder.File("no/such.cvx"), ENOENT, ReadRefusal::systemError, ENOENT},
        {folder.Path(), EISDIR, ReadRefusal::directory, EISDIR},
        {device, 0, ReadRefusal::notRegularFile, 0},
    };
    for (const auto& c : cases) {
        CReadFile reader;
        EXPECT_FALSE(reader.Open(c.path)) << c.path;
        EXPECT_EQ(reader.GetRefusal(), c.refusal) << c.path;
        EXPECT_EQ(reader.GetSystemError(), c.readError) << c.path;
        if (c.saveError != 0) {
            CSaveFile saver;
            EXPECT_FALSE(saver.Open(c.path)) << c.path;
            EXPECT_EQ(saver.GetSystemError(), c.saveError) << c.path;
        }
    }
    EXPECT_EQ(EntryCount(folder), 0);
}

#ifdef _WIN32
TEST(SaveAndReadFileTest, SaveOverAFileHeldOpenFailsAndKeepsIt) {
    const TempFolder folder;
    const std::string path = folder.File("held.cvx");
    ASSERT_TRUE(Save(path, "old"));
    std::FILE* held = _wfsopen(Utf8Path(path).c_str(), L"rb", _SH_DENYRW);
    ASSERT_NE(held, nullptr);
    CSaveFile file;
    ASSERT_TRUE(file.Open(path));
    std::fputs("new", file.File());
    EXPECT_FALSE(file.Commit());
    EXPECT_EQ(file.GetSystemError(), EACCES);
    std::fclose(held);
    EXPECT_EQ(Read(path), "old");
    EXPECT_EQ(EntryCount(folder), 1);
}
#endif

} // namespace
} // namespace curvix
