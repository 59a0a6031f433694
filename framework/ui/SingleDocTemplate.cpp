#include "SingleDocTemplate.h"

#include "Document.h"
#include "FrameWnd.h"

namespace curvix {

namespace {
constexpr const char* kFailedToCreate = "Failed to create empty document.";
} // namespace

CSingleDocTemplate::CSingleDocTemplate(UINT nIDResource, std::function<CDocument*()> newDocument,
                                       std::function<CFrameWnd*()> newFrame,
                                       std::function<CView*()> newView)
    : m_nIDResource(nIDResource), m_newDocument(std::move(newDocument)),
      m_newFrame(std::move(newFrame)), m_newView(std::move(newView)) {}

CSingleDocTemplate::~CSingleDocTemplate() {
    DropDocumentAndFrame();
}

std::string CSingleDocTemplate::GetDocString(DocStringIndex index) const {
    return AfxLoadSubString(m_nIDResource, index);
}

bool CSingleDocTemplate::CreateDocumentAndFrame() {
    m_pDocument.reset(m_newDocument ? m_newDocument() : nullptr);
    if (m_pDocument == nullptr)
        return false;
    m_pFrame.reset(m_newFrame ? m_newFrame() : nullptr);
    if (m_pFrame == nullptr)
        return false;
    CCreateContext context;
    context.m_pNewViewClass = m_newView;
    context.m_pCurrentDoc = m_pDocument.get();
    return m_pFrame->LoadFrame(m_nIDResource, &context);
}

void CSingleDocTemplate::DropDocumentAndFrame() {
    m_pFrame.reset();
    m_pDocument.reset();
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const char* path, std::string& error) {
    const bool created = m_pDocument == nullptr;
    if (created && !CreateDocumentAndFrame()) {
        DropDocumentAndFrame();
        error = kFailedToCreate;
        return nullptr;
    }
    const bool opened = path == nullptr ? NewDocumentFile(*m_pDocument)
                                        : curvix::OpenDocumentFile(*m_pDocument, path, error);
    if (!opened && created) {
        DropDocumentAndFrame();
        return nullptr;
    }
    UpdateFrameTitle();
    return opened ? m_pDocument.get() : nullptr;
}

bool CSingleDocTemplate::SaveDocument(const std::string& path, std::string& error) {
    if (m_pDocument == nullptr || !SaveDocumentFile(*m_pDocument, path, error))
        return false;
    UpdateFrameTitle();
    return true;
}

void CSingleDocTemplate::UpdateFrameTitle() {
    if (m_pFrame == nullptr || m_pDocument == nullptr)
        return;
    const std::string caption = m_pDocument->GetTitle() + (m_pDocument->IsModified() ? "*" : "") +
                                " - " + GetDocString(windowTitle);
    if (m_pFrame->GetWindowText() != caption)
        m_pFrame->SetWindowText(caption);
}

} // namespace curvix
