#pragma once

namespace curvix {

// Qt's file dialogs keep their history, sidebar and view mode in the
// settings of "QtProject", one file in the home that every Qt program
// shares and none may remove. Ours keep them for the login session in the
// runtime folder ($XDG_RUNTIME_DIR, else the temporary folder) instead, so
// that unregistering leaves a home as it was. Call before the first dialog;
// later calls do nothing.
void KeepDialogStateOutOfHome();

} // namespace curvix
