// curvix-render: draws a document's plot into an image file without a
// display: PNG with the application's own drawing code in an offscreen
// OpenGL context, SVG and PDF as vector shapes of the same scene.
//
//   curvix-render FILE.cvx -o plot.png [--size WxH] [scene options]
//   curvix-render --formula 'sin(x)*5' -o plot.svg [--size WxH] [scene options]

#include "CurveSampler.h"
#include "CurvixDoc.h"
#include "CurvixIdentity.h"
#include "FileErrors.h"
#include "PngWriter.h"
#include "RenderOptions.h"
#include "SceneImage.h"

#include <clocale>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

constexpr const char* kUsage =
    "usage: curvix-render FILE.cvx -o OUT [--format png|svg|pdf] [--size WxH]\n"
    "       curvix-render --formula FORMULA -o OUT [--format png|svg|pdf] [--size WxH]\n"
    "         [--range XMIN:XMAX] [--step S] [--extents EX:EY] [--angles A:B:C] [--rad]\n"
    "       curvix-render --help | --version\n"
    "Draws the plot of a document, or of a formula in a new document with the\n"
    "default scene, as a PNG, SVG or PDF image (default size 600x600). The\n"
    "format comes from --format or the name's .png, .svg or .pdf; -o - writes\n"
    "to standard output and needs --format. The scene options replace the\n"
    "document's numbers (angles in degrees); --rad sets the formula's rad to 1.\n";

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
            return Fail(curvix::NamingFile(options.documentPath, error));
        }
    }

    if (!curvix::ApplySceneOptions(options, document, error)) {
        std::cerr << "curvix-render: " << error << '\n';
        return 2;
    }
    // A curve the sampler would refuse or cut short is no picture to keep:
    // its line and a failure, and the old output stays.
    const curvix::SamplePlan plan = curvix::PlanCurveSamples(
        document.GetFormula(), document.GetRange()[0], document.GetRange()[1], *document.GetStep());
    if (!plan.problem.empty()) {
        std::cerr << curvix::SampleProblemLine(plan.problem) << '\n';
        return 1;
    }
    if (options.format != curvix::ImageFormat::kPng) {
        const auto format = options.format == curvix::ImageFormat::kSvg
                                ? curvix::VectorFormat::kSvg
                                : curvix::VectorFormat::kPdf;
        if (!curvix::WriteSceneVector(document, options.width, options.height, options.rad, format,
                                      options.outputPath, error)) {
            return Fail(error);
        }
        return 0;
    }
    curvix::SceneImage image;
    if (!curvix::RenderSceneImage(document, options.width, options.height, image, error,
                                  options.rad)) {
        return Fail("no OpenGL available: " + error);
    }
    if (!curvix::WritePng(options.outputPath, image.width, image.height, image.rgba, error)) {
        return Fail(error);
    }
    return 0;
}
