#include "CurvixResources.h"
#include "Resource.h"

namespace curvix {
namespace {
#include "images/CurvixIcon16.xpm"
#include "images/CurvixIcon32.xpm"
#include "images/DocumentIcon16.xpm"
#include "images/DocumentIcon32.xpm"
} // namespace

std::vector<IconResource> CurvixIcons() {
    return {{IDR_MAINFRAME, {CurvixIcon32_xpm, CurvixIcon16_xpm}},
            {IDR_CURVIXTYPE, {DocumentIcon32_xpm, DocumentIcon16_xpm}}};
}

} // namespace curvix
