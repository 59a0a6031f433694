// The shell's execute commands: which open commands are taken, with their
// paths in UTF-8, and that anything else is refused whole; and how the
// text is read from the execute's memory.

#include "DdeCommandWin.h"

#include <cstring>
#include <gtest/gtest.h>

namespace curvix {
namespace {

using Paths = std::vector<std::string>;

struct Accepted {
    std::wstring command;
    Paths paths;
};

TEST(DdeCommandWinTest, TakesOpenCommandsWithTheirPaths) {
    const std::wstring longest(kDdeCommandMaxLength - 10, L'x');
    const Accepted cases[] = {
        {L"[open(\"C:\\doc.cvx\")]", {"C:\\doc.cvx"}},
        {L"[OPEN(\"C:\\dir with space\\doc.cvx\")]", {"C:\\dir with space\\doc.cvx"}},
        {L"[oPeN(\"C:\\Kurve-\u66f2\u7ebf.cvx\")]", {"C:\\Kurve-\xe6\x9b\xb2\xe7\xba\xbf.cvx"}},
        // A point beyond the first plane, as a surrogate pair.
        {L"[open(\"\\\\server\\\U0001d453.cvx\")]", {"\\\\server\\\xf0\x9d\x91\x93.cvx"}},
        {L" \t[open(\"a\")]\t ", {"a"}},
        {L"[open(\"a\")][open(\"b\")] [open(\"a\")]", {"a", "b", "a"}},
        // Brackets are path characters; the quote ends the path.
        {L"[open(\"a)]b[(\")]", {"a)]b[("}},
        {L"[open(\"" + longest + L"\")]", {std::string(longest.size(), 'x')}},
    };
    for (const Accepted& accepted : cases) {
        const auto paths = ParseDdeOpenCommand(accepted.command);
        ASSERT_TRUE(paths.has_value()) << testing::PrintToString(accepted.paths);
        EXPECT_EQ(*paths, accepted.paths);
    }
}

TEST(DdeCommandWinTest, RefusesEverythingElseWhole) {
    const std::wstring tooLong =
        L"[open(\"" + std::wstring(kDdeCommandMaxLength - 9, L'x') + L"\")]";
    const std::wstring refused[] = {
        L"",
        L"  \t",
        L"[open(C:\\doc.cvx)]",
        L"[open('C:\\doc.cvx')]",
        L"[open(\"a\")",
        L"[open(\"a\"",
        L"[open(\"a)]",
        L"[open(\"\")]",
        L"[open(\"a\"b\")]",
        L"[open(\"a\",\"b\")]",
        L"[print(\"a\")]",
        L"[printto(\"a\",\"printer\",\"driver\",\"port\")]",
        L"[opens(\"a\")]",
        L"[ope(\"a\")]",
        L"open(\"a\")",
        L"[open (\"a\")]",
        L"[ open(\"a\")]",
        L"[open( \"a\")]",
        L"[open(\"a\") ]",
        L"[open(\"a\")]x",
        L"x[open(\"a\")]",
        L"[open(\"a\")]]",
        L"[open(\"a\")][print(\"b\")]",
        L"[open(\"a\")][open(\"\")]",
        L"[open(\"a\")]\r\n[open(\"b\")]",
        L"[open(\"a\tb\")]",
        L"[open(\"a\nb\")]",
        L"[open(\"a\x7f\")]",
        std::wstring(L"[open(\"a\0b\")]", 13),
        std::wstring(L"[open(\"a\")]\0", 12),
        L"[open(\"a\xd835\")]",
        L"[open(\"a\xdc53\")]",
        L"[open(\"\xd835\xd835\xdc53\")]",
        tooLong,
    };
    for (const std::wstring& command : refused)
        EXPECT_FALSE(ParseDdeOpenCommand(command).has_value())
            << "command of " << command.size() << " units: " << testing::PrintToString(command);
}

struct Memory {
    std::string bytes;
    bool wide;
    std::optional<std::wstring> text;
};

std::string WideBytes(const std::wstring& text) {
    std::string bytes(text.size() * sizeof(wchar_t), '\0');
    std::memcpy(bytes.data(), text.data(), bytes.size());
    return bytes;
}

TEST(DdeCommandWinTest, ReadsTheTextUpToItsZero) {
    const std::wstring longest(kDdeCommandMaxLength, L'x');
    const Memory cases[] = {
        {WideBytes(std::wstring(L"[open(\"\u66f2\")]\0", 13)), true, L"[open(\"\u66f2\")]"},
        {WideBytes(std::wstring(L"ab\0cd\0", 6)), true, L"ab"},
        {WideBytes(std::wstring(L"\0", 1)), true, L""},
        {WideBytes(L"abc"), true, std::nullopt},
        {WideBytes(L"abc") + '\0', true, std::nullopt}, // half a unit is no zero
        {"", true, std::nullopt},
        {WideBytes(longest + L'\0'), true, longest},
        {WideBytes(longest + L"x" + L'\0'), true, std::nullopt},
        {std::string("[open(\"a\")]\0", 12), false, L"[open(\"a\")]"},
        // Wide text read as ANSI ends at its first zero byte.
        {WideBytes(std::wstring(L"ab\0", 3)), false, L"a"},
        {"abc", false, std::nullopt},
        {std::string(kDdeCommandMaxLength, 'x') + '\0', false, longest},
        {std::string(kDdeCommandMaxLength + 1, 'x') + '\0', false, std::nullopt},
    };
    for (const Memory& memory : cases) {
        const auto text = ReadDdeCommandText(memory.bytes.data(), memory.bytes.size(), memory.wide);
        EXPECT_EQ(text, memory.text) << memory.bytes.size() << " bytes, wide " << memory.wide;
    }
}

} // namespace
} // namespace curvix
