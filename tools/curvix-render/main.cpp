// curvix-render: draws a document's plot into a PNG file without a display,
// with the application's own drawing code in an offscreen OpenGL context.
//
//   curvix-render FILE.cvx -o plot.png [--size WxH]
//   curvix-render --formula 'sin(x)*5' -o plot.png [--size WxH]

#include "CurvixDoc.h"
#include "CurvixIdentity.h"
#include "PngWriter.h"
#include "RenderOptions.h"
#include "SceneImage.h"

#include <clocale>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: curvix-render FILE.cvx -o OUT.png [--size WxH]\n"
    "       curvix-render --formula FORMULA -o OUT.png [--size WxH]\n"
    "       curvix-render --help | --version\n"
    "Draws the plot of a document, or of a formula in a new document with the\n"
    "default scene, as a PNG image (default size 600x600).\n";

int Fail(const std::string& message) {
    std::cerr << "curvix-render: " << message << '\n';
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    std::setlocale(LC_ALL, "");
    // The same pixels on every machine: Mesa's software renderer unless the
    // caller chose otherwise.
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 0);

    curvix::RenderOptions options;
    std::string error;
    if (!curvix::ParseRenderArguments(argc - 1, argv + 1, options, error)) {
        std::cerr << "curvix-render: " << error << '\n' << kUsage;
        return 2;
    }
    if (options.help || options.version) {
        if (options.help)
            std::cout << kUsage << std::flush;
        else
            std::cout << "curvix-render " << curvix::kCurvixVersion << '\n' << std::flush;
        return std::cout ? 0 : Fail("cannot write standard output");
    }

    curvix::CCurvixDoc document;
    if (options.fromFormula) {
        document.OnNewDocument();
        document.SetFormula(
            curvix::ExprString(options.formula.data(), static_cast<int>(options.formula.size())));
    } else {
        if (!curvix::OpenDocumentFile(document, options.documentPath, error)) {
            return Fail(options.documentPath + ": " + error);
        }
    }

    curvix::SceneImage image;
    if (!curvix::RenderSceneImage(document, options.width, options.height, image, error)) {
        return Fail("no OpenGL available: " + error);
    }
    if (!curvix::WritePng(options.outputPath, image.width, image.height, image.rgba, error)) {
        return Fail(error);
    }
    return 0;
}
