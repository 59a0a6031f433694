#include "Bits.h"
#include "CurvixDoc.h"
#include "CurvixScene.h"
#include "FrameWndBase.h"
#include "TestFiles.h"

#include <cstdint>
#include <cstring>
#include <gtest/gtest.h>
#include <sstream>

namespace curvix {
namespace {

using test::Bits;
using test::Bytes;
using test::FromBits;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

// The eight numbers in file order.
std::vector<std::uint32_t> FileOrderBits(CCurvixDoc& doc) {
    std::vector<std::uint32_t> bits;
    for (const float* number : doc.GetFileNumbers()) {
        bits.push_back(Bits(*number));
    }
    return bits;
}

void SetFileOrder(CCurvixDoc& doc, const std::vector<float>& values) {
    const auto numbers = doc.GetFileNumbers();
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        *numbers[i] = values[i];
    }
}

const std::vector<std::uint32_t> kDefaultBits = {0xC1200000, 0x41200000, 0,          0,
                                                 0,          0x41200000, 0x41200000, 0x3DCCCCCD};

// A .cvx file: length, text bytes, the byte after them, eight floats.
Bytes CvxFile(std::int32_t length, const std::string& text, unsigned char after,
              const std::vector<float>& numbers) {
    Bytes bytes;
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<unsigned char>(static_cast<std::uint32_t>(length) >> (8 * i)));
    }
    bytes.insert(bytes.end(), text.begin(), text.end());
    bytes.push_back(after);
    for (const float number : numbers) {
        const std::uint32_t bits = Bits(number);
        for (int i = 0; i < 4; ++i) {
            bytes.push_back(static_cast<unsigned char>(bits >> (8 * i)));
        }
    }
    return bytes;
}

const std::vector<float> kLoadedNumbers = {-1.0F, 1.0F, 30.0F, 45.0F, 60.0F, 5.0F, 6.0F, 0.5F};

// A main frame whose active view can be set, for the recomputation at the
// end of a load, registered as the main window of an application that
// holds only it.
class TestFrame : public CFrameWndBase, public CWinThread {
public:
    explicit TestFrame(CViewBase* active) : m_active(active) { AfxSetAppCmdTarget(this); }
    ~TestFrame() override { AfxSetAppCmdTarget(nullptr); }
    CViewBase* GetActiveView() const override { return m_active; }
    CFrameWndBase* GetMainWnd() override { return this; }

private:
    CViewBase* m_active;
};

class CountingView : public CViewBase {
public:
    void OnUpdate(CViewBase* /*sender*/, long /*hint*/, void* /*object*/) override { ++updates; }
    int updates = 0;
};

class CurvixDocFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder.Path().empty());
        view.SetDocument(&doc);
        view.SetScenePointers(doc.GetRotation(), doc.GetHalfExtents(), doc.GetRange(),
                              doc.GetStep());
        view.GetEvaluator().SetErrorStream(engineReports);
        doc.AddView(&view);
        doc.AddView(&counter);
    }

    Bytes Save() {
        const std::string path = folder.File("saved.cvx");
        EXPECT_TRUE(SaveDocumentFile(doc, path, error));
        return ReadBytes(path);
    }

    bool Open(const Bytes& bytes) {
        const std::string path = folder.File("opened.cvx");
        WriteBytes(path, bytes);
        return OpenDocumentFile(doc, path, error);
    }

    TempFolder folder;
    std::string error;
    std::ostringstream engineReports;
    CCurvixDoc doc;
    CCurvixScene view;
    CountingView counter;
};

TEST_F(CurvixDocFileTest, NumbersHaveTheirDefaultsFromConstruction) {
    EXPECT_EQ(FileOrderBits(doc), kDefaultBits);
    EXPECT_TRUE(doc.GetFormula().IsEmpty());
}

