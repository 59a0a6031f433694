#include "Resource.h"

#include "CurvixResources.h"
#include "ResourceLoader.h"

#include <QFile>
#include <QImage>
#include <QSet>
#include <QXmlStreamReader>
#include <cstring>
#include <gtest/gtest.h>
#include <ostream>

namespace curvix::test {
namespace {

struct IdCase {
    const char* name;
    UINT value;
    UINT expected;
};

void PrintTo(const IdCase& c, std::ostream* os) {
    *os << c.name;
}

class CommandIdTest : public ::testing::TestWithParam<IdCase> {};

TEST_P(CommandIdTest, HasItsFixedValue) {
    EXPECT_EQ(GetParam().value, GetParam().expected);
}

#define ID_CASE(name, expected)                                                                    \
    IdCase {                                                                                       \
#name, name, expected                                                                      \
    }
INSTANTIATE_TEST_SUITE_P(
    Ids, CommandIdTest,
    ::testing::Values(
        ID_CASE(ID_FILE_NEW, 57600), ID_CASE(ID_FILE_OPEN, 57601), ID_CASE(ID_FILE_SAVE, 57603),
        ID_CASE(ID_FILE_SAVE_AS, 57604), ID_CASE(ID_FILE_MRU_FILE1, 57616),
        ID_CASE(ID_FILE_MRU_FILE4, 57619), ID_CASE(ID_APP_EXIT, 57665),
        ID_CASE(ID_EDIT_COPY, 57634), ID_CASE(ID_VIEW_TOOLBAR, 59392),
        ID_CASE(ID_VIEW_STATUS_BAR, 59393), ID_CASE(ID_SCENE_ANTIALIASING, 32771),
        ID_CASE(ID_SCENE_GRADUATION, 32777), ID_CASE(ID_SCENE_ROTATE_Z_LEFT, 32783),
        ID_CASE(ID_SCENE_ROTATE_Z_RIGHT, 32782), ID_CASE(ID_SCENE_ZOOM_IN, 32774),
        ID_CASE(ID_SCENE_ZOOM_OUT, 32775), ID_CASE(ID_SCENE_SAVE_AS_IMAGE, 32776),
        ID_CASE(ID_SCENE_TOOL1, 32778), ID_CASE(ID_SCENE_TOOL2, 32780),
        ID_CASE(ID_SCENE_TOOL3, 32781), ID_CASE(ID_SCENE_TOOL4, 32784),
        ID_CASE(ID_APP_ABOUT, 57664), ID_CASE(ID_EDIT_UNDO, 57643), ID_CASE(ID_EDIT_CUT, 57635),
        ID_CASE(ID_EDIT_PASTE, 57637), ID_CASE(ID_NEXT_PANE, 57680), ID_CASE(ID_PREV_PANE, 57681),
        ID_CASE(IDC_FORMULA, 1000), ID_CASE(IDC_SQRT, 1001), ID_CASE(IDC_COS, 1002),
        ID_CASE(IDC_SIN, 1003), ID_CASE(IDC_TAN, 1004), ID_CASE(IDC_DRAW, 1005),
        ID_CASE(IDR_MAINFRAME, 128), ID_CASE(IDR_SCENEBAR, 131), ID_CASE(IDD_ABOUTBOX, 100),
        ID_CASE(IDD_FORMULABAR, 103), ID_CASE(ID_INDICATOR_SIZE, 61204),
        ID_CASE(AFX_IDS_APP_TITLE, 57344), ID_CASE(AFX_IDS_IDLEMESSAGE, 57345),
        ID_CASE(AFX_IDW_TOOLBAR, 0xE800), ID_CASE(AFX_IDW_STATUS_BAR, 0xE801)),
    [](const ::testing::TestParamInfo<IdCase>& info) { return std::string(info.param.name); });

TEST(Accelerators, TableInOrder) {
    const AccelTableResource* table =
        ResourceTable::FindIn(GetCurvixResources().accelerators, IDR_MAINFRAME);
    ASSERT_NE(table, nullptr);
    const unsigned char c = FVIRTKEY | FCONTROL, s = FVIRTKEY | FSHIFT, a = FVIRTKEY | FALT;
    const std::vector<std::tuple<unsigned char, unsigned short, unsigned short>> expected{
        {c, 'N', ID_FILE_NEW},         {c, 'O', ID_FILE_OPEN},
        {c, 'S', ID_FILE_SAVE},        {c, 'Z', ID_EDIT_UNDO},
        {c, 'X', ID_EDIT_CUT},         {c, 'C', ID_EDIT_COPY},
        {c, 'V', ID_EDIT_PASTE},       {a, VK_BACK, ID_EDIT_UNDO},
        {s, VK_DELETE, ID_EDIT_CUT},   {c, VK_INSERT, ID_EDIT_COPY},
        {s, VK_INSERT, ID_EDIT_PASTE}, {FVIRTKEY, VK_F6, ID_NEXT_PANE},
        {s, VK_F6, ID_PREV_PANE}};
    ASSERT_EQ(table->entries.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(table->entries[i].fVirt, std::get<0>(expected[i])) << i;
        EXPECT_EQ(table->entries[i].key, std::get<1>(expected[i])) << i;
        EXPECT_EQ(table->entries[i].cmd, std::get<2>(expected[i])) << i;
    }
}

TEST(Strings, ProgramEntries) {
    std::string text;
    ASSERT_TRUE(AfxLoadString(IDR_MAINFRAME, text));
    EXPECT_EQ(text,
              "Curvix\n\nFunction\nCurvix Files (*.cvx)\n.cvx\nCurvix.Document\nCurvix Function");
    EXPECT_EQ(AfxExtractSubString(text, 3), "Curvix Files (*.cvx)");
    EXPECT_EQ(AfxExtractSubString(text, 1), "");
    EXPECT_EQ(AfxExtractSubString(text, 7), "");
    ASSERT_TRUE(AfxLoadString(AFX_IDS_APP_TITLE, text));
    EXPECT_EQ(text, "Curvix");
    ASSERT_TRUE(AfxLoadString(AFX_IDS_IDLEMESSAGE, text));
    EXPECT_EQ(text, "Ready");
    ASSERT_TRUE(AfxLoadString(ID_INDICATOR_SIZE, text));
    EXPECT_EQ(text, "1024x1024");
    // Scene commands and formula-bar buttons have no prompt.
    for (UINT id : {ID_SCENE_ANTIALIASING, ID_SCENE_TOOL1, ID_SCENE_ZOOM_IN, IDC_DRAW, IDC_SQRT})
        EXPECT_FALSE(AfxLoadString(id, text)) << id;
}

TEST(Version, IsOnePointZeroPointZeroPointOne) {
    const VersionResource& v = GetCurvixResources().version;
    EXPECT_EQ(std::vector<int>(v.fileVersion, v.fileVersion + 4), (std::vector<int>{1, 0, 0, 1}));
    EXPECT_EQ(std::vector<int>(v.productVersion, v.productVersion + 4),
              (std::vector<int>{1, 0, 0, 1}));
    EXPECT_STREQ(v.fileVersionText, "1, 0, 0, 1");
    EXPECT_STREQ(v.productVersionText, "1, 0, 0, 1");
    EXPECT_TRUE(v.isApplication);
    EXPECT_STREQ(v.internalName, "Curvix");
    EXPECT_STREQ(v.productName, "Curvix Application");
}

int CountColours(const QImage& image) {
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y));
    return static_cast<int>(colours.size());
}

