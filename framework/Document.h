#pragma once

#include "CmdTarget.h"

#include <string>
#include <vector>

namespace curvix {

class CArchive;
class CViewBase;

// Base of the application's document: its file path and title, the views
// that show it, and the steps that open and save it through Serialize. It is
// a command target, so that commands routed through a view reach it.
class CDocument : public CCmdTarget {
public:
    CDocument() = default;
    ~CDocument() override;

    const std::string& GetPathName() const { return m_strPathName; }
    // Takes path as the document's file and its file name as the title.
    void SetPathName(const std::string& path);
    const std::string& GetTitle() const { return m_strTitle; }
    void SetTitle(const std::string& title) { m_strTitle = title; }

    // Whether the document holds changes its file does not (for a new
    // document: changes since New). The base knows only its flag; a
    // document that can compare its contents tells from those.
    virtual bool IsModified() const { return m_bModified; }
    // Clearing the flag says that the contents now are those of the file
    // (or of New); the framework does so after New, a load and a save.
    virtual void SetModifiedFlag(bool modified = true) { m_bModified = modified; }

    void AddView(CViewBase* view);
    void RemoveView(CViewBase* view);
    const std::vector<CViewBase*>& GetViews() const { return m_viewList; }
    // Calls OnUpdate on every attached view except sender.
    void UpdateAllViews(CViewBase* sender, long hint = 0, void* hintObject = nullptr);

    // Starts a new, empty document: contents dropped, no path, not modified.
    virtual bool OnNewDocument();
    virtual void Serialize(CArchive& archive);
    virtual void DeleteContents();

    // Reads the file into the document. A file of zero bytes is not given
    // to Serialize. On failure false is returned with the message in error;
    // LoadHasBegun() then tells whether the contents were already touched.
    virtual bool OnOpenDocument(const std::string& path, std::string& error);
    bool LoadHasBegun() const { return m_bLoadHasBegun; }
    // Writes the document to path without ever destroying the previous
    // file; on failure gives the message in error and changes nothing.
    virtual bool OnSaveDocument(const std::string& path, std::string& error);

private:
    std::string m_strPathName;
    std::string m_strTitle;
    bool m_bModified = false;
    bool m_bLoadHasBegun = false;
    std::vector<CViewBase*> m_viewList;
};

inline constexpr const char* kUntitled = "Untitled";

// File New, as the single-document template runs it on its one document:
// an untitled document from OnNewDocument, then the views are updated.
bool NewDocumentFile(CDocument& document);

// File Open, as the single-document template runs it: on success the
// document takes the path and its views are updated. When a load fails
// after it had begun, the document is re-initialised as a new, untitled one
// (OnNewDocument); when the file could not even be opened, nothing changes.
// On failure error holds the message for the user.
bool OpenDocumentFile(CDocument& document, const std::string& path, std::string& error);

// File Save and Save As: on success the document takes path as its file;
// on failure error holds the message for the user.
bool SaveDocumentFile(CDocument& document, const std::string& path, std::string& error);

} // namespace curvix
