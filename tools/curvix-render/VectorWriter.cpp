#include "VectorWriter.h"

#include "ImageOutput.h"

#include <cairo-pdf.h>
#include <cairo-svg.h>
#include <cairo.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>

namespace curvix {

namespace {

constexpr double kGreen = 0.6;

// Where cairo's output goes and the system's cause of the first failed write.
struct Sink {
    std::FILE* file;
    int error = 0;
};

cairo_status_t WriteToSink(void* closure, const unsigned char* data, unsigned int length) {
    auto* sink = static_cast<Sink*>(closure);
    errno = 0;
    if (sink->error == 0 && std::fwrite(data, 1, length, sink->file) == length) {
        return CAIRO_STATUS_SUCCESS;
    }
    if (sink->error == 0) {
        sink->error = errno != 0 ? errno : EIO;
    }
    return CAIRO_STATUS_WRITE_ERROR;
}

cairo_surface_t* CreateSurface(VectorFormat format, Sink& sink, int width, int height) {
    if (format == VectorFormat::kPdf) {
        return cairo_pdf_surface_create_for_stream(WriteToSink, &sink, width, height);
    }
    cairo_surface_t* surface =
        cairo_svg_surface_create_for_stream(WriteToSink, &sink, width, height);
    cairo_svg_surface_set_document_unit(surface, CAIRO_SVG_UNIT_USER);
    return surface;
}

void AddSegment(cairo_t* cr, const SceneTransform& transform, PlotPoint from, PlotPoint to,
                bool& joined) {
    EyePoint a = transform.ToEye(from);
    EyePoint b = transform.ToEye(to);
    const EyePoint unclippedStart = a;
    const EyePoint unclippedEnd = b;
    if (!transform.ClipSegment(a, b)) {
        joined = false;
        return;
    }
    const PixelPoint p = transform.ToPixel(a);
    const PixelPoint q = transform.ToPixel(b);
    if (!joined || a != unclippedStart) {
        cairo_move_to(cr, p.x, p.y);
    }
    cairo_line_to(cr, q.x, q.y);
    // The next segment continues the path only where this one was not cut.
    joined = b == unclippedEnd;
}

void DrawFrame(cairo_t* cr, const FrameGeometry& frame) {
    const SceneTransform& transform = frame.transform;
    cairo_set_source_rgb(cr, 0.0, 0.0, 0.0);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.0, kGreen, 0.0);
    cairo_set_line_width(cr, 1.0);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
    // OpenGL lines have no joins; a bevel adds the least to a sharp turn.
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_BEVEL);

    const std::vector<PlotPoint>& lines = frame.axes.lines;
    for (std::size_t i = 0; i + 1 < lines.size(); i += 2) {
        bool joined = false;
        AddSegment(cr, transform, lines[i], lines[i + 1], joined);
    }
    cairo_stroke(cr);

    for (std::size_t first = 0; first < frame.axes.arrows.size(); first += 3) {
        std::vector<EyePoint> triangle;
        for (std::size_t i = first; i < first + 3; ++i) {
            triangle.push_back(transform.ToEye(frame.axes.arrows[i]));
        }
        const std::vector<EyePoint> kept = transform.ClipPolygon(triangle);
        for (std::size_t i = 0; i < kept.size(); ++i) {
            const PixelPoint p = transform.ToPixel(kept[i]);
            if (i == 0) {
                cairo_move_to(cr, p.x, p.y);
            } else {
                cairo_line_to(cr, p.x, p.y);
            }
        }
        cairo_close_path(cr);
    }
    cairo_fill(cr);

    bool joined = false;
    for (std::size_t i = 0; i + 1 < frame.curve.Size(); ++i) {
        AddSegment(cr, transform, frame.curve[i], frame.curve[i + 1], joined);
    }
    cairo_stroke(cr);
}

// Draws the page into sink; false with the cause when cairo or the sink
// failed.
bool Encode(VectorFormat format, const FrameGeometry& frame, Sink& sink, std::string& cause) {
    const SceneTransform& transform = frame.transform;
    cairo_surface_t* surface = CreateSurface(format, sink, transform.Width(), transform.Height());
    cairo_t* cr = cairo_create(surface);
    DrawFrame(cr, frame);
    cairo_show_page(cr);
    cairo_status_t status = cairo_status(cr);
    cairo_destroy(cr);
    cairo_surface_finish(surface);
    if (status == CAIRO_STATUS_SUCCESS) {
        status = cairo_surface_status(surface);
    }
    cairo_surface_destroy(surface);
    if (sink.error != 0) {
        cause = std::strerror(sink.error);
        return false;
    }
    if (status != CAIRO_STATUS_SUCCESS) {
        cause = cairo_status_to_string(status);
        return false;
    }
    return true;
}

} // namespace

bool WriteVectorImage(const std::string& path, VectorFormat format, const FrameGeometry& frame,
                      std::string& error) {
    return WriteImageOutput(
        path,
        [&](std::FILE* file, std::string& cause) {
            Sink sink{file};
            return Encode(format, frame, sink, cause);
        },
        error);
}

} // namespace curvix
