#pragma once

#include "CmdTarget.h"

#include <functional>
#include <string>
#include <vector>

namespace curvix {

class CRecentFileList;

// The File menu's recent-file items. The menu resource holds one of them,
// ID_FILE_MRU_FILE1: it shows the newest file, or "Recent File" while the
// list is empty, and the other files get items of their own after it.
class CRecentFileMenu {
public:
    // sendCommand carries a chosen item's command to the main window.
    explicit CRecentFileMenu(std::function<void(UINT)> sendCommand)
        : m_sendCommand(std::move(sendCommand)) {}

    // The update step of a recent-file item. For ID_FILE_MRU_FILE1 the
    // items are rebuilt from list (null: no list) and enabled when it has
    // entries; the items after it are always enabled.
    void OnUpdate(CCmdUI* pCmdUI, const CRecentFileList* list) const;

    // The items' texts: "&1 name" and so on, names shown relative to the
    // current folder with "&" doubled; "Recent File" for an empty list.
    static std::vector<std::string> MenuTexts(const CRecentFileList* list);

private:
    std::function<void(UINT)> m_sendCommand;
};

} // namespace curvix
