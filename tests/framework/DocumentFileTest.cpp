#include "Archive.h"
#include "Document.h"
#include "FileAccessAsUser.h"
#include "TestFiles.h"
#include "ViewBase.h"

#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace curvix {
namespace {

using test::Bytes;
using test::FileAccessAsUser;
using test::ReadBytes;
using test::TempFolder;
using test::WriteBytes;

// A document of one text, stored as an int32 length and the bytes.
class TextDocument : public CDocument {
public:
    bool OnNewDocument() override {
        ++newCalls;
        return CDocument::OnNewDocument();
    }
    void Serialize(CArchive& archive) override {
        ++serializeCalls;
        if (archive.IsStoring()) {
            archive << static_cast<std::int32_t>(text.size());
            archive.Write(text.data(), text.size());
        } else {
            std::int32_t length = 0;
            archive >> length;
            text = archive.ReadUpTo(length);
            if (text.size() != static_cast<std::size_t>(length)) {
                archive.SetError(CArchive::Error::endOfFile);
            }
        }
    }

    std::string text;
    int newCalls = 0;
    int serializeCalls = 0;
};

class CountingView : public CViewBase {
public:
    void OnUpdate(CViewBase* sender, long hint, void* hintObject) override {
        ++updates;
        lastSender = sender;
        lastHint = hint;
        lastObject = hintObject;
    }
    int updates = 0;
    CViewBase* lastSender = nullptr;
    long lastHint = -1;
    void* lastObject = this;
};

const Bytes kHelloFile = {5, 0, 0, 0, 'h', 'e', 'l', 'l', 'o'};

class DocumentFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(folder.Path().empty());
        document.text = "before";
        document.SetPathName("/somewhere/old.txt");
    }

    TempFolder folder;
    std::string error;
    TextDocument document;
};

TEST_F(DocumentFileTest, OpenReadsTheFileAndTakesItsPath) {
    const std::string path = folder.File("hello.doc");
    WriteBytes(path, kHelloFile);
    CountingView view;
    document.AddView(&view);
    EXPECT_TRUE(OpenDocumentFile(document, path, error));
    EXPECT_EQ(document.text, "hello");
    EXPECT_EQ(document.GetPathName(), path);
    EXPECT_EQ(document.GetTitle(), "hello.doc");
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(view.updates, 1);
    EXPECT_EQ(view.lastSender, nullptr);
    EXPECT_TRUE(error.empty());
}

TEST_F(DocumentFileTest, ZeroByteFileOpensWithoutSerialize) {
    const std::string path = folder.File("empty.doc");
    WriteBytes(path, {});
    EXPECT_TRUE(OpenDocumentFile(document, path, error));
    EXPECT_EQ(document.serializeCalls, 0);
    EXPECT_EQ(document.newCalls, 0);
    EXPECT_EQ(document.text, "before");
    EXPECT_EQ(document.GetTitle(), "empty.doc");
    EXPECT_TRUE(error.empty());
}

TEST_F(DocumentFileTest, FailedLoadStartsANewUntitledDocument) {
    const std::string path = folder.File("short.doc");
    WriteBytes(path, {5, 0, 0, 0, 'h', 'e'});
    EXPECT_FALSE(OpenDocumentFile(document, path, error));
    EXPECT_EQ(error, "Unexpected file format.");
    EXPECT_EQ(document.newCalls, 1);
    EXPECT_EQ(document.GetPathName(), "");
    EXPECT_EQ(document.GetTitle(), "Untitled");
    EXPECT_FALSE(document.IsModified());
}

struct UnopenableCase {
    const char* name;
    std::string (*path)(const TempFolder&);
    const char* text; // with %s for the path, or a fixed text
};

