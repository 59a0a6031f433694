#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace curvix {

class CCurvixDoc;

// A frame presented by an offscreen WglDevice: RGBA bytes, rows from the
// top.
struct WglImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// Draws the document as the view shows it in a client area of width x
// height, through WGL offscreen: the scene is created with its context,
// attached to the document, samples the formula as the Draw command does,
// sets the projection as the size handler does and paints one frame, which
// is read back. False with a reason in error when no context can be had.
bool RenderDocumentWgl(CCurvixDoc& document, int width, int height, WglImage& image,
                       std::string& error);

} // namespace curvix
