#include "SceneImage.h"

#include "CurvixDoc.h"
#include "CurvixScene.h"
#include "EglDevice.h"

namespace curvix {

namespace {

// What window creation and the Draw command do with the document.
void AttachAndSample(CCurvixScene& view, CCurvixDoc& document, bool rad) {
    view.AttachDocument(&document);
    if (rad) {
        // As a user would set it: the engine's own assignment.
        ExprString assignment("rad=1");
        view.GetEvaluator().Evaluate(assignment);
    }
    view.ComputeCurve();
}

} // namespace

bool RenderSceneImage(CCurvixDoc& document, int width, int height, SceneImage& image,
                      std::string& error, bool rad) {
    // The device outlives the view, whose context lives on it.
    EglDevice device(width, height);
    CCurvixScene view;
    view.CreateGL(&device);
    if (view.GetGLContext().GetHandle() == nullptr || !device.GetLastError().empty()) {
        error =
            device.GetLastError().empty() ? "no context could be created" : device.GetLastError();
        return false;
    }
    AttachAndSample(view, document, rad);
    view.SetProjection(width, height);
    view.OnDraw(&device);
    image.width = width;
    image.height = height;
    if (!device.ReadPixels(image.rgba)) {
        error = device.GetLastError();
        return false;
    }
    return true;
}

bool WriteSceneVector(CCurvixDoc& document, int width, int height, bool rad, VectorFormat format,
                      const std::string& path, std::string& error) {
    CCurvixScene view;
    AttachAndSample(view, document, rad);
    // The projection a size message would set now.
    const FrameGeometry frame =
        MakeFrame(ProjectionBoxFor(document.GetHalfExtents()), document.GetHalfExtents(),
                  document.GetRotation(), view.GetVertices(), width, height);
    return WriteVectorImage(path, format, frame, error);
}

} // namespace curvix
