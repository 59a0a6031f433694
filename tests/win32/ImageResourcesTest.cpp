// The icons and bitmaps in this program's module, pixel for pixel against
// the XPM pictures of the resource table.
#include "ModuleResources.h"
#include "XpmImage.h"

#include <cstring>
#include <gtest/gtest.h>

namespace curvix::test {
namespace {

XpmImage Picture(XpmData xpm) {
    XpmImage image;
    std::string error;
    EXPECT_TRUE(ReadXpm(xpm, image, error)) << error;
    return image;
}

std::uint32_t Rgb(RGBQUAD colour) {
    return static_cast<std::uint32_t>(colour.rgbRed) << 16 |
           static_cast<std::uint32_t>(colour.rgbGreen) << 8 | colour.rgbBlue;
}

// A bitmap's pixels as 0xRRGGBB, top row first.
std::vector<std::uint32_t> PixelsOf(HBITMAP bitmap, int width, int height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<RGBQUAD> quads(static_cast<std::size_t>(width) * height);
    HDC dc = CreateCompatibleDC(nullptr);
    const int rows =
        GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), quads.data(), &info, DIB_RGB_COLORS);
    DeleteDC(dc);
    EXPECT_EQ(rows, height);
    std::vector<std::uint32_t> pixels;
    for (const RGBQUAD quad : quads)
        pixels.push_back(Rgb(quad));
    return pixels;
}

// One image of an icon as the system loads it at the picture's size: the
// mask set exactly where the picture is transparent, the colour the
// picture's elsewhere.
void ExpectIconImage(UINT id, const XpmImage& picture) {
    SCOPED_TRACE(testing::Message() << "icon " << id << " at " << picture.width);
    auto* icon = static_cast<HICON>(LoadImageW(ThisModule(), MAKEINTRESOURCEW(id), IMAGE_ICON,
                                               picture.width, picture.height, 0));
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    ASSERT_NE(info.hbmColor, nullptr) << "a colour icon";
    BITMAP colour{};
    GetObjectW(info.hbmColor, sizeof colour, &colour);
    EXPECT_EQ(colour.bmWidth, picture.width);
    EXPECT_EQ(colour.bmHeight, picture.height);
    const std::vector<std::uint32_t> colours =
        PixelsOf(info.hbmColor, picture.width, picture.height);
    const std::vector<std::uint32_t> mask = PixelsOf(info.hbmMask, picture.width, picture.height);
    int wrong = 0;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::size_t i = static_cast<std::size_t>(y) * picture.width + x;
            const bool transparent = picture.At(x, y) == kXpmTransparent;
            const bool right =
                transparent
                    ? mask[i] == 0xFFFFFF && colours[i] == 0
                    : mask[i] == 0 && colours[i] == static_cast<std::uint32_t>(picture.At(x, y));
            if (!right && ++wrong <= 5)
                ADD_FAILURE() << "pixel " << x << ", " << y << ": colour " << std::hex << colours[i]
                              << ", mask " << mask[i];
        }
    }
    EXPECT_EQ(wrong, 0);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    DestroyIcon(icon);
}

TEST(IconResources, EveryIconLoadsAtEachSizeAsItsPicture) {
    ASSERT_FALSE(GetCurvixResources().icons.empty());
    for (const IconResource& icon : GetCurvixResources().icons) {
        for (const XpmData xpm : icon.images)
            ExpectIconImage(icon.id, Picture(xpm));
    }
}

// The icon directory in the module: one entry per picture, 16 colours at
// 4 bits per pixel each.
TEST(IconResources, EveryImageIsSixteenColours) {
    for (const IconResource& icon : GetCurvixResources().icons) {
        SCOPED_TRACE(testing::Message() << "icon " << icon.id);
        const std::vector<std::uint8_t> group = ModuleResourceBytes(RT_GROUP_ICON, icon.id);
        ASSERT_GE(group.size(), 6u);
        const std::size_t count = group[4] | group[5] << 8;
        ASSERT_EQ(count, icon.images.size());
        ASSERT_EQ(group.size(), 6 + 14 * count);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint8_t* entry = group.data() + 6 + 14 * i;
            const XpmImage picture = Picture(icon.images[i]);
            EXPECT_EQ(entry[0], picture.width);
            EXPECT_EQ(entry[1], picture.height);
            EXPECT_EQ(entry[2], 16) << "colours";
            EXPECT_EQ(entry[4] | entry[5] << 8, 1) << "planes";
            EXPECT_EQ(entry[6] | entry[7] << 8, 4) << "bits per pixel";
            const UINT imageId = entry[12] | entry[13] << 8;
            const std::vector<std::uint8_t> image = ModuleResourceBytes(RT_ICON, imageId);
            ASSERT_GE(image.size(), sizeof(BITMAPINFOHEADER));
            BITMAPINFOHEADER header;
            std::memcpy(&header, image.data(), sizeof header);
            EXPECT_EQ(header.biBitCount, 4);
            EXPECT_EQ(header.biHeight, 2 * picture.height) << "colours and mask";
        }
    }
}

// Each bitmap loaded as a DIB section keeps its 4 bits per pixel; its
// pixels are the picture's, transparent ones the light grey that toolbars
// show as the button face.
TEST(BitmapResources, EveryBitmapLoadsAsItsSixteenColourPicture) {
    ASSERT_FALSE(GetCurvixResources().bitmaps.empty());
    for (const BitmapResource& resource : GetCurvixResources().bitmaps) {
        SCOPED_TRACE(testing::Message() << "bitmap " << resource.id);
        const XpmImage picture = Picture(resource.xpm);
        auto* bitmap = static_cast<HBITMAP>(LoadImageW(ThisModule(), MAKEINTRESOURCEW(resource.id),
                                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        ASSERT_NE(bitmap, nullptr);
        DIBSECTION section{};
        ASSERT_EQ(GetObjectW(bitmap, sizeof section, &section), static_cast<int>(sizeof section));
        EXPECT_EQ(section.dsBm.bmWidth, picture.width);
        EXPECT_EQ(section.dsBm.bmHeight, picture.height);
        EXPECT_EQ(section.dsBm.bmBitsPixel, 4);
        const std::vector<std::uint32_t> pixels = PixelsOf(bitmap, picture.width, picture.height);
        int wrong = 0;
        for (int y = 0; y < picture.height; ++y) {
            for (int x = 0; x < picture.width; ++x) {
                const std::int32_t want = picture.At(x, y);
                const std::uint32_t expected =
                    want == kXpmTransparent ? 0xC0C0C0 : static_cast<std::uint32_t>(want);
                const std::uint32_t got = pixels[static_cast<std::size_t>(y) * picture.width + x];
                if (got != expected && ++wrong <= 5)
                    ADD_FAILURE() << "pixel " << x << ", " << y << ": " << std::hex << got
                                  << " instead of " << expected;
            }
        }
        EXPECT_EQ(wrong, 0);
        DeleteObject(bitmap);
    }
}

} // namespace
} // namespace curvix::test