TEST_F(DocumentFileTest, FilesThatCannotBeOpenedChangeNothing) {
    const UnopenableCase cases[] = {
        {"missing", [](const TempFolder& f) { return f.File("nope.doc"); }, "%s was not found."},
        {"missing folder", [](const TempFolder& f) { return f.File("no/such.doc"); },
         "%s was not found."},
        {"folder", [](const TempFolder& f) { return f.Path(); },
         "Failed to open document. %s is a directory."},
    };
    document.SetModifiedFlag(); // changes the failed opens must keep
    for (const auto& c : cases) {
        error.clear();
        const std::string path = c.path(folder);
        EXPECT_FALSE(OpenDocumentFile(document, path, error)) << c.name;
        EXPECT_TRUE(document.IsModified()) << c.name;
        std::string expected = c.text;
        if (const auto at = expected.find("%s"); at != std::string::npos) {
            expected.replace(at, 2, path);
        }
        EXPECT_EQ(error, expected) << c.name;
        EXPECT_EQ(document.text, "before") << c.name;
        EXPECT_EQ(document.GetPathName(), "/somewhere/old.txt") << c.name;
        EXPECT_EQ(document.newCalls, 0) << c.name;
        EXPECT_EQ(document.serializeCalls, 0) << c.name;
    }
}

TEST_F(DocumentFileTest, SaveWritesAndTakesThePath) {
    const std::string path = folder.File("saved.doc");
    document.text = "hello";
    EXPECT_TRUE(SaveDocumentFile(document, path, error));
    EXPECT_EQ(ReadBytes(path), kHelloFile);
    EXPECT_EQ(document.GetPathName(), path);
    EXPECT_EQ(folder.Entries(), std::vector<std::string>{"saved.doc"}); // no temporary left
    EXPECT_TRUE(error.empty());
}

TEST_F(DocumentFileTest, SaveOverAFileKeepsItsPermissions) {
    const std::string path = folder.File("old.doc");
    WriteBytes(path, {1, 2, 3});
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    document.text = "hello";
    EXPECT_TRUE(SaveDocumentFile(document, path, error));
    EXPECT_EQ(ReadBytes(path), kHelloFile);
    struct stat status {};
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0640U);
}

