#pragma once

#include <string>

namespace curvix {

// What the command line asks curvix-render for.
struct RenderOptions {
    static constexpr int kDefaultSize = 600;
    static constexpr int kMaxSize = 8192;

    std::string documentPath; // a .cvx file, or
    std::string formula;      // a formula for a new document
    bool fromFormula = false;
    std::string outputPath;
    int width = kDefaultSize;
    int height = kDefaultSize;
    bool help = false;
    bool version = false;
};

// Fills options from the arguments after the program name. On a mistake,
// returns false with a one-line reason in error.
bool ParseRenderArguments(int argc, const char* const* argv, RenderOptions& options,
                          std::string& error);

// "WxH" with each side a whole number from 1 to kMaxSize.
bool ParseImageSize(const std::string& text, int& width, int& height);

} // namespace curvix