TEST_F(CurvixDocFileTest, DefaultDocumentIsStoredAs37Bytes) {
    SetFileOrder(doc, kLoadedNumbers);
    ASSERT_TRUE(doc.OnNewDocument());
    const Bytes expected = {0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x20, 0xC1, 0x00,
                            0x00, 0x20, 0x41, 0,    0,    0,    0,    0,    0,    0,
                            0,    0,    0,    0,    0,    0x00, 0x00, 0x20, 0x41, 0x00,
                            0x00, 0x20, 0x41, 0xCD, 0xCC, 0xCC, 0x3D};
    EXPECT_EQ(Save(), expected);
}

TEST_F(CurvixDocFileTest, FormulaIsStoredWithItsLengthAndAZeroByte) {
    doc.SetFormula("x^2");
    const Bytes bytes = Save();
    ASSERT_EQ(bytes.size(), 40U);
    EXPECT_EQ(Bytes(bytes.begin(), bytes.begin() + 8),
              (Bytes{0x03, 0x00, 0x00, 0x00, 0x78, 0x5E, 0x32, 0x00}));
}

TEST_F(CurvixDocFileTest, NumbersAreStoredInFileOrder) {
    doc.SetFormula("x");
    SetFileOrder(doc, kLoadedNumbers);
    EXPECT_EQ(Save(), CvxFile(1, "x", 0, kLoadedNumbers));
}

TEST_F(CurvixDocFileTest, EveryFloatSurvivesStoreAndLoadBitForBit) {
    const std::uint32_t patterns[] = {
        0x80000000U, 0x00000000U, 0x7FC00000U, 0xFFC00000U, 0x7FC12345U, 0x7F800001U, 0xFFBFFFFFU,
        0x00000001U, 0x807FFFFFU, 0x7F800000U, 0xFF800000U, 0x7F7FFFFFU, 0x3DCCCCCDU, 0x3EAAAAABU};
    for (const std::uint32_t bits : patterns) {
        std::vector<float> numbers(8, FromBits(bits));
        numbers[3] = 1.5F; // a neighbour that is not the pattern
        SetFileOrder(doc, numbers);
        Save();
        SetFileOrder(doc, kLoadedNumbers);
        ASSERT_TRUE(OpenDocumentFile(doc, folder.File("saved.cvx"), error));
        std::vector<std::uint32_t> expected(8, bits);
        expected[3] = Bits(1.5F);
        EXPECT_EQ(FileOrderBits(doc), expected) << std::hex << bits;
    }
}

TEST_F(CurvixDocFileTest, NonAsciiFormulaBytesRoundTrip) {
    const std::string text = "\x80\xE9\xFF x \x7F";
    doc.SetFormula(ExprString(text.data(), static_cast<int>(text.size())));
    const Bytes bytes = Save();
    EXPECT_EQ(Bytes(bytes.begin() + 4, bytes.begin() + 4 + static_cast<long>(text.size())),
              Bytes(text.begin(), text.end()));
    doc.SetFormula("other");
    ASSERT_TRUE(OpenDocumentFile(doc, folder.File("saved.cvx"), error));
    EXPECT_TRUE(doc.GetFormula() == ExprString(text.data(), static_cast<int>(text.size())));
    EXPECT_EQ(doc.GetFormula().At(0), 0xFF80);
}

struct LoadCase {
    const char* name;
    Bytes file;
    const char* formula;
};

