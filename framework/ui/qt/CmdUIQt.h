#pragma once

#include "CmdTarget.h"

class QAction;
class QAbstractButton;

namespace curvix {

// The property that carries a menu action's command ID: the frame sets it
// when it builds the menus, the recent-file items on the items they add.
inline constexpr const char* kCommandProperty = "curvixCommand";

// Command state for a menu item or a toolbar button.
class CActionCmdUI : public CCmdUI {
public:
    CActionCmdUI(QAction* action, UINT nID);
    void Enable(bool bOn = true) override;
    void SetCheck(int nCheck = 1) override;
    // The item's own text, then items of its own after it for the others;
    // rebuilt only when the texts have changed.
    void SetMenuItems(const std::vector<std::string>& texts,
                      const std::function<void(UINT)>& sendCommand) override;
    QAction* GetAction() const { return m_pAction; }

private:
    QAction* m_pAction;
};

// Command state for a push button of a dialog bar.
class CButtonCmdUI : public CCmdUI {
public:
    CButtonCmdUI(QAbstractButton* button, UINT nID);
    void Enable(bool bOn = true) override;

private:
    QAbstractButton* m_pButton;
};

} // namespace curvix
