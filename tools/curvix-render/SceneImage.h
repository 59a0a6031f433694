#pragma once

#include "VectorWriter.h"

#include <cstdint>
#include <string>
#include <vector>

namespace curvix {

class CCurvixDoc;

// A rendered frame: RGBA bytes, rows from the top.
struct SceneImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgba;
};

// Draws the document as the application's view shows it in a client area
// of width x height: the view is created with its OpenGL context (here an
// offscreen one), samples the formula as the Draw command does (with the
// engine's rad set to 1 first when rad is true), sets the projection as the
// size handler does and paints one frame, which is read back. False with a
// reason in error when no OpenGL context can be had.
bool RenderSceneImage(CCurvixDoc& document, int width, int height, SceneImage& image,
                      std::string& error, bool rad = false);

// The same frame as vector shapes, written to path; needs no OpenGL.
bool WriteSceneVector(CCurvixDoc& document, int width, int height, bool rad, VectorFormat format,
                      const std::string& path, std::string& error);

} // namespace curvix