TEST_F(CurvixDocFileTest, LoadsWhatTheFormatDefinesAndIgnoresTheRest) {
    Bytes trailing = CvxFile(3, "x^2", 0, kLoadedNumbers);
    trailing.insert(trailing.end(), {'j', 'u', 'n', 'k', 0});
    const LoadCase cases[] = {
        {"plain", CvxFile(3, "x^2", 0, kLoadedNumbers), "x^2"},
        {"odd byte after the text", CvxFile(3, "x^2", 'Q', kLoadedNumbers), "x^2"},
        {"zero byte inside the text", CvxFile(3, std::string("a\0b", 3), 0, kLoadedNumbers), "a"},
        {"empty", CvxFile(0, "", 0, kLoadedNumbers), ""},
        {"empty with odd byte", CvxFile(0, "", 'z', kLoadedNumbers), ""},
        {"bytes after the numbers", trailing, "x^2"},
    };
    for (const auto& c : cases) {
        doc.SetFormula("old");
        SetFileOrder(doc, std::vector<float>(8, 2.0F));
        EXPECT_TRUE(Open(c.file)) << c.name;
        EXPECT_TRUE(doc.GetFormula() == ExprString(c.formula)) << c.name;
        std::vector<std::uint32_t> expected;
        for (const float number : kLoadedNumbers) {
            expected.push_back(Bits(number));
        }
        EXPECT_EQ(FileOrderBits(doc), expected) << c.name;
        EXPECT_EQ(doc.GetTitle(), "opened.cvx");
    }
    EXPECT_TRUE(error.empty());
}

// After a failed load: the format error once, a new untitled document with
// the default numbers, the given formula, and no new curve.
void ExpectRejected(CCurvixDoc& doc, std::string& error, const CCurvixScene& view,
                    const char* formula, const std::string& what) {
    EXPECT_EQ(error, "Unexpected file format.") << what;
    EXPECT_EQ(FileOrderBits(doc), kDefaultBits) << what;
    EXPECT_TRUE(doc.GetFormula() == ExprString(formula)) << what << ": " << doc.GetFormula();
    EXPECT_EQ(doc.GetPathName(), "") << what;
    EXPECT_EQ(doc.GetTitle(), "Untitled") << what;
    EXPECT_FALSE(doc.IsModified()) << what;
    EXPECT_TRUE(view.GetVertices().IsEmpty()) << what;
}

TEST_F(CurvixDocFileTest, TruncatedFilesAreRejectedAtEveryLength) {
    TestFrame frame(&view); // a load that succeeded would sample
    const Bytes whole = CvxFile(3, "x^2", 0, kLoadedNumbers);
    for (std::size_t length = 1; length < whole.size(); ++length) {
        error.clear();
        doc.SetFormula("old");
        SetFileOrder(doc, kLoadedNumbers);
        doc.SetPathName("/earlier/file.cvx");
        EXPECT_FALSE(Open(Bytes(whole.begin(), whole.begin() + static_cast<long>(length))));
        // A length beyond the bytes left is refused before the text is
        // read; once the text is there it is taken, and the numbers are the
        // ones that run short.
        const char* formula = length < 7 ? "old" : "x^2";
        ExpectRejected(doc, error, view, formula, "length " + std::to_string(length));
    }
    EXPECT_EQ(counter.updates, 0);
}

TEST_F(CurvixDocFileTest, StoredLengthsThatCannotBeRightAreRejected) {
    TestFrame frame(&view);
    const std::string allLeft(37, 'a');
    const LoadCase cases[] = {
        {"negative", CvxFile(-1, "", 0, kLoadedNumbers), "old"},
        {"most negative", CvxFile(INT32_MIN, "", 0, kLoadedNumbers), "old"},
        // Beyond what the file holds: refused before anything is read.
        {"past the end", CvxFile(1000, "x^2", 0, kLoadedNumbers), "old"},
        {"largest", CvxFile(INT32_MAX, "x^2", 0, kLoadedNumbers), "old"},
        {"one past the bytes left", CvxFile(38, std::string(36, 'a'), 'a', {}), "old"},
        // Exactly what is left: read, and the numbers run short.
        {"all the bytes left", CvxFile(37, std::string(36, 'a'), 'a', {}), allLeft.c_str()},
    };
    for (const auto& c : cases) {
        error.clear();
        doc.SetFormula("old");
        EXPECT_FALSE(Open(c.file)) << c.name;
        ExpectRejected(doc, error, view, c.formula, c.name);
    }
}

