#include "CurvixResources.h"

namespace curvix {

const ResourceTable& GetCurvixResources() {
    static const ResourceTable table{CurvixMenus(),   CurvixAccelerators(), CurvixToolBars(),
                                     CurvixBitmaps(), CurvixIcons(),        CurvixDialogs(),
                                     CurvixStrings(), CurvixVersion()};
    return table;
}

} // namespace curvix
