#pragma once

#include "SceneGeometry.h"

#include <string>

namespace curvix {

enum class VectorFormat { kSvg, kPdf };

// Draws the frame as vector shapes with cairo into an SVG or PDF page of
// the frame's image size (SVG user units, PDF points at 72 per inch, so one
// unit is one pixel): a black page, lines one unit wide and filled arrow
// heads in the scene's colour, the curve as one path, each shape cut to the
// clip volume as OpenGL cuts it.
//
// Writes to path, "-" being standard output, with the guarantees of
// WritePng: a file is replaced only by a complete page. False with
// "cannot write PATH: CAUSE" in error.
bool WriteVectorImage(const std::string& path, VectorFormat format, const FrameGeometry& frame,
                      std::string& error);

} // namespace curvix
