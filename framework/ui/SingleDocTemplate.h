#pragma once

#include "CmdTarget.h"

#include <functional>
#include <memory>
#include <string>

namespace curvix {

class CDocument;
class CFrameWnd;
class CView;

// Binds the one document, its frame and its view, all made on demand, and
// opens, renews and names that one document. The resource ID names the
// frame's menu, accelerators, icon and the document string, whose fields
// separated by line feeds are read with GetDocString.
class CSingleDocTemplate {
public:
    enum DocStringIndex {
        windowTitle,
        docName,
        fileNewName,
        filterName,
        filterExt,
        regFileTypeId,
        regFileTypeName,
    };

    CSingleDocTemplate(UINT nIDResource, std::function<CDocument*()> newDocument,
                       std::function<CFrameWnd*()> newFrame, std::function<CView*()> newView);
    ~CSingleDocTemplate();
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

    std::string GetDocString(DocStringIndex index) const;

    // Null path: a new untitled document. Otherwise the file is opened into
    // the document. The first call makes the document, the frame and the
    // view; when that first document cannot be made or opened, all of them
    // are dropped again. Null on failure, with the message in error.
    CDocument* OpenDocumentFile(const char* path, std::string& error);
    bool SaveDocument(const std::string& path, std::string& error);

    CDocument* GetDocument() const { return m_pDocument.get(); }
    CFrameWnd* GetFrame() const { return m_pFrame.get(); }

    // "<title> - <window title>" in the frame's caption, "<title>* - ..."
    // while the document is modified.
    void UpdateFrameTitle();

private:
    bool CreateDocumentAndFrame();
    void DropDocumentAndFrame();

    UINT m_nIDResource;
    std::function<CDocument*()> m_newDocument;
    std::function<CFrameWnd*()> m_newFrame;
    std::function<CView*()> m_newView;
    std::unique_ptr<CDocument> m_pDocument;
    std::unique_ptr<CFrameWnd> m_pFrame; // destroyed before the document
};

} // namespace curvix
