// The resource script writer and the picture files of curvix-rc: data the
// script or the files cannot hold is refused with its reason, and odd
// picture sizes come out as the system reads them.
#include "CurvixRc.h"
#include "DibFiles.h"
#include "ModuleResources.h"
#include "RcText.h"
#include "XpmImage.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace curvix::test {
namespace {

// Each case: data that must be refused, and a part of the reason given.
struct Refusal {
    const char* what;
    bool (*write)(std::string& out, std::string& error);
    const char* reason;
};

bool MenuWith(UINT flags, UINT id, std::string& out, std::string& error) {
    return WriteRcMenu({1, {{"&File", 0, MF_POPUP}, {"Item", id, flags}}}, out, error);
}

const Refusal kScriptRefusals[] = {
    {"a menu flag the script has no word for",
     [](std::string& out, std::string& error) { return MenuWith(0x4000, 5, out, error); },
     "has flags"},
    {"a greyed separator",
     [](std::string& out, std::string& error) {
         return MenuWith(MF_SEPARATOR | MF_GRAYED, 0, out, error);
     },
     "separator"},
    {"a menu command 0",
     [](std::string& out, std::string& error) { return MenuWith(0, 0, out, error); },
     "outside 1 to 65535"},
    {"a menu command past 65535",
     [](std::string& out, std::string& error) { return MenuWith(0, 65536, out, error); },
     "outside 1 to 65535"},
    {"a character key with Ctrl",
     [](std::string& out, std::string& error) {
         return WriteRcAccelerators({1, {{FCONTROL, 'a', 5}}}, out, error);
     },
     "character key"},
    {"an accelerator flag the script has no word for",
     [](std::string& out, std::string& error) {
         return WriteRcAccelerators({1, {{FVIRTKEY | 0x02, 'A', 5}}}, out, error);
     },
     "has flags"},
    {"a string number twice",
     [](std::string& out, std::string& error) {
         return WriteRcStringTable({{7, "a"}, {8, "b"}, {7, "c"}}, out, error);
     },
     "twice"},
    {"string 0",
     [](std::string& out, std::string& error) {
         return WriteRcStringTable({{0, "a"}}, out, error);
     },
     "outside 1 to 65535"},
    {"an icon static without an icon number",
     [](std::string& out, std::string& error) {
         return WriteRcDialog({1,
                               10,
                               10,
                               WS_CHILD,
                               "",
                               "Tahoma",
                               8,
                               {{"STATIC", "", IDC_STATIC, 0, 0, 5, 5, SS_ICON}}},
                              out, error);
     },
     "icon"},
};

TEST(RcGenerator, RefusesWhatTheScriptCannotHold) {
    for (const Refusal& refusal : kScriptRefusals) {
        SCOPED_TRACE(refusal.what);
        std::string out = "before";
        std::string error;
        EXPECT_FALSE(refusal.write(out, error));
        EXPECT_NE(error.find(refusal.reason), std::string::npos) << error;
        EXPECT_EQ(out, "before") << "nothing of a refused resource is written";
    }
}

struct XpmRefusal {
    const char* what;
    std::vector<const char*> lines;
    const char* reason;
};

TEST(RcGenerator, RefusesPicturesOutsideTheXpmSubset) {
    const XpmRefusal refusals[] = {
        {"three values", {"2 1 1", ". c #000000", ".."}, "four numbers"},
        {"five values", {"2 1 1 1 0", ". c #000000", ".."}, "more than four"},
        {"no pixels", {"0 1 1 1", ". c #000000", ""}, "size"},
        {"too large", {"2000 1 1 1", ". c #000000", ""}, "size"},
        {"a colour name", {"2 1 1 1", ". c red", ".."}, "neither None nor #RRGGBB"},
        {"a short colour", {"2 1 1 1", ". c #FFF", ".."}, "neither None nor #RRGGBB"},
        {"no colour key", {"2 1 1 1", ". m #000000", ".."}, "no \"c\" colour"},
        {"a pixel twice", {"2 1 2 1", ". c #000000", ". c #FFFFFF", ".."}, "two colours"},
        {"a short row", {"2 1 1 1", ". c #000000", "."}, "not 2 pixels long"},
        {"an unknown pixel", {"2 1 1 1", ". c #000000", ".x"}, "has no colour"},
    };
    for (const XpmRefusal& refusal : refusals) {
        SCOPED_TRACE(refusal.what);
        XpmImage image;
        std::string error;
        EXPECT_FALSE(ReadXpm(refusal.lines.data(), image, error));
        EXPECT_NE(error.find(refusal.reason), std::string::npos) << error;
    }
}

TEST(RcGenerator, RefusesColoursOutsideTheSixteen) {
    const char* const lines[] = {"2 1 2 2", "aa c #000000", "bb c #123456", "aabb"};
    XpmImage image;
    std::string error;
    ASSERT_TRUE(ReadXpm(lines, image, error)) << error;
    std::vector<std::uint8_t> file;
    EXPECT_FALSE(EncodeBitmapFile(image, file, error));
    EXPECT_NE(error.find("#123456 at 1, 0"), std::string::npos) << error;
    EXPECT_FALSE(EncodeIconFile({image}, file, error));
    EXPECT_FALSE(EncodeIconFile({}, file, error));
}

// A picture of odd width and height: 4-bit rows end in half a byte and
// are padded, mask rows too.
const char* const kOddPicture[] = {"3 2 4 1",     "  c None", "r c #FF0000", "g c #00FF00",
                                   "w c #FFFFFF", "rg ",      " wr"};

std::uint32_t PixelAt(HDC dc, int x, int y) {
    const COLORREF colour = GetPixel(dc, x, y);
    return static_cast<std::uint32_t>(GetRValue(colour)) << 16 |
           static_cast<std::uint32_t>(GetGValue(colour)) << 8 | GetBValue(colour);
}

TEST(RcGenerator, OddSizedIconReadsBackAsItsPicture) {
    XpmImage picture;
    std::string error;
    ASSERT_TRUE(ReadXpm(kOddPicture, picture, error)) << error;
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(EncodeIconFile({picture}, file, error)) << error;
    // The image's bytes as the directory entry places them.
    const std::uint32_t size = file[14] | file[15] << 8 | file[16] << 16 | file[17] << 24;
    const std::uint32_t offset = file[18] | file[19] << 8 | file[20] << 16 | file[21] << 24;
    ASSERT_EQ(offset + size, file.size());
    HICON icon = CreateIconFromResourceEx(file.data() + offset, size, true, 0x00030000, 3, 2, 0);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    HDC dc = CreateCompatibleDC(nullptr);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            SCOPED_TRACE(testing::Message() << "pixel " << x << ", " << y);
            const bool transparent = picture.At(x, y) == kXpmTransparent;
            HGDIOBJ before = SelectObject(dc, info.hbmMask);
            EXPECT_EQ(PixelAt(dc, x, y), transparent ? 0xFFFFFFu : 0u) << "mask";
            SelectObject(dc, info.hbmColor);
            EXPECT_EQ(PixelAt(dc, x, y),
                      transparent ? 0u : static_cast<std::uint32_t>(picture.At(x, y)));
            SelectObject(dc, before);
        }
    }
    DeleteDC(dc);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

