#include "DibFiles.h"

#include <cstdio>
#include <string>

namespace curvix {

namespace {

constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kPaletteSize = 16 * 4;
constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kIconDirSize = 6;
constexpr std::uint32_t kIconEntrySize = 16;
constexpr std::uint8_t kBlack = 0;
constexpr std::uint8_t kLightGrey = 8;
// An icon directory entry holds a side of 1 to 255 pixels in a byte, 0 for 256.
constexpr int kMaxIconSide = 256;

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// Rows of a DIB are padded to whole 32-bit words.
std::uint32_t RowBytes(int width, int bitsPerPixel) {
    return (static_cast<std::uint32_t>(width) * bitsPerPixel + 31) / 32 * 4;
}

std::uint32_t ColourBytes(const XpmImage& image) {
    return RowBytes(image.width, 4) * static_cast<std::uint32_t>(image.height);
}

std::uint32_t MaskBytes(const XpmImage& image) {
    return RowBytes(image.width, 1) * static_cast<std::uint32_t>(image.height);
}

// Palette indexes of the pixels, transparent ones as transparentIndex.
bool IndexPixels(const XpmImage& image, std::uint8_t transparentIndex,
                 std::vector<std::uint8_t>& indexes, std::string& error) {
    indexes.clear();
    indexes.reserve(image.pixels.size());
    for (std::size_t i = 0; i < image.pixels.size(); ++i) {
        const std::int32_t pixel = image.pixels[i];
        if (pixel == kXpmTransparent) {
            indexes.push_back(transparentIndex);
            continue;
        }
        std::size_t index = 0;
        while (index < kSixteenColours.size() &&
               kSixteenColours[index] != static_cast<std::uint32_t>(pixel))
            ++index;
        if (index == kSixteenColours.size()) {
            char colour[8];
            std::snprintf(colour, sizeof colour, "%06X", static_cast<unsigned>(pixel & 0xFFFFFF));
            const auto width = static_cast<std::size_t>(image.width);
            error = std::string("the colour #") + colour + " at " + std::to_string(i % width) +
                    ", " + std::to_string(i / width) + " is not one of the 16 standard colours";
            return false;
        }
        indexes.push_back(static_cast<std::uint8_t>(index));
    }
    return true;
}

// Header, palette and colour rows of a 4-bit DIB, bottom row first; with a
// mask, the header's height counts the colour part and the mask, and the
// mask's rows follow.
void PutDib(std::vector<std::uint8_t>& out, const XpmImage& image,
            const std::vector<std::uint8_t>& indexes, bool withMask) {
    const int height = withMask ? 2 * image.height : image.height;
    Put32(out, kInfoHeaderSize);
    Put32(out, static_cast<std::uint32_t>(image.width));
    Put32(out, static_cast<std::uint32_t>(height));
    Put16(out, 1); // planes
    Put16(out, 4); // bits per pixel
    Put32(out, 0); // BI_RGB
    Put32(out, ColourBytes(image) + (withMask ? MaskBytes(image) : 0));
    Put32(out, 0); // pixels per metre
    Put32(out, 0);
    // Icons leave the colour counts 0; a bitmap names its 16.
    Put32(out, withMask ? 0 : 16);
    Put32(out, 0);
    for (const std::uint32_t colour : kSixteenColours) {
        out.push_back(static_cast<std::uint8_t>(colour));       // blue
        out.push_back(static_cast<std::uint8_t>(colour >> 8));  // green
        out.push_back(static_cast<std::uint8_t>(colour >> 16)); // red
        out.push_back(0);
    }
    const auto width = static_cast<std::size_t>(image.width);
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(RowBytes(image.width, 4), 0);
        for (std::size_t x = 0; x < width; ++x) {
            const std::uint8_t index = indexes[static_cast<std::size_t>(y) * width + x];
            row[x / 2] |= static_cast<std::uint8_t>(x % 2 == 0 ? index << 4 : index);
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    if (!withMask)
        return;
    for (int y = image.height - 1; y >= 0; --y) {
        std::vector<std::uint8_t> row(RowBytes(image.width, 1), 0);
        for (std::size_t x = 0; x < width; ++x) {
            if (image.At(static_cast<int>(x), y) == kXpmTransparent)
                row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
        }
        out.insert(out.end(), row.begin(), row.end());
    }
}

} // namespace

bool EncodeBitmapFile(const XpmImage& image, std::vector<std::uint8_t>& file, std::string& error) {
    std::vector<std::uint8_t> indexes;
    if (!IndexPixels(image, kLightGrey, indexes, error))
        return false;
    const std::uint32_t bitsOffset = kFileHeaderSize + kInfoHeaderSize + kPaletteSize;
    std::vector<std::uint8_t> out;
    out.push_back('B');
    out.push_back('M');
    Put32(out, bitsOffset + ColourBytes(image));
    Put32(out, 0); // reserved
    Put32(out, bitsOffset);
    PutDib(out, image, indexes, false);
    file = std::move(out);
    return true;
}

bool EncodeIconFile(const std::vector<XpmImage>& images, std::vector<std::uint8_t>& file,
                    std::string& error) {
    if (images.empty()) {
        error = "an icon needs at least one image";
        return false;
    }
    std::vector<std::uint8_t> directory;
    std::vector<std::uint8_t> bodies;
    Put16(directory, 0); // reserved
    Put16(directory, 1); // icon
    Put16(directory, static_cast<std::uint32_t>(images.size()));
    const auto bodiesOffset =
        kIconDirSize + kIconEntrySize * static_cast<std::uint32_t>(images.size());
    for (const XpmImage& image : images) {
        if (image.width > kMaxIconSide || image.height > kMaxIconSide) {
            error = "an icon image of " + std::to_string(image.width) + " x " +
                    std::to_string(image.height) + " pixels is larger than 256 x 256";
            return false;
        }
        std::vector<std::uint8_t> indexes;
        if (!IndexPixels(image, kBlack, indexes, error))
            return false;
        const auto offset = bodiesOffset + static_cast<std::uint32_t>(bodies.size());
        PutDib(bodies, image, indexes, true);
        directory.push_back(static_cast<std::uint8_t>(image.width % kMaxIconSide));
        directory.push_back(static_cast<std::uint8_t>(image.height % kMaxIconSide));
        directory.push_back(16); // colours
        directory.push_back(0);  // reserved
        Put16(directory, 1);     // planes
        Put16(directory, 4);     // bits per pixel
        Put32(directory, bodiesOffset + static_cast<std::uint32_t>(bodies.size()) - offset);
        Put32(directory, offset);
    }
    directory.insert(directory.end(), bodies.begin(), bodies.end());
    file = std::move(directory);
    return true;
}

} // namespace curvix