TEST(Bitmaps, ToolbarStripsHaveOneSixteenByFifteenImagePerButton) {
    const QImage file = AfxLoadBitmapImage(IDR_MAINFRAME);
    const QImage scene = AfxLoadBitmapImage(IDR_SCENEBAR);
    EXPECT_EQ(file.size(), QSize(80, 15));
    EXPECT_EQ(scene.size(), QSize(112, 15));
    EXPECT_LE(CountColours(file), 16);
    EXPECT_LE(CountColours(scene), 16);
    // Every image differs from every other.
    for (const QImage* strip : {&file, &scene}) {
        const int count = strip->width() / 16;
        for (int i = 0; i < count; ++i)
            for (int j = i + 1; j < count; ++j)
                EXPECT_NE(strip->copy(i * 16, 0, 16, 15), strip->copy(j * 16, 0, 16, 15)) << i << j;
    }
}

TEST(Icons, ProgramAndDocumentIconsIn32And16Pixels) {
    for (UINT id : {IDR_MAINFRAME, 129u}) {
        const IconResource* icon = ResourceTable::FindIn(GetCurvixResources().icons, id);
        ASSERT_NE(icon, nullptr);
        ASSERT_EQ(icon->images.size(), 2u);
        const QImage large(icon->images[0]);
        const QImage small(icon->images[1]);
        EXPECT_EQ(large.size(), QSize(32, 32));
        EXPECT_EQ(small.size(), QSize(16, 16));
        EXPECT_LE(CountColours(large), 16);
        EXPECT_LE(CountColours(small), 16);
    }
}

