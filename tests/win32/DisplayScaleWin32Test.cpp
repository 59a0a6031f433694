// The frame at the display's scale: run at 96 dots per inch and, in a Wine
// prefix of its own, at 192 (at-dpi.sh). Sizes are device pixels; the
// rows below say what each scale gives.

#include "DpiWin.h"
#include "Resource.h"
#include "ToolBarImagesWin.h"
#include "Win32App.h"

#include <gtest/gtest.h>
#include <vector>

namespace curvix::test {
namespace {

struct Scale {
    UINT dpi;
    LONG frameWidth;      // the frame asked for at 600 x 600
    SIZE button;          // 16 x 15 images and 7 pixels' room at 100 %
    SIZE image;           // enlarged by a whole factor
    LONG dialogFont;      // the templates' Tahoma 8 pt, as lfHeight
    LONG statusFont;      // the system's status font, as lfHeight
    LONG minimumViewSide; // the view's client width and height at least
    float dragDegrees;    // the turn of a drag 30 device pixels to the right
};

constexpr Scale kScales[] = {
    {96, 600, {23, 22}, {16, 15}, -11, -11, 400, -30.0F},
    {192, 1200, {46, 44}, {32, 30}, -21, -22, 700, -15.0F},
};

const Scale* ScaleOf(UINT dpi) {
    for (const Scale& scale : kScales) {
        if (scale.dpi == dpi)
            return &scale;
    }
    return nullptr;
}

SIZE ButtonSize(::HWND toolbar) {
    const auto size = static_cast<DWORD>(SendMessageW(toolbar, TB_GETBUTTONSIZE, 0, 0));
    return {LOWORD(size), HIWORD(size)};
}

SIZE ImageSize(::HWND toolbar) {
    auto list = reinterpret_cast<HIMAGELIST>(SendMessageW(toolbar, TB_GETIMAGELIST, 0, 0));
    int cx = 0;
    int cy = 0;
    if (list != nullptr)
        ImageList_GetIconSize(list, &cx, &cy);
    return {cx, cy};
}

LONG FontHeight(::HWND window) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    LOGFONTW description{};
    if (font == nullptr || GetObjectW(font, sizeof description, &description) == 0)
        return 0;
    return description.lfHeight;
}

::HWND StatusControl(const RunningApp& app) {
    return FindWindowExW(app.StatusBar(), nullptr, STATUSCLASSNAMEW, nullptr);
}

// A bitmap's pixels, top row first, as 0xRRGGBB.
std::vector<COLORREF> Pixels(HBITMAP bitmap, int& cx, int& cy) {
    BITMAP info{};
    GetObjectW(bitmap, sizeof info, &info);
    cx = info.bmWidth;
    cy = info.bmHeight;
    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = cx;
    format.bmiHeader.biHeight = -cy;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    std::vector<COLORREF> pixels(static_cast<size_t>(cx) * static_cast<size_t>(cy));
    HDC dc = GetDC(nullptr);
    GetDIBits(dc, bitmap, 0, static_cast<UINT>(cy), pixels.data(), &format, DIB_RGB_COLORS);
    ReleaseDC(nullptr, dc);
    for (COLORREF& pixel : pixels)
        pixel &= 0xFFFFFF;
    return pixels;
}

// What the layout is made of, to compare before and after a change.
struct Layout {
    RECT frame, view, status, formula, file, scene;
    SIZE fileButton;
    LONG statusFont, formulaFont;
    std::string pane;
};

Layout LayoutOf(const RunningApp& app) {
    Layout layout{};
    GetWindowRect(app.FrameWindow(), &layout.frame);
    layout.view = PlaceInParent(app.ViewWindow());
    layout.status = PlaceInParent(app.StatusBar());
    layout.formula = PlaceInParent(app.Bar(L"Function"));
    layout.file = PlaceInParent(app.Bar(L"File"));
    layout.scene = PlaceInParent(app.Bar(L"Scene"));
    layout.fileButton = ButtonSize(app.ToolBarControl(L"File"));
    layout.statusFont = FontHeight(StatusControl(app));
    layout.formulaFont = FontHeight(app.FormulaItem(static_cast<int>(IDC_FORMULA)));
    layout.pane = app.Pane(1);
    return layout;
}

std::string SizeText(const RECT& client) {
    const bool small = client.right < 1000 && client.bottom < 1000;
    return (small ? " " : "") + std::to_string(client.right) + "x" + std::to_string(client.bottom);
}

// The bars lie around the view as the frame lays them out, and the size
// pane shows the view's client size.
void ExpectLaidOut(const RunningApp& app, const Layout& layout) {
    RECT client{};
    GetClientRect(app.FrameWindow(), &client);
    EXPECT_EQ(layout.status.bottom, client.bottom);
    EXPECT_EQ(layout.formula.bottom, layout.status.top);
    EXPECT_EQ(layout.file.top, 0);
    EXPECT_EQ(layout.scene.top, layout.file.bottom);
    EXPECT_EQ(layout.view.left, layout.scene.right);
    EXPECT_EQ(layout.view.top, layout.file.bottom);
    EXPECT_EQ(layout.view.bottom, layout.formula.top);
    EXPECT_EQ(layout.view.right, client.right);
    RECT view{};
    GetClientRect(app.ViewWindow(), &view);
    EXPECT_EQ(layout.pane, SizeText(view));
}

class DisplayScale : public ::testing::Test {
protected:
    void SetUp() override {
        ForgetSettings();
        app = std::make_unique<RunningApp>();
        ASSERT_TRUE(app->started);
        dpi = AfxGetWindowDpi(app->FrameWindow());
        scale = ScaleOf(dpi);
        ASSERT_NE(scale, nullptr) << "no row for " << dpi << " dots per inch";
    }
    void TearDown() override {
        app.reset();
        ForgetSettings();
    }

