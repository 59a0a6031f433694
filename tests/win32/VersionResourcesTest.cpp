// The version resource, read by the system's version functions from this
// program's file, and the manifest the system applies to the process.
#include "ModuleResources.h"

#include <gtest/gtest.h>

namespace curvix::test {
namespace {

std::vector<std::uint8_t> VersionBlock() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(path, &handle);
    std::vector<std::uint8_t> block(size);
    if (size == 0 || !GetFileVersionInfoW(path, 0, size, block.data()))
        block.clear();
    return block;
}

// A value of the block, or null with length 0.
const void* Value(const std::vector<std::uint8_t>& block, const std::wstring& path, UINT& length) {
    void* value = nullptr;
    length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length))
        return nullptr;
    return value;
}

DWORD High(const unsigned short (&parts)[4]) {
    return static_cast<DWORD>(parts[0]) << 16 | parts[1];
}

DWORD Low(const unsigned short (&parts)[4]) {
    return static_cast<DWORD>(parts[2]) << 16 | parts[3];
}

TEST(VersionResource, FixedPartHoldsTheTableVersions) {
    const VersionResource& table = GetCurvixResources().version;
    const std::vector<std::uint8_t> block = VersionBlock();
    ASSERT_FALSE(block.empty()) << "no version resource";
    UINT length = 0;
    const auto* fixed = static_cast<const VS_FIXEDFILEINFO*>(Value(block, L"\\", length));
    ASSERT_NE(fixed, nullptr);
    ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, High(table.fileVersion));
    EXPECT_EQ(fixed->dwFileVersionLS, Low(table.fileVersion));
    EXPECT_EQ(fixed->dwProductVersionMS, High(table.productVersion));
    EXPECT_EQ(fixed->dwProductVersionLS, Low(table.productVersion));
    EXPECT_EQ(fixed->dwFileType, table.isApplication ? DWORD{VFT_APP} : DWORD{VFT_UNKNOWN});
    EXPECT_EQ(fixed->dwFileFlags, 0u);
    EXPECT_EQ(fixed->dwFileOS, DWORD{VOS_NT_WINDOWS32});
}

// The one translation, U.S. English in Unicode, names the string block
// whose texts are the table's.
TEST(VersionResource, StringsAreTheTableTextsInTheTranslationsBlock) {
    const VersionResource& table = GetCurvixResources().version;
    const std::vector<std::uint8_t> block = VersionBlock();
    ASSERT_FALSE(block.empty()) << "no version resource";
    UINT length = 0;
    const auto* translation =
        static_cast<const WORD*>(Value(block, L"\\VarFileInfo\\Translation", length));
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(length, 2 * sizeof(WORD)) << "one translation";
    EXPECT_EQ(translation[0], 0x409);
    EXPECT_EQ(translation[1], 1200);
    wchar_t name[16];
    swprintf(name, std::size(name), L"%04X%04X", translation[0], translation[1]);
    const std::pair<const wchar_t*, const char*> strings[] = {
        {L"FileVersion", table.fileVersionText},
        {L"ProductVersion", table.productVersionText},
        {L"InternalName", table.internalName},
        {L"ProductName", table.productName},
    };
    for (const auto& [key, text] : strings) {
        SCOPED_TRACE(testing::Message() << testing::PrintToString(std::wstring(key)));
        const auto* value = static_cast<const wchar_t*>(
            Value(block, std::wstring(L"\\StringFileInfo\\") + name + L"\\" + key, length));
        ASSERT_NE(value, nullptr);
        EXPECT_EQ(std::wstring(value), Widened(text));
    }
}

std::string ManifestText() {
    const std::vector<std::uint8_t> bytes = ModuleResourceBytes(
        RT_MANIFEST,
        static_cast<UINT>(reinterpret_cast<ULONG_PTR>(CREATEPROCESS_MANIFEST_RESOURCE_ID)));
    return {bytes.begin(), bytes.end()};
}

TEST(Manifest, AsksForCommonControlsSixAsInvoker) {
    const std::string manifest = ManifestText();
    ASSERT_FALSE(manifest.empty()) << "no process manifest";
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""),
              std::string::npos)
        << manifest;
    EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << manifest;
}

// Aware of every monitor's scale: version 2 first, version 1 for systems
// that know no more, each in its own schema's namespace.
TEST(Manifest, DeclaresEveryMonitorsScale) {
    const std::string manifest = ManifestText();
    for (const char* declaration :
         {"<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true/pm"
          "</dpiAware>",
          "<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/WindowsSettings\">"
          "PerMonitorV2, PerMonitor</dpiAwareness>",
          "<application xmlns=\"urn:schemas-microsoft-com:asm.v3\">"})
        EXPECT_NE(manifest.find(declaration), std::string::npos) << declaration << "\n" << manifest;
}

// The system read the awareness from the manifest, or the program asks for
// it when the system reads only part of it (Wine 8 knows no version 2).
TEST(Manifest, TheSystemReadsTheAwarenessSettings) {
    wchar_t value[64] = {};
    SIZE_T written = 0;
    ASSERT_TRUE(QueryActCtxSettingsW(0, nullptr,
                                     L"http://schemas.microsoft.com/SMI/2005/WindowsSettings",
                                     L"dpiAware", value, 64, &written))
        << GetLastError();
    EXPECT_EQ(std::wstring(value), L"true/pm");
    ASSERT_TRUE(QueryActCtxSettingsW(0, nullptr,
                                     L"http://schemas.microsoft.com/SMI/2016/WindowsSettings",
                                     L"dpiAwareness", value, 64, &written))
        << GetLastError();
    EXPECT_EQ(std::wstring(value), L"PerMonitorV2, PerMonitor");
}

// The system applied the manifest: the process's activation context sends
// the loading of comctl32.dll to version 6 of the common controls.
TEST(Manifest, ProcessContextRedirectsTheCommonControls) {
    ACTCTX_SECTION_KEYED_DATA found{};
    found.cbSize = sizeof found;
    EXPECT_TRUE(FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                         L"comctl32.dll", &found))
        << GetLastError();
}

} // namespace
} // namespace curvix::test
