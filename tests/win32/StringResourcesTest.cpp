// The string table as the system loads it from this program's module.
#include "ModuleResources.h"

#include <gtest/gtest.h>

namespace curvix::test {
namespace {

// The string as the module holds it: LoadStringW with no buffer gives the
// resource's own text and its length, line feeds, tabs and quotes as they
// are, nothing cut.
std::wstring ModuleString(UINT id) {
    const wchar_t* text = nullptr;
    const int length = LoadStringW(ThisModule(), id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
}

TEST(StringResources, EveryStringLoadsAsItsTableText) {
    ASSERT_FALSE(GetCurvixResources().strings.empty());
    for (const StringResource& entry : GetCurvixResources().strings) {
        SCOPED_TRACE(testing::Message() << "string " << entry.id);
        EXPECT_EQ(ModuleString(entry.id), Widened(entry.text));
    }
}

// Strings live in blocks of 16, each a length and the text; every string
// the blocks hold is one of the table's.
TEST(StringResources, ModuleHoldsNoOtherStrings) {
    std::set<UINT> inModule;
    for (const UINT block : ModuleResourceIds(RT_STRING)) {
        const std::vector<std::uint8_t> bytes = ModuleResourceBytes(RT_STRING, block);
        std::size_t offset = 0;
        for (UINT i = 0; i < 16; ++i) {
            ASSERT_LE(offset + 2, bytes.size()) << "block " << block << " ends early";
            const std::size_t length = bytes[offset] | bytes[offset + 1] << 8;
            if (length > 0)
                inModule.insert((block - 1) * 16 + i);
            offset += 2 + 2 * length;
        }
        EXPECT_LE(offset, bytes.size()) << "block " << block << " ends inside a string";
    }
    std::set<UINT> inTable;
    for (const StringResource& entry : GetCurvixResources().strings) {
        if (entry.text[0] != '\0')
            inTable.insert(entry.id);
    }
    EXPECT_EQ(inModule, inTable);
}

} // namespace
} // namespace curvix::test
