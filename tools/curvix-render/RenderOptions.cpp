#include "RenderOptions.h"

#include "CurveSampler.h"
#include "CurvixDoc.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstring>

namespace curvix {

namespace {

bool ParseSide(const char* first, const char* last, int& side) {
    if (first == last || *first < '0' || *first > '9') {
        return false;
    }
    const auto [end, problem] = std::from_chars(first, last, side);
    return problem == std::errc() && end == last && side >= 1 && side <= RenderOptions::kMaxSize;
}

// count finite single-precision numbers separated by ':', read as a
// document holds them and the same in every locale.
template <std::size_t count>
bool ParseFloats(const std::string& text, std::array<float, count>& values) {
    const char* p = text.data();
    const char* const end = p + text.size();
    for (std::size_t i = 0; i < count; ++i) {
        const auto result = std::from_chars(p, end, values[i], std::chars_format::general);
        if (result.ec != std::errc() || !std::isfinite(values[i])) {
            return false;
        }
        p = result.ptr;
        const bool last = i + 1 == count;
        if (last ? p != end : (p == end || *p != ':')) {
            return false;
        }
        ++p;
    }
    return true;
}

constexpr const char* kSceneOptions[] = {"--range", "--step", "--extents", "--angles"};

// Reads the value of one of kSceneOptions into options.
bool ParseSceneOption(const std::string& name, const std::string& value, RenderOptions& options,
                      std::string& error) {
    bool ok = false;
    const char* form = "XMIN:XMAX";
    if (name == "--range") {
        ok = ParseFloats(value, options.range.emplace());
    } else if (name == "--extents") {
        form = "EX:EY";
        ok = ParseFloats(value, options.extents.emplace());
    } else if (name == "--angles") {
        form = "A:B:C";
        ok = ParseFloats(value, options.angles.emplace());
    } else {
        std::array<float, 1> step{};
        ok = ParseFloats(value, step) && step[0] > 0.0F;
        options.step = step[0];
        if (!ok) {
            error = "option --step: '" + value + "' is not a positive finite number";
            return false;
        }
    }
    if (!ok) {
        error =
            "option " + name + ": '" + value + "' is not " + form + " with each a finite number";
    }
    return ok;
}

std::string Shortest(float value) {
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return {text, result.ptr};
}

bool IsSceneOption(const char* argument) {
    return std::any_of(std::begin(kSceneOptions), std::end(kSceneOptions),
                       [&](const char* name) { return std::strcmp(argument, name) == 0; });
}

std::string LowerExtension(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) {
        return "";
    }
    std::string extension = path.substr(dot + 1);
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

bool FormatNamed(const std::string& name, ImageFormat& format) {
    static constexpr std::pair<const char*, ImageFormat> kNames[] = {
        {"png", ImageFormat::kPng}, {"svg", ImageFormat::kSvg}, {"pdf", ImageFormat::kPdf}};
    for (const auto& [text, value] : kNames) {
        if (name == text) {
            format = value;
            return true;
        }
    }
    return false;
}

// The format from --format (empty when not given) and the output name.
bool ResolveFormat(const std::string& given, RenderOptions& options, std::string& error) {
    const std::string& path = options.outputPath;
    ImageFormat named = ImageFormat::kPng;
    const bool nameTells = path != "-" && FormatNamed(LowerExtension(path), named);
    if (given.empty()) {
        if (path == "-") {
            error = "standard output (-o -) needs --format png, svg or pdf";
            return false;
        }
        if (!nameTells) {
            error = "cannot tell the image format of '" + path +
                    "': name it .png, .svg or .pdf, or give --format";
            return false;
        }
        options.format = named;
        return true;
    }
    if (!FormatNamed(given, options.format)) {
        error = "unknown format '" + given + "': expected png, svg or pdf";
        return false;
    }
    if (nameTells && named != options.format) {
        error = "output name '" + path + "' does not match --format " + given;
        return false;
    }
    return true;
}

} // namespace

bool ParseImageSize(const std::string& text, int& width, int& height) {
    const std::size_t x = text.find('x');
    if (x == std::string::npos) {
        return false;
    }
    const char* begin = text.data();
    return ParseSide(begin, begin + x, width) &&
           ParseSide(begin + x + 1, begin + text.size(), height);
}

bool ParseRenderArguments(int argc, const char* const* argv, RenderOptions& options,
                          std::string& error) {
    bool haveInput = false;
    std::string format;
    for (int i = 0; i < argc; ++i) {
        const char* argument = argv[i];
        const bool takesValue = std::strcmp(argument, "-o") == 0 ||
                                std::strcmp(argument, "--formula") == 0 ||
                                std::strcmp(argument, "--size") == 0 ||
                                std::strcmp(argument, "--format") == 0 || IsSceneOption(argument);
        if (takesValue && i + 1 >= argc) {
            error = std::string("option ") + argument + " needs a value";
            return false;
        }
        if (std::strcmp(argument, "-h") == 0 || std::strcmp(argument, "--help") == 0) {
            options.help = true;
            return true;
        } else if (std::strcmp(argument, "--version") == 0) {
            options.version = true;
            return true;
        } else if (std::strcmp(argument, "-o") == 0) {
            options.outputPath = argv[++i];
        } else if (std::strcmp(argument, "--format") == 0) {
            format = argv[++i];
        } else if (std::strcmp(argument, "--rad") == 0) {
            options.rad = true;
        } else if (IsSceneOption(argument)) {
            if (!ParseSceneOption(argument, argv[++i], options, error)) {
                return false;
            }
        } else if (std::strcmp(argument, "--size") == 0) {

            const std::string size = argv[++i];
            if (!ParseImageSize(size, options.width, options.height)) {
                error = "size '" + size + "' out of range: expected WxH with each side from 1 to " +
                        std::to_string(RenderOptions::kMaxSize);
                return false;
            }
        } else if (std::strcmp(argument, "--formula") == 0) {
            if (haveInput) {
                error = "give either one document or one --formula";
                return false;
            }
            options.formula = argv[++i];
            options.fromFormula = true;
            haveInput = true;
        } else if (argument[0] == '-' && argument[1] != '\0') {
            error = std::string("unknown option '") + argument + "'";
            return false;
        } else {
            if (haveInput) {
                error = "give either one document or one --formula";
                return false;
            }
            options.documentPath = argument;
            haveInput = true;
        }
    }
    if (!haveInput) {
        error = "no document or --formula given";
        return false;
    }
    if (options.outputPath.empty()) {
        error = "no output file given (-o FILE.png)";
        return false;
    }
    return ResolveFormat(format, options, error);
}

bool ApplySceneOptions(const RenderOptions& options, CCurvixDoc& document, std::string& error) {
    float* range = document.GetRange();
    float* step = document.GetStep();
    if (options.range) {
        std::copy(options.range->begin(), options.range->end(), range);
    }
    if (options.step) {
        *step = *options.step;
    }
    if (options.extents) {
        std::copy(options.extents->begin(), options.extents->end(), document.GetHalfExtents());
    }
    if (options.angles) {
        std::copy(options.angles->begin(), options.angles->end(), document.GetRotation());
    }
    // The command line's numbers are refused here, before anything is
    // drawn, and counted as the sampler counts them (single-precision
    // steps); the document's own go to the caller's check of the plan.
    if (!options.range && !options.step) {
        return true;
    }
    const SamplePlan plan = PlanCurveSamples(document.GetFormula(), range[0], range[1], *step);
    if (plan.problem.empty()) {
        return true;
    }
    const char* named = options.range && options.step ? "options --range and --step"
                        : options.range               ? "option --range"
                                                      : "option --step";
    error = std::string(named) + ": " +
            (plan.tooManySamples ? "more than " + std::to_string(kMaxCurveSamples) +
                                       " samples from " + Shortest(range[0]) + " to " +
                                       Shortest(range[1]) + " in steps of " + Shortest(*step)
                                 : plan.problem);
    return false;
}

} // namespace curvix