    std::unique_ptr<RunningApp> app;
    UINT dpi = 0;
    const Scale* scale = nullptr;
};

TEST(DisplayScaleArithmetic, LengthsRoundToTheNearestPixelAndImagesGrowByWholeFactors) {
    struct Row {
        int value;
        UINT dpi;
        int scaled;
        int factor;
    };
    const Row rows[] = {
        {7, 96, 7, 1},       {7, 120, 9, 1},     {7, 143, 10, 1}, {7, 144, 11, 2},
        {7, 192, 14, 2},     {-11, 192, -22, 2}, {7, 239, 17, 2}, {7, 240, 18, 3},
        {600, 288, 1800, 3}, {5, 48, 3, 1},      {5, 0, 0, 1},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(AfxScaleToDpi(row.value, row.dpi), row.scaled) << row.value << " at " << row.dpi;
        EXPECT_EQ(AfxImageFactor(row.dpi), row.factor) << row.dpi;
    }
    // A rectangle from one scale to another, and an unknown scale left alone.
    const RECT rect = AfxRescale(RECT{5, 1, 251, 15}, 96, 192);
    EXPECT_EQ(rect.left, 10);
    EXPECT_EQ(rect.top, 2);
    EXPECT_EQ(rect.right, 502);
    EXPECT_EQ(rect.bottom, 30);
    EXPECT_EQ(AfxRescale(17, 0, 192), 17);
}

TEST(DisplayScaleArithmetic, AnEnlargedBitmapRepeatsEveryPixelAsASquare) {
    // Three by two pixels, each of its own colour.
    const COLORREF source[] = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0, 0x010203};
    HBITMAP small = CreateBitmap(3, 2, 1, 32, source);
    ASSERT_NE(small, nullptr);
    for (const int factor : {1, 2, 3}) {
        HBITMAP large = AfxEnlargeBitmap(small, factor);
        ASSERT_NE(large, nullptr) << factor;
        int cx = 0;
        int cy = 0;
        const std::vector<COLORREF> pixels = Pixels(large, cx, cy);
        ASSERT_EQ(cx, 3 * factor);
        ASSERT_EQ(cy, 2 * factor);
        for (int y = 0; y < cy; ++y) {
            for (int x = 0; x < cx; ++x)
                EXPECT_EQ(pixels[static_cast<size_t>(y * cx + x)],
                          source[(y / factor) * 3 + x / factor])
                    << "factor " << factor << " at " << x << "," << y;
        }
        DeleteObject(large);
    }
    EXPECT_EQ(AfxEnlargeBitmap(small, 0), nullptr);
    EXPECT_EQ(AfxEnlargeBitmap(nullptr, 2), nullptr);
    DeleteObject(small);
}

