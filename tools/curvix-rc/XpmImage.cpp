#include "XpmImage.h"

#include <charconv>
#include <map>
#include <sstream>
#include <string_view>

namespace curvix {

namespace {

// Larger pictures than any resource needs are refused rather than read.
constexpr int kMaxSide = 1024;
constexpr int kMaxColours = 256;
constexpr int kMaxCharsPerPixel = 4;

bool ReadValues(const char* line, int (&values)[4], std::string& error) {
    std::istringstream in(line);
    for (int& value : values) {
        if (!(in >> value)) {
            error = "the values line \"" + std::string(line) + "\" does not hold four numbers";
            return false;
        }
    }
    std::string rest;
    if (in >> rest) {
        error = "the values line \"" + std::string(line) + "\" holds more than four numbers";
        return false;
    }
    return true;
}

bool ReadColour(std::string_view text, std::int32_t& colour) {
    if (text == "None" || text == "none") {
        colour = kXpmTransparent;
        return true;
    }
    if (text.size() != 7 || text[0] != '#')
        return false;
    unsigned value = 0;
    const char* end = text.data() + text.size();
    const auto [last, status] = std::from_chars(text.data() + 1, end, value, 16);
    if (status != std::errc() || last != end)
        return false;
    colour = static_cast<std::int32_t>(value);
    return true;
}

// One colour line: the pixel's characters, then pairs of a key and a value,
// of which the "c" (colour display) pair names the colour.
bool ReadColourLine(std::string_view line, int charsPerPixel, std::string& key,
                    std::int32_t& colour, std::string& error) {
    if (line.size() < static_cast<std::size_t>(charsPerPixel)) {
        error = "the colour line \"" + std::string(line) + "\" is shorter than one pixel";
        return false;
    }
    key = line.substr(0, static_cast<std::size_t>(charsPerPixel));
    std::istringstream in{std::string(line.substr(static_cast<std::size_t>(charsPerPixel)))};
    std::string context;
    std::string value;
    while (in >> context >> value) {
        if (context != "c")
            continue;
        if (!ReadColour(value, colour)) {
            error = "the colour \"" + value + "\" is neither None nor #RRGGBB";
            return false;
        }
        return true;
    }
    error = "the colour line \"" + std::string(line) + "\" has no \"c\" colour";
    return false;
}

} // namespace

bool ReadXpm(XpmData xpm, XpmImage& image, std::string& error) {
    if (xpm == nullptr) {
        error = "the picture has no lines";
        return false;
    }
    int values[4];
    if (!ReadValues(xpm[0], values, error))
        return false;
    const auto [width, height, colours, charsPerPixel] = values;
    if (width < 1 || height < 1 || width > kMaxSide || height > kMaxSide) {
        error = "the size " + std::to_string(width) + " x " + std::to_string(height) +
                " is outside 1 to " + std::to_string(kMaxSide) + " pixels";
        return false;
    }
    if (colours < 1 || colours > kMaxColours || charsPerPixel < 1 ||
        charsPerPixel > kMaxCharsPerPixel) {
        error = "the values line \"" + std::string(xpm[0]) + "\" has an unusable colour count";
        return false;
    }
    std::map<std::string, std::int32_t> palette;
    for (int i = 1; i <= colours; ++i) {
        std::string key;
        std::int32_t colour = 0;
        if (!ReadColourLine(xpm[i], charsPerPixel, key, colour, error))
            return false;
        if (!palette.emplace(key, colour).second) {
            error = "the pixel \"" + key + "\" has two colours";
            return false;
        }
    }
    XpmImage read;
    read.width = width;
    read.height = height;
    read.pixels.reserve(static_cast<std::size_t>(width) * height);
    const std::size_t rowLength = static_cast<std::size_t>(width) * charsPerPixel;
    for (int y = 0; y < height; ++y) {
        const char* row = xpm[1 + colours + y];
        if (std::string_view(row).size() != rowLength) {
            error = "row " + std::to_string(y + 1) + " is not " + std::to_string(width) +
                    " pixels long";
            return false;
        }
        for (std::size_t x = 0; x < rowLength; x += static_cast<std::size_t>(charsPerPixel)) {
            const auto found = palette.find(std::string(row + x, row + x + charsPerPixel));
            if (found == palette.end()) {
                error = "row " + std::to_string(y + 1) + " uses the pixel \"" +
                        std::string(row + x, row + x + charsPerPixel) + "\", which has no colour";
                return false;
            }
            read.pixels.push_back(found->second);
        }
    }
    image = std::move(read);
    return true;
}

} // namespace curvix