TEST(Icons, ScalableIconIsWellFormedSvg) {
    QFile file(QStringLiteral(CURVIX_RESOURCES_DIR "/curvix.svg"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    ASSERT_TRUE(xml.readNextStartElement());
    EXPECT_EQ(xml.name(), QStringLiteral("svg"));
    while (!xml.atEnd())
        xml.readNext();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
}

TEST(Dialogs, FormulaBarTemplate) {
    const DialogResource* bar = ResourceTable::FindIn(GetCurvixResources().dialogs, IDD_FORMULABAR);
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->cx, 376);
    EXPECT_EQ(bar->cy, 17);
    EXPECT_STREQ(bar->fontName, "Tahoma");
    EXPECT_EQ(bar->pointSize, 8);
    struct Item {
        int id;
        const char* text;
        int x, y, cx, cy;
    };
    const std::vector<Item> expected{
        {-1, "f(x)= ", 5, 4, 18, 8},     {1000, "", 23, 1, 228, 14},
        {1001, "&sqrt", 254, 1, 17, 14}, {1002, "&cos", 274, 1, 17, 14},
        {1003, "s&in", 294, 1, 17, 14},  {1004, "&tan", 314, 1, 17, 14},
        {1005, "&Draw!", 338, 1, 35, 14}};
    ASSERT_EQ(bar->items.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const DialogItemResource& item = bar->items[i];
        EXPECT_EQ(item.id, expected[i].id);
        EXPECT_STREQ(item.text, expected[i].text);
        EXPECT_EQ(QRect(item.x, item.y, item.cx, item.cy),
                  QRect(expected[i].x, expected[i].y, expected[i].cx, expected[i].cy));
    }
    EXPECT_EQ(bar->items[6].style & 0x0F, BS_DEFPUSHBUTTON);
}

// The window and control styles both window systems read, as numbers: the
// About box a modal pop-up with caption and system menu, its first line
// without "&" prefixes, lines and button starting groups; the formula bar a
// bare child page, its label a group, its field scrolling sideways.
TEST(Dialogs, StylesAsTheWindowSystemKnowsThem) {
    const struct {
        UINT id;
        DWORD style;
        std::vector<DWORD> items;
    } cases[] = {
        {IDD_ABOUTBOX, 0x80C80080, {0x00000003, 0x00020080, 0x00020000, 0x00030001}},
        {IDD_FORMULABAR,
         0x40000000,
         {0x00020000, 0x00810080, 0x00010000, 0x00010000, 0x00010000, 0x00010000, 0x00010001}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "dialog " << c.id);
        const DialogResource* dialog = ResourceTable::FindIn(GetCurvixResources().dialogs, c.id);
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->style, c.style);
        ASSERT_EQ(dialog->items.size(), c.items.size());
        for (size_t i = 0; i < c.items.size(); ++i)
            EXPECT_EQ(dialog->items[i].style, c.items[i]) << "control " << i;
    }
}

} // namespace
} // namespace curvix::test