TEST(RcGenerator, OddSizedBitmapFileReadsBackAsItsPicture) {
    XpmImage picture;
    std::string error;
    ASSERT_TRUE(ReadXpm(kOddPicture, picture, error)) << error;
    std::vector<std::uint8_t> file;
    ASSERT_TRUE(EncodeBitmapFile(picture, file, error)) << error;
    wchar_t folder[MAX_PATH] = {};
    wchar_t path[MAX_PATH] = {};
    ASSERT_NE(GetTempPathW(MAX_PATH, folder), 0u);
    ASSERT_NE(GetTempFileNameW(folder, L"cvx", 0, path), 0u);
    std::FILE* out = _wfopen(path, L"wb");
    ASSERT_NE(out, nullptr);
    const bool written = std::fwrite(file.data(), 1, file.size(), out) == file.size();
    std::fclose(out);
    ASSERT_TRUE(written);
    auto* bitmap = static_cast<HBITMAP>(
        LoadImageW(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION));
    DeleteFileW(path);
    ASSERT_NE(bitmap, nullptr);
    DIBSECTION section{};
    ASSERT_EQ(GetObjectW(bitmap, sizeof section, &section), static_cast<int>(sizeof section));
    EXPECT_EQ(section.dsBm.bmWidth, 3);
    EXPECT_EQ(section.dsBm.bmHeight, 2);
    EXPECT_EQ(section.dsBm.bmBitsPixel, 4);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ before = SelectObject(dc, bitmap);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            const std::int32_t want = picture.At(x, y);
            EXPECT_EQ(PixelAt(dc, x, y),
                      want == kXpmTransparent ? 0xC0C0C0u : static_cast<std::uint32_t>(want))
                << "pixel " << x << ", " << y;
        }
    }
    SelectObject(dc, before);
    DeleteDC(dc);
    DeleteObject(bitmap);
}

// The whole script: the table's resources in one file, with the files it
// names beside it and itself last; a picture the files cannot hold stops
// it with the resource named.
TEST(RcGenerator, WholeScriptNamesItsFilesAndComesLast) {
    std::vector<GeneratedFile> files;
    std::string error;
    ASSERT_TRUE(GenerateCurvixRc(GetCurvixResources(), "Test.Name", files, error)) << error;
    ASSERT_FALSE(files.empty());
    EXPECT_EQ(files.back().name, "curvix.rc");
    for (std::size_t i = 0; i + 1 < files.size(); ++i) {
        EXPECT_NE(files.back().contents.find("\"" + files[i].name + "\""), std::string::npos)
            << files[i].name;
    }
    const char* const badLines[] = {"1 1 1 1", ". c #123456", "."};
    ResourceTable badColour = GetCurvixResources();
    badColour.bitmaps.push_back({77, badLines});
    EXPECT_FALSE(GenerateCurvixRc(badColour, "Test.Name", files, error));
    EXPECT_NE(error.find("bitmap 77: the colour #123456"), std::string::npos) << error;
    ResourceTable badNumber = GetCurvixResources();
    badNumber.icons.push_back({0, {badLines}});
    EXPECT_FALSE(GenerateCurvixRc(badNumber, "Test.Name", files, error));
    EXPECT_NE(error.find("icon 0 is outside 1 to 65535"), std::string::npos) << error;
    EXPECT_EQ(files.back().name, "curvix.rc") << "the files of the last good run stay";
}

} // namespace
} // namespace curvix::test
