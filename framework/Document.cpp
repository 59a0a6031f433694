#include "Document.h"

#include "Archive.h"
#include "FileErrors.h"
#include "SaveFile.h"
#include "ViewBase.h"

#include <algorithm>
#include <cerrno>
#include <sys/stat.h>

namespace curvix {

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
    const auto slash = path.find_last_of('/');
    m_strTitle = slash == std::string::npos ? path : path.substr(slash + 1);
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
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    struct stat status {};
    if (file == nullptr || ::fstat(::fileno(file), &status) != 0 || S_ISDIR(status.st_mode)) {
        const int systemError =
            file == nullptr ? errno : (S_ISDIR(status.st_mode) ? EISDIR : errno);
        if (file != nullptr) {
            std::fclose(file);
        }
        error = FileErrorText(systemError, path, FileAction::opening);
        return false;
    }

    DeleteContents();
    SetModifiedFlag(); // from here on a failure has changed the document
    CArchive archive(file, CArchive::load);
    if (status.st_size != 0) {
        Serialize(archive);
    }
    std::fclose(file);
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
        error = FileErrorText(file.GetSystemError(), path, FileAction::saving);
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
        error = FileErrorText(file.GetSystemError(), path, FileAction::saving);
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
        if (document.IsModified()) {
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
