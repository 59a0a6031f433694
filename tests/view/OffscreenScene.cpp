#include "OffscreenScene.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace curvix::test {

namespace {

// Exact pixels are expected from Mesa's software rasteriser, whatever GPU
// the machine has.
int ForceSoftwareRendering() {
    setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1);
    return 0;
}

} // namespace

bool RunningInCI() {
    const char* ci = std::getenv("CI");
    return ci != nullptr && std::strcmp(ci, "true") == 0;
}

Rgb Image::At(int column, int row) const {
    const std::size_t i = (static_cast<std::size_t>(row) * width + column) * 4;
    return Rgb{rgba.at(i), rgba.at(i + 1), rgba.at(i + 2)};
}

OffscreenScene::OffscreenScene(int width, int height)
    : m_device((ForceSoftwareRendering(), std::make_unique<EglDevice>(width, height))) {
    view.SetScenePointers(scene.rotation, scene.halfExtents, scene.range, &scene.step);
    view.CreateGL(m_device.get());
}

std::string OffscreenScene::Problem() const {
    if (view.GetGLContext().GetHandle() != nullptr && m_device->GetLastError().empty()) {
        return {};
    }
    return m_device->GetLastError().empty() ? "no context" : m_device->GetLastError();
}

void OffscreenScene::SetCurve(const std::function<float(float)>& f, float first, float last,
                              float step) {
    VertexArray& curve = view.GetVertices();
    curve.Clear();
    float x = first;
    for (double sum = x; sum <= last; x = static_cast<float>(sum)) {
        curve.Append(x);
        curve.Append(f(x));
        sum = static_cast<double>(x) + step;
    }
}

Image OffscreenScene::Render() {
    view.SetProjection(m_device->Width(), m_device->Height());
    view.OnDraw(m_device.get());
    Image image{m_device->Width(), m_device->Height(), {}};
    m_device->ReadPixels(image.rgba);
    return image;
}

int OffscreenScene::Column(float x) const {
    const double right = scene.halfExtents[0] + 1.0F;
    const double window = (x + right) / (2.0 * right) * m_device->Width();
    return static_cast<int>(std::ceil(window)) - 1;
}

int OffscreenScene::Row(float y) const {
    const double top = scene.halfExtents[1] + 1.0F;
    const double window = (y + top) / (2.0 * top) * m_device->Height();
    return m_device->Height() - static_cast<int>(std::ceil(window));
}

float OffscreenScene::XOf(int column) const {
    const double right = scene.halfExtents[0] + 1.0F;
    return static_cast<float>((column + 0.5) / m_device->Width() * 2.0 * right - right);
}

float OffscreenScene::YOf(int row) const {
    const double top = scene.halfExtents[1] + 1.0F;
    const double fromBottom = m_device->Height() - row - 0.5;
    return static_cast<float>(fromBottom / m_device->Height() * 2.0 * top - top);
}

} // namespace curvix::test
