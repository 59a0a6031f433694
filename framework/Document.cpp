#include "Document.h"

#include "Archive.h"
#include "FileErrors.h"
#include "PathName.h"
#include "ReadFile.h"
#include "SaveFile.h"
#include "ViewBase.h"

#include <algorithm>

namespace curvix {

// A view leaves the document it is attached to when it goes; the document
// keeps the list.
CViewBase::~CViewBase() {
    if (m_pAttachedDocument != nullptr) {
        m_pAttachedDocument->RemoveView(this);
    }
}

namespace {

std::string ArchiveErrorText(const CArchive& archive, const std::string& path, FileAction action) {
    switch (archive.GetError()) {
    case CArchive::Error::endOfFile:
    case CArchive::Error::badFormat:
        return kUnexpectedFileFormat;
    case CArchive::Error::none:
    case CArchive::Error::readFailed:
    case CArchive::Error::writeFailed:
        break;
    }
    return FileErrorText(archive.GetSystemError(), path, action);
}

} // namespace

CDocument::~CDocument() {
    for (CViewBase* view : m_viewList) {
        view->m_pAttachedDocument = nullptr;
    }
}

void CDocument::SetPathName(const std::string& path) {
    m_strPathName = path;
    m_strTitle = FileNameOf(path);
}

void CDocument::AddView(CViewBase* view) {
    if (view == nullptr || view->m_pAttachedDocument == this) {
        return;
    }
    if (view->m_pAttachedDocument != nullptr) {
        view->m_pAttachedDocument->RemoveView(view);
    }
    m_viewList.push_back(view);
    view->m_pAttachedDocument = this;
}

void CDocument::RemoveView(CViewBase* view) {
    const auto found = std::find(m_viewList.begin(), m_viewList.end(), view);
    if (found != m_viewList.end()) {
        m_viewList.erase(found);
        view->m_pAttachedDocument = nullptr;
    }
}

void CDocument::UpdateAllViews(CViewBase* sender, long hint, void* hintObject) {
    for (CViewBase* view : m_viewList) {
        if (view != sender) {
            view->OnUpdate(sender, hint, hintObject);
        }
    }
}

bool CDocument::OnNewDocument() {
    DeleteContents();
    m_strPathName.clear();
    SetModifiedFlag(false);
    return true;
}

void CDocument::Serialize(CArchive& /*archive*/) {}

void CDocument::DeleteContents() {}

bool CDocument::OnOpenDocument(const std::string& path, std::string& error) {
    m_bLoadHasBegun = false;
    CReadFile file;
    if (!file.Open(path)) {
        error = OpenErrorText(file, path);
        return false;
    }

    DeleteContents();
    m_bLoadHasBegun = true; // from here on a failure has changed the document
    SetModifiedFlag();
    CArchive archive(file.File(), CArchive::load, file.Size());
    if (file.Size() != 0) {
        Serialize(archive);
    }
    if (archive.Failed()) {
        DeleteContents();
        error = ArchiveErrorText(archive, path, FileAction::reading);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnSaveDocument(const std::string& path, std::string& error) {
    CSaveFile file;
    if (!file.Open(path)) {
        error = SaveErrorText(file, path);
        return false;
    }
    CArchive archive(file.File(), CArchive::store);
    Serialize(archive);
    if (!archive.Flush()) {
        file.Cancel();
        error = ArchiveErrorText(archive, path, FileAction::saving);
        return false;
    }
    if (!file.Commit()) {
        error = SaveErrorText(file, path);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool NewDocumentFile(CDocument& document) {
    document.SetTitle(kUntitled);
    if (!document.OnNewDocument()) {
        return false;
    }
    document.UpdateAllViews(nullptr);
    return true;
}

bool OpenDocumentFile(CDocument& document, const std::string& path, std::string& error) {
    if (!document.OnOpenDocument(path, error)) {
        if (document.LoadHasBegun()) {
            // The failed load has already replaced part of the contents.
            document.SetTitle(kUntitled);
            document.OnNewDocument();
        }
        return false;
    }
    document.SetPathName(path);
    document.UpdateAllViews(nullptr);
    return true;
}

bool SaveDocumentFile(CDocument& document, const std::string& path, std::string& error) {
    if (!document.OnSaveDocument(path, error)) {
        return false;
    }
    document.SetPathName(path);
    return true;
}

} // namespace curvix
