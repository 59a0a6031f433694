#include "SceneImage.h"

#include "CurvixDoc.h"
#include "CurvixScene.h"
#include "EglDevice.h"

namespace curvix {

bool RenderSceneImage(CCurvixDoc& document, int width, int height, SceneImage& image,
                      std::string& error) {
    // The device outlives the view, whose context lives on it.
    EglDevice device(width, height);
    CCurvixScene view;
    view.CreateGL(&device);
    if (view.GetGLContext().GetHandle() == nullptr || !device.GetLastError().empty()) {
        error =
            device.GetLastError().empty() ? "no context could be created" : device.GetLastError();
        return false;
    }
    view.SetDocument(&document);
    view.SetScenePointers(document.GetRotation(), document.GetHalfExtents(), document.GetRange(),
                          document.GetStep());
    view.ComputeCurve();
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

} // namespace curvix
