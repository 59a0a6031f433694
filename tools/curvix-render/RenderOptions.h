#pragma once

#include <array>
#include <optional>
#include <string>

namespace curvix {

class CCurvixDoc;

enum class ImageFormat { kPng, kSvg, kPdf };

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
    ImageFormat format = ImageFormat::kPng; // from --format or the output name
    bool help = false;

    // The scene numbers given on the command line, in place of the
    // document's.
    std::optional<std::array<float, 2>> range;
    std::optional<float> step;
    std::optional<std::array<float, 2>> extents;
    std::optional<std::array<float, 3>> angles;
    bool rad = false; // the engine's rad is 1 before sampling
    bool version = false;
};

// Fills options from the arguments after the program name. On a mistake,
// returns false with a one-line reason in error.
bool ParseRenderArguments(int argc, const char* const* argv, RenderOptions& options,
                          std::string& error);

// Puts the command line's scene numbers into the document. False with a
// reason naming the option when they and the document's numbers would
// sample more than kMaxCurveSamples points.
bool ApplySceneOptions(const RenderOptions& options, CCurvixDoc& document, std::string& error);

// "WxH" with each side a whole number from 1 to kMaxSize.
bool ParseImageSize(const std::string& text, int& width, int& height);

} // namespace curvix
