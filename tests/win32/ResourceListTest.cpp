// This program's module holds exactly the table's resources, each once, in
// U.S. English.
#include "ModuleResources.h"

#include <gtest/gtest.h>

namespace curvix::test {
namespace {

template <typename T> std::set<UINT> IdsOf(const std::vector<T>& list) {
    std::set<UINT> ids;
    for (const T& item : list)
        ids.insert(item.id);
    return ids;
}

// String blocks of 16: string n lives in block n / 16 + 1.
std::set<UINT> StringBlocks() {
    std::set<UINT> blocks;
    for (const StringResource& entry : GetCurvixResources().strings)
        blocks.insert(entry.id / 16 + 1);
    return blocks;
}

TEST(ResourceList, ModuleHoldsTheTablesResourcesInEnglish) {
    const ResourceTable& table = GetCurvixResources();
    const struct {
        const char* kind;
        LPCWSTR type;
        std::set<UINT> ids;
    } kinds[] = {
        {"menus", RT_MENU, IdsOf(table.menus)},
        {"accelerator tables", RT_ACCELERATOR, IdsOf(table.accelerators)},
        {"dialogs", RT_DIALOG, IdsOf(table.dialogs)},
        {"icons", RT_GROUP_ICON, IdsOf(table.icons)},
        {"bitmaps", RT_BITMAP, IdsOf(table.bitmaps)},
        {"string blocks", RT_STRING, StringBlocks()},
        {"version resources", RT_VERSION, {1}},
        {"manifests", RT_MANIFEST, {1}},
    };
    const std::set<LANGID> english{MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US)};
    for (const auto& [kind, type, ids] : kinds) {
        SCOPED_TRACE(kind);
        EXPECT_EQ(ModuleResourceIds(type), ids);
        for (const UINT id : ids)
            EXPECT_EQ(ModuleResourceLanguages(type, id), english) << id;
    }
}

} // namespace
} // namespace curvix::test
