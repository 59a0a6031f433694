#pragma once

#include "ResourceTable.h"

namespace curvix {

// The program's whole resource table, built once.
const ResourceTable& GetCurvixResources();

// Parts of the table, one per kind of resource.
std::vector<MenuResource> CurvixMenus();
std::vector<AccelTableResource> CurvixAccelerators();
std::vector<ToolBarResource> CurvixToolBars();
std::vector<BitmapResource> CurvixBitmaps();
std::vector<IconResource> CurvixIcons();
std::vector<DialogResource> CurvixDialogs();
std::vector<StringResource> CurvixStrings();
VersionResource CurvixVersion();

} // namespace curvix
