#include "CurvixIdentity.h"
#include "CurvixResources.h"
#include "Resource.h"

namespace curvix {

std::vector<StringResource> CurvixStrings() {
    return {
        {IDR_MAINFRAME, "Curvix\n\nFunction\nCurvix Files (*.cvx)\n.cvx\nCurvix.Document\nCurvix "
                        "Function"},
        {AFX_IDS_APP_TITLE, "Curvix"},
        {AFX_IDS_IDLEMESSAGE, "Ready"},
        {ID_INDICATOR_SIZE, "1024x1024"},
        {ID_FILE_NEW, "Create a new document\nNew"},
        {ID_FILE_OPEN, "Open an existing document\nOpen"},
        {ID_FILE_SAVE, "Save the active document\nSave"},
        {ID_FILE_SAVE_AS, "Save the active document with a new name\nSave As"},
        {ID_FILE_MRU_FILE1, "Open this document"},
        {ID_FILE_MRU_FILE2, "Open this document"},
        {ID_FILE_MRU_FILE3, "Open this document"},
        {ID_FILE_MRU_FILE4, "Open this document"},
        {ID_APP_EXIT, "Quit the application; prompts to save documents\nExit"},
        {ID_EDIT_COPY, "Copy the selection and put it on the Clipboard\nCopy"},
        {ID_VIEW_TOOLBAR, "Show or hide the toolbar\nToggle ToolBar"},
        {ID_VIEW_STATUS_BAR, "Show or hide the status bar\nToggle StatusBar"},
        {ID_APP_ABOUT, "Display program information, version number and copyright\nAbout"},
        {ID_EDIT_UNDO, "Undo the last action\nUndo"},
        {ID_EDIT_CUT, "Cut the selection and put it on the Clipboard\nCut"},
        {ID_EDIT_PASTE, "Insert Clipboard contents\nPaste"},
        {ID_NEXT_PANE, "Switch to the next window pane\nNext Pane"},
        {ID_PREV_PANE, "Switch back to the previous window pane\nPrevious Pane"},
    };
}

VersionResource CurvixVersion() {
    const unsigned short* v = kCurvixVersionParts;
    return {{v[0], v[1], v[2], v[3]},
            {v[0], v[1], v[2], v[3]},
            kCurvixVersionCommas,
            kCurvixVersionCommas,
            true,
            "Curvix",
            "Curvix Application"};
}

} // namespace curvix