TEST_F(CurvixDocFileTest, ZeroByteFileKeepsTheDocument) {
    doc.SetFormula("keep");
    SetFileOrder(doc, kLoadedNumbers);
    EXPECT_TRUE(Open({}));
    EXPECT_TRUE(doc.GetFormula() == ExprString("keep"));
    EXPECT_EQ(FileOrderBits(doc),
              (std::vector<std::uint32_t>{Bits(-1.0F), Bits(1.0F), Bits(30.0F), Bits(45.0F),
                                          Bits(60.0F), Bits(5.0F), Bits(6.0F), Bits(0.5F)}));
    EXPECT_EQ(doc.GetTitle(), "opened.cvx");
    EXPECT_TRUE(error.empty());
}

TEST_F(CurvixDocFileTest, NewKeepsTheFormulaAndSaveStoresItWithTheDefaults) {
    doc.SetFormula("x^2");
    SetFileOrder(doc, kLoadedNumbers);
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_TRUE(doc.GetFormula() == ExprString("x^2"));
    EXPECT_EQ(FileOrderBits(doc), kDefaultBits);
    EXPECT_EQ(Save(), CvxFile(3, "x^2", 0, {-10.0F, 10.0F, 0, 0, 0, 10.0F, 10.0F, 0.1F}));
}

TEST_F(CurvixDocFileTest, LoadWithAnActiveViewSamplesTheLoadedFormula) {
    TestFrame frame(&view);
    doc.SetFormula("sin(x)");
    ASSERT_TRUE(Open(CvxFile(3, "x^2", 0, kLoadedNumbers))); // x from -1 to 1 by 0.5
    const VertexArray& curve = view.GetVertices();
    ASSERT_EQ(curve.Size(), 10U);
    for (std::size_t i = 0; i < 5; ++i) {
        const float x = -1.0F + 0.5F * static_cast<float>(i);
        EXPECT_EQ(curve[2 * i], x);
        EXPECT_EQ(curve[2 * i + 1], x * x);
    }
    EXPECT_GE(counter.updates, 1);
    EXPECT_TRUE(doc.GetFormula() == ExprString("x^2"));
    // Saving right away stores the loaded formula again.
    EXPECT_EQ(Save(), CvxFile(3, "x^2", 0, kLoadedNumbers));
}

TEST_F(CurvixDocFileTest, LoadWithoutAnActiveViewDrawsOnceThereIsOne) {
    {
        ASSERT_TRUE(Open(CvxFile(3, "x^2", 0, kLoadedNumbers))); // no main frame
        EXPECT_TRUE(view.GetVertices().IsEmpty());
    }
    {
        TestFrame frame(nullptr); // a main frame without an active view
        ASSERT_TRUE(Open(CvxFile(3, "x^2", 0, kLoadedNumbers)));
        EXPECT_TRUE(view.GetVertices().IsEmpty());
    }
    TestFrame frame(&view);
    doc.DrawPendingCurve();
    EXPECT_EQ(view.GetVertices().Size(), 10U);
}

// Modified: Save would write other bytes than the file holds, whatever
// happened in between; a failed open keeps the changes it did not touch.
TEST_F(CurvixDocFileTest, IsModifiedWhenWhatSaveWritesDiffersFromTheFile) {
    const struct {
        const char* name;
        void (*change)(CCurvixDoc& doc, const std::string& file);
        bool modified;
    } cases[] = {
        {"the same formula taken", [](CCurvixDoc& d, const std::string&) { d.SetFormula("x^2"); },
         false},
        {"zero turned to -0", [](CCurvixDoc& d, const std::string&) { d.GetRotation()[0] = -0.0F; },
         true},
        {"a missing file failed to open",
         [](CCurvixDoc& d, const std::string& file) {
             d.SetFormula("x/3");
             std::string error;
             OpenDocumentFile(d, file + ".missing", error);
         },
         true},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(Open(CvxFile(3, "x^2", 0, std::vector<float>(8, 0.0F)))) << c.name;
        c.change(doc, folder.File("opened.cvx"));
        EXPECT_EQ(doc.IsModified(), c.modified) << c.name;
    }
}

} // namespace
} // namespace curvix
