#include "WglSceneImage.h"

#include "CurvixDoc.h"
#include "CurvixScene.h"
#include "WglDevice.h"

namespace curvix {

bool RenderDocumentWgl(CCurvixDoc& document, int width, int height, WglImage& image,
                       std::string& error) {
    // The device outlives the scene, whose context lives on it.
    WglDevice device(width, height);
    CCurvixScene view;
    view.CreateGL(&device);
    if (view.GetGLContext().GetHandle() == nullptr || !device.GetLastError().empty()) {
        error =
            device.GetLastError().empty() ? "no context could be created" : device.GetLastError();
        return false;
    }
    view.AttachDocument(&document);
    view.ComputeCurve();
    view.SetProjection(width, height);
    view.OnDraw(&device);
    image.width = device.FrameWidth();
    image.height = device.FrameHeight();
    if (!device.ReadPixels(image.rgba)) {
        error = "no frame was presented";
        return false;
    }
    return true;
}

} // namespace curvix
