#include "CurvixResources.h"
#include "Resource.h"

namespace curvix {

std::vector<MenuResource> CurvixMenus() {
    return {{IDR_MAINFRAME,
             {
                 {"&File", 0, MF_POPUP},
                 {"&New\tCtrl+N", ID_FILE_NEW, 0},
                 {"&Open...\tCtrl+O", ID_FILE_OPEN, 0},
                 {"&Save\tCtrl+S", ID_FILE_SAVE, 0},
                 {"Save &As...", ID_FILE_SAVE_AS, 0},
                 {"", 0, MF_SEPARATOR},
                 {"Recent File", ID_FILE_MRU_FILE1, MF_GRAYED},
                 {"", 0, MF_SEPARATOR},
                 {"E&xit", ID_APP_EXIT, 0},
                 {"&Edit", 0, MF_POPUP},
                 {"&Copy As Image\tCtrl+C", ID_EDIT_COPY, 0},
                 {"&View", 0, MF_POPUP},
                 {"&Toolbar", ID_VIEW_TOOLBAR, 0},
                 {"&Status Bar", ID_VIEW_STATUS_BAR, 0},
                 {"&Scene", 0, MF_POPUP},
                 {"&Antialiasing", ID_SCENE_ANTIALIASING, MF_CHECKED},
                 {"&Graduation", ID_SCENE_GRADUATION, MF_CHECKED},
                 {"", 0, MF_SEPARATOR},
                 {"Rotate Z &Left", ID_SCENE_ROTATE_Z_LEFT, 0},
                 {"Rotate Z &Right", ID_SCENE_ROTATE_Z_RIGHT, 0},
                 {"", 0, MF_SEPARATOR},
                 {"Zoom &In", ID_SCENE_ZOOM_IN, 0},
                 {"Zoom &Out", ID_SCENE_ZOOM_OUT, 0},
                 {"", 0, MF_SEPARATOR},
                 {"&Save as Image...", ID_SCENE_SAVE_AS_IMAGE, 0},
                 {"&Help", 0, MF_POPUP},
                 {"&About Curvix...", ID_APP_ABOUT, 0},
             }}};
}

std::vector<AccelTableResource> CurvixAccelerators() {
    constexpr unsigned char ctrl = FVIRTKEY | FCONTROL;
    constexpr unsigned char shift = FVIRTKEY | FSHIFT;
    constexpr unsigned char alt = FVIRTKEY | FALT;
    return {{IDR_MAINFRAME,
             {
                 {ctrl, 'N', ID_FILE_NEW},
                 {ctrl, 'O', ID_FILE_OPEN},
                 {ctrl, 'S', ID_FILE_SAVE},
                 {ctrl, 'Z', ID_EDIT_UNDO},
                 {ctrl, 'X', ID_EDIT_CUT},
                 {ctrl, 'C', ID_EDIT_COPY},
                 {ctrl, 'V', ID_EDIT_PASTE},
                 {alt, VK_BACK, ID_EDIT_UNDO},
                 {shift, VK_DELETE, ID_EDIT_CUT},
                 {ctrl, VK_INSERT, ID_EDIT_COPY},
                 {shift, VK_INSERT, ID_EDIT_PASTE},
                 {FVIRTKEY, VK_F6, ID_NEXT_PANE},
                 {shift, VK_F6, ID_PREV_PANE},
             }}};
}

} // namespace curvix
