#include "CommandLineInfo.h"
#include "Profile.h"
#include "RecentFileList.h"
#include "ShownName.h"

#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

namespace curvix {
namespace {

TEST(CommandLineInfo, TableOfCommandLines) {
    using C = CCommandLineInfo;
    const struct {
        std::vector<std::string> arguments;
        C::ShellCommand command;
        std::string file;
        bool embedded;
    } cases[] = {
        {{}, C::FileNew, "", false},
        {{"plot.cvx"}, C::FileOpen, "plot.cvx", false},
        {{"/p", "plot.cvx"}, C::FilePrint, "plot.cvx", false},
        {{"-p", "plot.cvx"}, C::FilePrint, "plot.cvx", false},
        {{"/P", "plot.cvx"}, C::FileOpen, "plot.cvx", false}, // "p" only in lower case
        {{"/pt", "plot.cvx", "printer", "driver", "port"}, C::FilePrintTo, "plot.cvx", false},
        {{"/dde"}, C::FileDDE, "", false},
        {{"/DDE"}, C::FileNew, "", false},
        {{"/Unregister"}, C::AppUnregister, "", false},
        {{"-UNREGSERVER"}, C::AppUnregister, "", false},
        {{"/unregserver", "/embedding"}, C::AppUnregister, "", true},
        {{"/bogus", "a.cvx", "b.cvx"}, C::FileOpen, "a.cvx", false},
        {{"/home/ann/plot.cvx"}, C::FileOpen, "/home/ann/plot.cvx", false},
        {{"/plot.cvx"}, C::FileOpen, "/plot.cvx", false},
        {{"/p", "/tmp/plot.cvx"}, C::FilePrint, "/tmp/plot.cvx", false},
        {{"-"}, C::FileOpen, "-", false},
    };
    for (const auto& c : cases) {
        CCommandLineInfo info;
        info.ParseCommandLine(c.arguments);
        EXPECT_EQ(info.m_nShellCommand, c.command) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(info.m_strFileName, c.file) << ::testing::PrintToString(c.arguments);
        EXPECT_EQ(info.m_bRunEmbedded, c.embedded) << ::testing::PrintToString(c.arguments);
    }
    CCommandLineInfo printTo;
    printTo.ParseCommandLine({"/pt", "plot.cvx", "printer", "driver", "port"});
    EXPECT_EQ(printTo.m_strPrinterName, "printer");
    EXPECT_EQ(printTo.m_strDriverName, "driver");
    EXPECT_EQ(printTo.m_strPortName, "port");
}

TEST(AbbreviatePath, KeepsRootAndTrailingComponents) {
    const struct {
        std::string path;
        std::string shown;
    } cases[] = {
        {"/home/ann/plots/sine.cvx", "/home/ann/plots/sine.cvx"},
        {"/home/user/projects/curvix/plots/sine.cvx", "/.../curvix/plots/sine.cvx"},
        {"/home/user/a-very-long-folder-name/x.cvx", "/.../x.cvx"},
        {"/tmp/an-extremely-long-file-name-for-a-plot.cvx", "an-extremely-long-file-name..."},
        {"/tmp/a-file-name-of-27-chars.cvx",
         "a-file-name-of-27-chars.cvx"}, // "/.../" would not fit
#ifdef _WIN32
        // Windows' names: either slash, and the drive kept as the root.
        {"C:\\Users\\ann\\plots\\sine.cvx", "C:\\Users\\ann\\plots\\sine.cvx"},
        {"C:\\Users\\user\\projects\\curvix\\sine.cvx", "C:\\...\\curvix\\sine.cvx"},
        {"D:/data/projects/long-folder-name/x.cvx", "D:/.../long-folder-name/x.cvx"},
#endif
    };
    for (const auto& c : cases) {
        const std::string shown = AbbreviatePath(c.path, 30);
        EXPECT_EQ(shown, c.shown) << c.path;
        EXPECT_LE(shown.size(), 30U) << c.path;
    }
}

class MemoryProfile : public CProfile {
public:
    std::string GetString(const std::string& section, const std::string& entry,
                          const std::string& fallback) override {
        const auto found = values.find(section + "/" + entry);
        return found == values.end() ? fallback : found->second;
    }
    int GetInt(const std::string& section, const std::string& entry, int fallback) override {
        const auto found = values.find(section + "/" + entry);
        return found == values.end() ? fallback : std::stoi(found->second);
    }
    void WriteString(const std::string& section, const std::string& entry,
                     const std::string& value) override {
        values[section + "/" + entry] = value;
    }
    void WriteInt(const std::string& section, const std::string& entry, int value) override {
        values[section + "/" + entry] = std::to_string(value);
    }
    void RemoveSection(const std::string& section) override {
        std::erase_if(values,
                      [&](const auto& kv) { return kv.first.rfind(section + "/", 0) == 0; });
    }
    std::map<std::string, std::string> values;
};

TEST(RecentFileList, NewestFirstAtMostFour) {
    CRecentFileList list("Recent File List", "File%d", 4);
    for (const char* path : {"/d/1.cvx", "/d/2.cvx", "/d/3.cvx", "/d/4.cvx", "/d/5.cvx"}) {
        list.Add(path);
    }
    list.Add("/d/3.cvx"); // moves up, no duplicate
    EXPECT_EQ(list.Entries(),
              (std::vector<std::string>{"/d/3.cvx", "/d/5.cvx", "/d/4.cvx", "/d/2.cvx"}));

    MemoryProfile profile;
    profile.WriteString("Recent File List", "File7", "stale");
    list.WriteList(profile);
    EXPECT_EQ(profile.values,
              (std::map<std::string, std::string>{{"Recent File List/File1", "/d/3.cvx"},
                                                  {"Recent File List/File2", "/d/5.cvx"},
                                                  {"Recent File List/File3", "/d/4.cvx"},
                                                  {"Recent File List/File4", "/d/2.cvx"}}));

    list.Remove(1);
    CRecentFileList reread("Recent File List", "File%d", 4);
    reread.ReadList(profile);
    EXPECT_EQ(reread.Entries().size(), 4U);
    list.WriteList(profile);
    reread.ReadList(profile);
    EXPECT_EQ(reread.Entries(), (std::vector<std::string>{"/d/3.cvx", "/d/4.cvx", "/d/2.cvx"}));
}

TEST(RecentFileList, NamesThatAreNotUtf8SurviveTheSettings) {
    const std::vector<std::string> paths = {"/d/\xff\xfe.cvx", "/d/caf\xc3\xa9 %41.cvx",
                                            "/d/50%\x80 x.cvx", "/d/\xc0\xaf\n.cvx"};
    CRecentFileList list("Recent File List", "File%d", 4);
    for (auto path = paths.rbegin(); path != paths.rend(); ++path) {
        list.Add(*path);
    }
    MemoryProfile profile;
    list.WriteList(profile);
    // Valid UTF-8 is kept as it is; the rest is stored as printable text.
    EXPECT_EQ(profile.values["Recent File List/File2"], "/d/caf\xc3\xa9 %41.cvx");
    EXPECT_EQ(profile.values["Recent File List/File1"], "file:///d/%FF%FE.cvx");
    EXPECT_EQ(profile.values["Recent File List/File4"], "file:///d/%C0%AF%0A.cvx");
    CRecentFileList reread("Recent File List", "File%d", 4);
    reread.ReadList(profile);
    EXPECT_EQ(reread.Entries(), paths);
}

struct ShownCase {
    std::string name;
    std::string shown;
    bool utf8;
};

TEST(ShownFileName, EveryNameIsOnePrintableLine) {
    const ShownCase cases[] = {
        {"/tmp/plot one.cvx", "/tmp/plot one.cvx", true},
        {"a\nb\tc\x1b[2J\x7f", "a\\x0ab\\x09c\\x1b[2J\\x7f", true},
        {"caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x98\x80",
         true},
        {"\xc2\x9b"
         "1m\xc2\xa0",
         "\\xc2\\x9b1m\xc2\xa0", true},                      // C1 control, no-break space
        {"\xff\xc3", "\\xff\\xc3", false},                   // no lead byte, cut sequence
        {"\xc0\xaf", "\\xc0\\xaf", false},                   // overlong
        {"\xed\xa0\x80", "\\xed\\xa0\\x80", false},          // surrogate
        {"\xf4\x90\x80\x80", "\\xf4\\x90\\x80\\x80", false}, // beyond U+10FFFF
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShownFileName(c.name), c.shown);
        EXPECT_EQ(IsValidUtf8(c.name), c.utf8) << c.shown;
    }
}

TEST(RecentFileList, FileInTheCurrentFolderShowsItsNameAlone) {
    CRecentFileList list("Recent File List", "File%d", 4);
    list.Add("/home/ann/plots/sine.cvx");
    EXPECT_EQ(list.GetDisplayName(0, "/home/ann/plots"), "sine.cvx");
    EXPECT_EQ(list.GetDisplayName(0, "/home/ann/plots/"), "sine.cvx");
    EXPECT_EQ(list.GetDisplayName(0, "/home/ann"), "/home/ann/plots/sine.cvx");
    EXPECT_EQ(list.GetDisplayName(3, "/"), "");
#ifdef _WIN32
    list.Add("C:\\Users\\ann\\sine.cvx");
    list.Add("C:\\top.cvx");
    EXPECT_EQ(list.GetDisplayName(1, "C:\\Users\\ann"), "sine.cvx");
    EXPECT_EQ(list.GetDisplayName(1, "C:\\Users\\ann\\"), "sine.cvx");
    EXPECT_EQ(list.GetDisplayName(0, "C:\\"), "top.cvx");
    EXPECT_EQ(list.GetDisplayName(0, "C:\\Users"), "C:\\top.cvx");
#endif
}

} // namespace
} // namespace curvix
