#pragma once

namespace curvix {

// Qt's file dialogs read and write their history, sidebar and view mode in
// the per-user settings of "QtProject", one file in the home that every Qt
// program shares and none may remove. While one of these lives, per-user
// settings opened go to the runtime folder ($XDG_RUNTIME_DIR, else the
// temporary folder) instead, so that a dialog made and destroyed in its
// lifetime keeps its state there for the login session and unregistering
// leaves a home as it was. Settings opened before (the program's own)
// stay where they are.
class DialogStateOutOfHome {
public:
    DialogStateOutOfHome();
    ~DialogStateOutOfHome();
    DialogStateOutOfHome(const DialogStateOutOfHome&) = delete;
    DialogStateOutOfHome& operator=(const DialogStateOutOfHome&) = delete;
};

} // namespace curvix
