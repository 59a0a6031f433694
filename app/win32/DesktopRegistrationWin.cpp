#include "AfxRes.h"
#include "CurvixIdentity.h"
#include "DesktopRegistration.h"
#include "ResourceTable.h"
#include "ShellRegistrationWin.h"
#include "WinApp.h"
#include "WinSystem.h"

// Windows' shell learns of the program and its documents from the keys
// under HKEY_CLASSES_ROOT that the document template's string names.

namespace curvix {

namespace {

CShellDocumentType DocumentType() {
    const CWinApp* app = AfxGetApp();
    const CSingleDocTemplate* docTemplate = app != nullptr ? app->GetDocTemplate() : nullptr;
    if (docTemplate == nullptr)
        return {};
    return {WideFromUtf8(docTemplate->GetDocString(CSingleDocTemplate::regFileTypeId)),
            WideFromUtf8(docTemplate->GetDocString(CSingleDocTemplate::regFileTypeName)),
            WideFromUtf8(docTemplate->GetDocString(CSingleDocTemplate::filterExt))};
}

} // namespace

// Windows matches windows to the program by its file.
void IdentifyToDesktop() {}

void RegisterWithDesktop() {
    const std::wstring module = AfxModulePath();
    if (module.empty())
        return;
    const CShellRegistrationResult result =
        RegisterShellDocumentType(HKEY_CLASSES_ROOT, DocumentType(), AfxShortPath(module),
                                  AfxDocumentIconIndex(module), AfxSystemRegistryWriter());
    if (result.keysChanged > 0)
        AfxNotifyAssociationsChanged();
}

void UnregisterFromDesktop() {
    UnregisterShellDocumentType(HKEY_CLASSES_ROOT, DocumentType(), AfxSystemRegistryWriter());
    AfxNotifyAssociationsChanged();
    AfxRemoveSettingsKey(WideFromUtf8(kCurvixOrganisation),
                         WideFromUtf8(AfxLoadString(AFX_IDS_APP_TITLE)));
}

} // namespace curvix