TEST_F(DisplayScale, TheProcessKnowsEveryMonitorsScale) {
    EXPECT_TRUE(AfxIsDpiAware());
    EXPECT_EQ(dpi, AfxGetSystemDpi());
}

TEST_F(DisplayScale, TheFrameAndItsBarsAreLaidOutAtTheSystemsScale) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const Layout layout = LayoutOf(*app);
    EXPECT_EQ(Width(layout.frame), std::min(scale->frameWidth, Width(work)));
    EXPECT_EQ(Height(layout.frame), std::min(scale->frameWidth, Height(work)));
    for (const wchar_t* bar : {L"File", L"Scene"}) {
        const SIZE button = ButtonSize(app->ToolBarControl(bar));
        EXPECT_EQ(button.cx, scale->button.cx) << bar;
        EXPECT_EQ(button.cy, scale->button.cy) << bar;
        const SIZE image = ImageSize(app->ToolBarControl(bar));
        EXPECT_EQ(image.cx, scale->image.cx) << bar;
        EXPECT_EQ(image.cy, scale->image.cy) << bar;
    }
    // The File toolbar's row is as high as its buttons and their border.
    EXPECT_GE(Height(layout.file), scale->button.cy);
    EXPECT_EQ(layout.statusFont, scale->statusFont);
    EXPECT_EQ(layout.formulaFont, scale->dialogFont);
    // The formula bar holds its Draw! button whole.
    RECT draw{};
    GetWindowRect(app->FormulaItem(static_cast<int>(IDC_DRAW)), &draw);
    RECT bar{};
    GetWindowRect(app->Bar(L"Function"), &bar);
    EXPECT_LE(draw.bottom, bar.bottom);
    EXPECT_GE(Height(draw), -scale->dialogFont);
    ExpectLaidOut(*app, layout);
    EXPECT_GE(Width(layout.view), scale->minimumViewSide);
    EXPECT_GE(Height(layout.view), scale->minimumViewSide);
}

TEST_F(DisplayScale, TheSizePaneFitsItsWidestTextInTheScaledFont) {
    ::HWND control = StatusControl(*app);
    int edges[2] = {};
    ASSERT_EQ(SendMessageW(control, SB_GETPARTS, 2, reinterpret_cast<LPARAM>(edges)), 2);
    RECT pane{};
    SendMessageW(control, SB_GETRECT, 1, reinterpret_cast<LPARAM>(&pane));
    HDC dc = GetDC(control);
    HGDIOBJ old =
        SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)));
    SIZE text{};
    GetTextExtentPoint32W(dc, L"1024x1024", 9, &text);
    SelectObject(dc, old);
    ReleaseDC(control, dc);
    EXPECT_GT(Width(pane), text.cx);
}

TEST_F(DisplayScale, ToolbarImagesAreTheBitmapsPixelsAsWholeSquares) {
    auto list = reinterpret_cast<HIMAGELIST>(
        SendMessageW(app->ToolBarControl(L"File"), TB_GETIMAGELIST, 0, 0));
    ASSERT_NE(list, nullptr);
    IMAGEINFO info{};
    ASSERT_TRUE(ImageList_GetImageInfo(list, 0, &info));
    int cx = 0;
    int cy = 0;
    const std::vector<COLORREF> images = Pixels(info.hbmImage, cx, cy);
    HBITMAP mapped = CreateMappedBitmap(GetModuleHandleW(nullptr), IDR_MAINFRAME, 0, nullptr, 0);
    int sourceCx = 0;
    int sourceCy = 0;
    const std::vector<COLORREF> source = Pixels(mapped, sourceCx, sourceCy);
    DeleteObject(mapped);
    const int factor = AfxImageFactor(dpi);
    ASSERT_EQ(scale->image.cx, 16 * factor);
    // Every image pixel that is not the masked button face is the pixel of
    // the bitmap it enlarges.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF faceRgb = RGB(GetBValue(face), GetGValue(face), GetRValue(face));
    int compared = 0;
    for (int y = 0; y < scale->image.cy && y < cy; ++y) {
        for (int x = 0; x < scale->image.cx && x < cx; ++x) {
            const COLORREF wanted =
                source[static_cast<size_t>((y / factor) * sourceCx + x / factor)];
            if (wanted == faceRgb)
                continue;
            ++compared;
            ASSERT_EQ(images[static_cast<size_t>(y * cx + x)], wanted) << x << "," << y;
        }
    }
    EXPECT_GT(compared, 16);
}

