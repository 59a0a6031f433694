#include "ModuleResources.h"

namespace curvix::test {

HMODULE ThisModule() {
    return GetModuleHandleW(nullptr);
}

std::wstring Widened(const char* text) {
    std::wstring wide;
    for (const char* c = text; *c != '\0'; ++c)
        wide.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*c)));
    return wide;
}

namespace {

BOOL CALLBACK AddName(HMODULE /*module*/, LPCWSTR /*type*/, LPWSTR name, LONG_PTR ids) {
    // Named (not numbered) resources show as 0, which no table uses.
    auto* found = reinterpret_cast<std::set<UINT>*>(ids);
    found->insert(IS_INTRESOURCE(name) ? static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name)) : 0);
    return true; // go on
}

BOOL CALLBACK AddLanguage(HMODULE /*module*/, LPCWSTR /*type*/, LPCWSTR /*name*/, WORD language,
                          LONG_PTR languages) {
    reinterpret_cast<std::set<LANGID>*>(languages)->insert(language);
    return true; // go on
}

} // namespace

std::set<UINT> ModuleResourceIds(LPCWSTR type) {
    std::set<UINT> ids;
    EnumResourceNamesW(ThisModule(), type, AddName, reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

std::set<LANGID> ModuleResourceLanguages(LPCWSTR type, UINT id) {
    std::set<LANGID> languages;
    EnumResourceLanguagesW(ThisModule(), type, MAKEINTRESOURCEW(id), AddLanguage,
                           reinterpret_cast<LONG_PTR>(&languages));
    return languages;
}

std::vector<std::uint8_t> ModuleResourceBytes(LPCWSTR type, UINT id) {
    HRSRC found = FindResourceW(ThisModule(), MAKEINTRESOURCEW(id), type);
    if (found == nullptr)
        return {};
    HGLOBAL loaded = LoadResource(ThisModule(), found);
    const auto* bytes = static_cast<const std::uint8_t*>(LockResource(loaded));
    if (bytes == nullptr)
        return {};
    return {bytes, bytes + SizeofResource(ThisModule(), found)};
}

} // namespace curvix::test
