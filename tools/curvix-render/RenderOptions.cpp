#include "RenderOptions.h"

#include <charconv>
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
    for (int i = 0; i < argc; ++i) {
        const char* argument = argv[i];
        const bool takesValue = std::strcmp(argument, "-o") == 0 ||
                                std::strcmp(argument, "--formula") == 0 ||
                                std::strcmp(argument, "--size") == 0;
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
    return true;
}

} // namespace curvix