TEST_F(DocumentFileTest, SaveThroughASymbolicLinkReplacesItsTarget) {
    const std::string target = folder.File("target.doc");
    const std::string link = folder.File("link.doc");
    WriteBytes(target, {1, 2, 3});
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    document.text = "hello";
    EXPECT_TRUE(SaveDocumentFile(document, link, error));
    EXPECT_EQ(ReadBytes(target), kHelloFile);
    struct stat status {};
    ASSERT_EQ(::lstat(link.c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
}

TEST_F(DocumentFileTest, SaveThroughADanglingLinkCreatesItsTargetAndKeepsTheLink) {
    const std::string link = folder.File("link.doc");
    ASSERT_EQ(::symlink("target.doc", link.c_str()), 0);
    document.text = "hello";
    EXPECT_TRUE(SaveDocumentFile(document, link, error));
    EXPECT_EQ(ReadBytes(folder.File("target.doc")), kHelloFile);
    struct stat status {};
    ASSERT_EQ(::lstat(link.c_str(), &status), 0);
    EXPECT_TRUE(S_ISLNK(status.st_mode));
}

// Checks that a failed save reported text, kept the old file byte for byte,
// left no temporary file and did not rename the document.
void ExpectFailedSave(TextDocument& document, std::string& error, const TempFolder& folder,
                      const std::string& path, const std::string& text) {
    const Bytes old = ReadBytes(path);
    const auto entries = folder.Entries();
    document.text = std::string(1000, 'n');
    EXPECT_FALSE(SaveDocumentFile(document, path, error));
    EXPECT_EQ(error, text);
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(folder.Entries(), entries);
    EXPECT_EQ(document.GetPathName(), "/somewhere/old.txt");
    EXPECT_EQ(document.text, std::string(1000, 'n'));
}

TEST_F(DocumentFileTest, SaveIntoAMissingFolderFails) {
    const std::string path = folder.File("no/such.doc");
    ExpectFailedSave(document, error, folder, path, path + " was not found.");
}

// /proc makes no files: nothing there is missing, so the message gives the
// system's own cause.
TEST_F(DocumentFileTest, SaveWhereTheFileSystemMakesNoFilesNamesTheCause) {
    EXPECT_FALSE(SaveDocumentFile(document, "/proc/nope.doc", error));
    EXPECT_EQ(error, "Failed to save document. /proc/nope.doc: No such file or directory.");
    EXPECT_EQ(document.GetPathName(), "/somewhere/old.txt");
}

TEST_F(DocumentFileTest, SaveOverAFolderFails) {
    ExpectFailedSave(document, error, folder, folder.Path(),
                     "Failed to save document. " + folder.Path() + " is a directory.");
}

TEST_F(DocumentFileTest, SaveToAFullDiskFails) {
    if (::access("/dev/full", W_OK) != 0) {
        GTEST_SKIP() << "no /dev/full";
    }
    document.text = std::string(100000, 'n'); // more than a stdio buffer
    EXPECT_FALSE(SaveDocumentFile(document, "/dev/full", error));
    EXPECT_EQ(error, "Disk full while accessing /dev/full.");
    EXPECT_EQ(document.GetPathName(), "/somewhere/old.txt");
}

TEST_F(DocumentFileTest, SaveThatRunsOutOfSpaceKeepsTheOldFile) {
    // A file size limit makes the write fail part way, as a full disk does.
    const std::string path = folder.File("old.doc");
    WriteBytes(path, kHelloFile);
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 100;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    ExpectFailedSave(document, error, folder, path, "Disk full while accessing " + path + ".");
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
}

TEST_F(DocumentFileTest, SaveIntoAReadOnlyFolderKeepsTheOldFile) {
    const std::string path = folder.File("old.doc");
    WriteBytes(path, kHelloFile);
    ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
    const FileAccessAsUser asUser;
    ASSERT_TRUE(asUser.Binds());
    ExpectFailedSave(document, error, folder, path, "Access to " + path + " was denied.");
}

TEST(DocumentViewsTest, UpdateAllViewsSkipsTheSenderAndPassesTheHint) {
    TextDocument document;
    CountingView first;
    CountingView second;
    document.AddView(&first);
    document.AddView(&second);
    document.AddView(&second); // once only
    int object = 0;
    document.UpdateAllViews(&first, 7, &object);
    EXPECT_EQ(first.updates, 0);
    EXPECT_EQ(second.updates, 1);
    EXPECT_EQ(second.lastSender, &first);
    EXPECT_EQ(second.lastHint, 7);
    EXPECT_EQ(second.lastObject, &object);
}

TEST(DocumentViewsTest, DestroyedViewLeavesItsDocument) {
    TextDocument document;
    {
        CountingView view;
        document.AddView(&view);
        EXPECT_EQ(view.GetAttachedDocument(), &document);
    }
    EXPECT_TRUE(document.GetViews().empty());
    document.UpdateAllViews(nullptr);
}

TEST_F(DocumentFileTest, NewGivesAnUntitledDocumentAndUpdatesTheViews) {
    CountingView view;
    document.AddView(&view);
    document.SetModifiedFlag();
    EXPECT_TRUE(NewDocumentFile(document));
    EXPECT_EQ(document.newCalls, 1);
    EXPECT_EQ(document.GetPathName(), "");
    EXPECT_EQ(document.GetTitle(), "Untitled");
    EXPECT_FALSE(document.IsModified());
    EXPECT_EQ(view.updates, 1);
}

TEST(DocumentViewsTest, NewDocumentForgetsThePathAndTheModifiedFlag) {
    TextDocument document;
    document.SetPathName("/a/b.doc");
    document.SetModifiedFlag();
    EXPECT_TRUE(document.OnNewDocument());
    EXPECT_EQ(document.GetPathName(), "");
    EXPECT_FALSE(document.IsModified());
}

} // namespace
} // namespace curvix