TEST_F(DisplayScale, ADragTurnsByLogicalPixels) {
    ::HWND view = app->ViewWindow();
    float* angles = app->Doc()->GetRotation();
    SendMessageW(view, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(100, 100));
    SendMessageW(view, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(130, 100));
    SendMessageW(view, WM_LBUTTONUP, 0, MAKELPARAM(130, 100));
    EXPECT_EQ(angles[0], scale->dragDegrees);
}

TEST_F(DisplayScale, AMoveToAnotherScaleLaysEverythingOutAgainAndBack) {
    const Layout before = LayoutOf(*app);
    const Scale& other = kScales[scale == &kScales[0] ? 1 : 0];
    // Where the system would put the frame: its size at the other scale,
    // within the screen.
    const RECT suggested{20, 10, 20 + other.frameWidth,
                         10 + std::min<LONG>(other.frameWidth, 1000)};
    SendMessageW(app->FrameWindow(), WM_DPICHANGED, MAKEWPARAM(other.dpi, other.dpi),
                 reinterpret_cast<LPARAM>(&suggested));
    app->Settle();
    const Layout moved = LayoutOf(*app);
    EXPECT_TRUE(EqualRect(&moved.frame, &suggested));
    EXPECT_EQ(moved.fileButton.cx, other.button.cx);
    EXPECT_EQ(moved.fileButton.cy, other.button.cy);
    EXPECT_EQ(ButtonSize(app->ToolBarControl(L"Scene")).cy, other.button.cy);
    EXPECT_EQ(ImageSize(app->ToolBarControl(L"Scene")).cx, other.image.cx);
    EXPECT_EQ(moved.statusFont, other.statusFont);
    EXPECT_EQ(moved.formulaFont, other.dialogFont);
    // The formula bar scales with its template, the status bar with its
    // font.
    const LONG expected = AfxRescale(Height(before.formula), dpi, other.dpi);
    EXPECT_NEAR(Height(moved.formula), expected, 2);
    EXPECT_EQ(Height(moved.status) > Height(before.status), other.dpi > dpi);
    EXPECT_EQ(Width(moved.scene) > Width(before.scene), other.dpi > dpi);
    ExpectLaidOut(*app, moved);

    SendMessageW(app->FrameWindow(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                 reinterpret_cast<LPARAM>(&before.frame));
    app->Settle();
    const Layout back = LayoutOf(*app);
    for (const auto& [name, was, is] : {std::tuple{"frame", before.frame, back.frame},
                                        {"view", before.view, back.view},
                                        {"status", before.status, back.status},
                                        {"formula", before.formula, back.formula},
                                        {"file", before.file, back.file},
                                        {"scene", before.scene, back.scene}})
        EXPECT_TRUE(EqualRect(&was, &is)) << name;
    EXPECT_EQ(back.fileButton.cx, before.fileButton.cx);
    EXPECT_EQ(back.statusFont, before.statusFont);
    EXPECT_EQ(back.formulaFont, before.formulaFont);
    EXPECT_EQ(back.pane, before.pane);
}

TEST_F(DisplayScale, TheAboutBoxTakesItsTemplatesFontAtTheSystemsScale) {
    LONG font = 0;
    LONG width = 0;
    WhenModal([&](::HWND dialog) {
        font = FontHeight(dialog);
        RECT client{};
        GetClientRect(dialog, &client);
        width = client.right;
        PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
        return true;
    });
    app->Command(ID_APP_ABOUT);
    EXPECT_EQ(font, scale->dialogFont);
    // Its template's width in the font's units: the wider font, the wider box.
    EXPECT_GT(width, 20 * -scale->dialogFont);
}

} // namespace
} // namespace curvix::test
