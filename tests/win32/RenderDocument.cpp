// curvix-render-wgl DOC.cvx WIDTH HEIGHT OUT.ppm: draws a document's plot
// through WGL offscreen, as the Windows view draws it, and writes the frame
// as a binary PPM (P6, 8 bits per channel), so that it can be compared with
// what curvix-render draws on Linux.

#include "CurveSampler.h"
#include "CurvixDoc.h"
#include "Document.h"
#include "FileErrors.h"
#include "WglSceneImage.h"

#include <charconv>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

namespace {

constexpr int kMaxSide = 8192;

int Fail(const std::string& message) {
    std::cerr << "curvix-render-wgl: " << message << '\n';
    return 1;
}

bool ParseSide(const char* text, int& side) {
    const char* end = text + std::strlen(text);
    const auto result = std::from_chars(text, end, side);
    return result.ec == std::errc() && result.ptr == end && side >= 1 && side <= kMaxSide;
}

bool WritePpm(const std::string& path, const curvix::WglImage& image) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) {
        return false;
    }
    bool written = std::fprintf(file, "P6\n%d %d\n255\n", image.width, image.height) > 0;
    std::string rgb;
    rgb.reserve(image.rgba.size() / 4 * 3);
    for (std::size_t i = 0; i < image.rgba.size(); i += 4) {
        rgb.append(reinterpret_cast<const char*>(&image.rgba[i]), 3);
    }
    written = written && std::fwrite(rgb.data(), 1, rgb.size(), file) == rgb.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    int width = 0;
    int height = 0;
    if (argc != 5 || !ParseSide(argv[2], width) || !ParseSide(argv[3], height)) {
        std::cerr << "usage: curvix-render-wgl DOC.cvx WIDTH HEIGHT OUT.ppm\n"
                     "  (WIDTH and HEIGHT from 1 to "
                  << kMaxSide << ")\n";
        return 2;
    }
    curvix::CCurvixDoc document;
    std::string error;
    if (!curvix::OpenDocumentFile(document, argv[1], error)) {
        return Fail(curvix::NamingFile(argv[1], error));
    }
    // A curve the sampler would refuse or cut short is no picture to keep,
    // as for curvix-render.
    const curvix::SamplePlan plan = curvix::PlanCurveSamples(
        document.GetFormula(), document.GetRange()[0], document.GetRange()[1], *document.GetStep());
    if (!plan.problem.empty()) {
        std::cerr << curvix::SampleProblemLine(plan.problem) << '\n';
        return 1;
    }
    curvix::WglImage image;
    if (!curvix::RenderDocumentWgl(document, width, height, image, error)) {
        return Fail("no OpenGL available: " + error);
    }
    if (!WritePpm(argv[4], image)) {
        return Fail(std::string("cannot write ") + argv[4]);
    }
    return 0;
}
