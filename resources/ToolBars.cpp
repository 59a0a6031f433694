#include "CurvixResources.h"
#include "Resource.h"

namespace curvix {
namespace {
#include "images/FileToolBar.xpm"
#include "images/SceneToolBar.xpm"
} // namespace

std::vector<ToolBarResource> CurvixToolBars() {
    return {
        {IDR_MAINFRAME,
         16,
         15,
         {ID_FILE_NEW, ID_FILE_OPEN, ID_FILE_SAVE, 0, ID_EDIT_COPY, 0, ID_APP_ABOUT}},
        {IDR_SCENEBAR,
         16,
         15,
         {ID_SCENE_TOOL1, ID_SCENE_TOOL1, 0, ID_SCENE_TOOL2, ID_SCENE_TOOL3, 0,
          ID_SCENE_ROTATE_Z_RIGHT, ID_SCENE_ROTATE_Z_LEFT, 0, ID_SCENE_TOOL4}},
    };
}

std::vector<BitmapResource> CurvixBitmaps() {
    return {{IDR_MAINFRAME, FileToolBar_xpm}, {IDR_SCENEBAR, SceneToolBar_xpm}};
}

} // namespace curvix
