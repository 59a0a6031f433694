#include "PngWriter.h"

#include "ImageOutput.h"

#include <cerrno>
#include <cstring>
#include <png.h>

namespace curvix {

namespace {

// The first cause of failure the encoder's callbacks met.
struct EncodeState {
    std::FILE* file;
    char cause[256];
};

void OnEncoderError(png_structp png, png_const_charp message) {
    auto* state = static_cast<EncodeState*>(png_get_error_ptr(png));
    if (state->cause[0] == '\0') {
        std::snprintf(state->cause, sizeof state->cause, "%s", message);
    }
    png_longjmp(png, 1);
}

// A warning does not stop the picture, and nothing of the encoder's own
// goes to standard error.
void OnEncoderWarning(png_structp /*png*/, png_const_charp /*message*/) {}

// The system's own text for a failed write, instead of the encoder's
// "Write Error".
void WriteData(png_structp png, png_bytep data, std::size_t length) {
    auto* state = static_cast<EncodeState*>(png_get_io_ptr(png));
    if (std::fwrite(data, 1, length, state->file) != length) {
        png_error(png, std::strerror(errno != 0 ? errno : EIO));
    }
}

void FlushData(png_structp png) {
    auto* state = static_cast<EncodeState*>(png_get_io_ptr(png));
    if (std::fflush(state->file) != 0) {
        png_error(png, std::strerror(errno != 0 ? errno : EIO));
    }
}

// libpng reports errors by longjmp; this keeps everything it touches free of
// objects with destructors.
bool WriteRows(EncodeState& state, int width, int height, png_bytepp rows) {
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, &state, OnEncoderError, OnEncoderWarning);
    if (png == nullptr) {
        std::snprintf(state.cause, sizeof state.cause, "%s", std::strerror(ENOMEM));
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_set_write_fn(png, &state, WriteData, FlushData);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    png_write_image(png, rows);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return true;
}

} // namespace

bool EncodePng(std::FILE* file, int width, int height, const std::vector<std::uint8_t>& rgba,
               std::string& cause) {
    const std::size_t rowBytes = static_cast<std::size_t>(width) * 3;
    std::vector<std::uint8_t> rgb(rowBytes * static_cast<std::size_t>(height));
    for (std::size_t i = 0, o = 0; o < rgb.size(); i += 4, o += 3) {
        rgb[o] = rgba[i];
        rgb[o + 1] = rgba[i + 1];
        rgb[o + 2] = rgba[i + 2];
    }
    std::vector<png_bytep> rows(static_cast<std::size_t>(height));
    for (std::size_t row = 0; row < rows.size(); ++row) {
        rows[row] = rgb.data() + row * rowBytes;
    }
    EncodeState state{file, {}};
    errno = 0;
    if (!WriteRows(state, width, height, rows.data())) {
        cause = state.cause[0] != '\0' ? state.cause : "PNG encoding failed";
        return false;
    }
    return true;
}

bool WritePng(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgba,
              std::string& error) {
    return WriteImageOutput(
        path,
        [&](std::FILE* file, std::string& cause) {
            return EncodePng(file, width, height, rgba, cause);
        },
        error);
}

} // namespace curvix
