#include "RecentFileMenu.h"

#include "AfxRes.h"
#include "PathName.h"
#include "RecentFileList.h"

#include <filesystem>

namespace curvix {

void CRecentFileMenu::OnUpdate(CCmdUI* pCmdUI, const CRecentFileList* list) const {
    if (pCmdUI->m_nID != ID_FILE_MRU_FILE1) {
        pCmdUI->Enable(true);
        return;
    }
    pCmdUI->SetMenuItems(MenuTexts(list), m_sendCommand);
    pCmdUI->Enable(list != nullptr && !list->IsEmpty());
}

std::vector<std::string> CRecentFileMenu::MenuTexts(const CRecentFileList* list) {
    std::error_code error;
    const std::string folder = NameFromPath(std::filesystem::current_path(error));
    std::vector<std::string> texts;
    const std::size_t count = list != nullptr ? list->Entries().size() : 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::string text = "&" + std::to_string(i + 1) + " ";
        for (const char c : list->GetDisplayName(i, folder)) {
            text += c;
            if (c == '&')
                text += '&';
        }
        texts.push_back(std::move(text));
    }
    if (texts.empty())
        texts.emplace_back("Recent File");
    return texts;
}

} // namespace curvix
