#pragma once

#include "Win32Api.h"

namespace curvix {

// A toolbar's images at a scale: the resource's bitmap with its standard
// greys, black and white mapped to the system's colours (as the toolbar
// control maps a bitmap it loads itself), every pixel made a square of
// factor x factor pixels, in an image list masked by the button face.
// Null when the bitmap is missing or holds fewer than count images of
// image's size.
HIMAGELIST AfxLoadToolBarImages(UINT nIDResource, SIZE image, int count, int factor);

// A bitmap with every pixel of source made a square of factor x factor
// pixels; the caller owns it. Null when it cannot be made.
HBITMAP AfxEnlargeBitmap(HBITMAP source, int factor);

} // namespace curvix
