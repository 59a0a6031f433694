#include "SceneGeometry.h"

#include "TickLimits.h"
#include "VertexArray.h"

#include <array>
#include <cmath>
#include <numbers>

namespace curvix {

namespace {

constexpr float kMargin = 1.0F; // projection box beyond each half-extent
constexpr float kTickSpacing = 1.0F;
constexpr float kTickHalfLength = 0.15F;
constexpr float kArrowTipOut = 0.1F;
constexpr float kArrowBaseIn = 0.3F;
constexpr float kArrowHalfWidth = 0.2F;

// The scale glOrtho gives one side of the box. A box side of 0 is refused by
// OpenGL, which keeps the identity; a side that is not finite makes every
// coordinate not a number, and nothing is drawn.
double OrthoScale(float side) {
    if (side == 0.0F) {
        return 1.0;
    }
    return std::isfinite(side) ? static_cast<double>(side) : std::nan("");
}

// The clip volume's six planes as distances that are not negative inside:
// 1 - c and 1 + c for each normalised coordinate c.
std::array<double, 6> PlaneDistances(const EyePoint& p, double sx, double sy) {
    const double nx = p.x / sx;
    const double ny = p.y / sy;
    const double nz = p.z / kFarPlane;
    return {1.0 - nx, 1.0 + nx, 1.0 - ny, 1.0 + ny, 1.0 - nz, 1.0 + nz};
}

EyePoint Between(const EyePoint& a, const EyePoint& b, double t) {
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y), a.z + t * (b.z - a.z)};
}

bool IsFinite(const EyePoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::isfinite(p.z);
}

} // namespace

AxesGeometry BuildAxes(float ex, float ey) {
    AxesGeometry axes;
    axes.lines = {{0.0F, ey}, {0.0F, -ey}, {-ex, 0.0F}, {ex, 0.0F}};
    // The tick positions are single-precision sums by definition; TickLoopEnds
    // bounds both loops.
    if (TickLoopEnds(ex)) {
        // NOLINTNEXTLINE(clang-analyzer-security.FloatLoopCounter)
        for (float t = kTickSpacing - ex; t <= ex - kTickSpacing; t += kTickSpacing) {
            axes.lines.push_back({t, kTickHalfLength});
            axes.lines.push_back({t, -kTickHalfLength});
        }
    }
    if (TickLoopEnds(ey)) {
        // NOLINTNEXTLINE(clang-analyzer-security.FloatLoopCounter)
        for (float t = kTickSpacing - ey; t <= ey - kTickSpacing; t += kTickSpacing) {
            axes.lines.push_back({kTickHalfLength, t});
            axes.lines.push_back({-kTickHalfLength, t});
        }
    }
    axes.arrows = {{{0.0F, ey + kArrowTipOut},
                    {-kArrowHalfWidth, ey - kArrowBaseIn},
                    {kArrowHalfWidth, ey - kArrowBaseIn},
                    {ex + kArrowTipOut, 0.0F},
                    {ex - kArrowBaseIn, -kArrowHalfWidth},
                    {ex - kArrowBaseIn, kArrowHalfWidth}}};
    return axes;
}

ProjectionBox ProjectionBoxFor(const float* halfExtents) {
    return {halfExtents[0] + kMargin, halfExtents[1] + kMargin};
}

SceneTransform::SceneTransform(ProjectionBox box, float firstAngle, float thirdAngle, int width,
                               int height)
    : m_box(box), m_width(width), m_height(height) {
    constexpr double kRadiansPerDegree = std::numbers::pi / 180.0;
    m_cosX = std::cos(static_cast<double>(firstAngle) * kRadiansPerDegree);
    m_sinX = std::sin(static_cast<double>(firstAngle) * kRadiansPerDegree);
    m_cosZ = std::cos(static_cast<double>(thirdAngle) * kRadiansPerDegree);
    m_sinZ = std::sin(static_cast<double>(thirdAngle) * kRadiansPerDegree);
}

EyePoint SceneTransform::ToEye(PlotPoint point) const {
    // About x first: y turns towards z.
    const double x = point.x;
    const double y = static_cast<double>(point.y) * m_cosX;
    const double z = static_cast<double>(point.y) * m_sinX;
    // Then about z.
    return {x * m_cosZ - y * m_sinZ, x * m_sinZ + y * m_cosZ, z};
}

PixelPoint SceneTransform::ToPixel(const EyePoint& point) const {
    const double nx = point.x / OrthoScale(m_box.right);
    const double ny = point.y / OrthoScale(m_box.top);
    return {(nx + 1.0) * 0.5 * m_width, (1.0 - ny) * 0.5 * m_height};
}

bool SceneTransform::ClipSegment(EyePoint& a, EyePoint& b) const {
    if (!IsFinite(a) || !IsFinite(b)) {
        return false;
    }
    const double sx = OrthoScale(m_box.right);
    const double sy = OrthoScale(m_box.top);
    const std::array<double, 6> da = PlaneDistances(a, sx, sy);
    const std::array<double, 6> db = PlaneDistances(b, sx, sy);
    double enter = 0.0;
    double leave = 1.0;
    for (std::size_t i = 0; i < da.size(); ++i) {
        if (!std::isfinite(da[i]) || !std::isfinite(db[i])) {
            return false;
        }
        if (da[i] < 0.0 && db[i] < 0.0) {
            return false;
        }
        if (da[i] < 0.0) {
            enter = std::max(enter, da[i] / (da[i] - db[i]));
        } else if (db[i] < 0.0) {
            leave = std::min(leave, da[i] / (da[i] - db[i]));
        }
    }
    if (enter > leave) {
        return false;
    }
    const EyePoint start = Between(a, b, enter);
    b = Between(a, b, leave);
    a = start;
    return true;
}

std::vector<EyePoint> SceneTransform::ClipPolygon(std::vector<EyePoint> polygon) const {
    for (const EyePoint& p : polygon) {
        if (!IsFinite(p)) {
            return {};
        }
    }
    const double sx = OrthoScale(m_box.right);
    const double sy = OrthoScale(m_box.top);
    for (std::size_t plane = 0; plane < 6 && !polygon.empty(); ++plane) {
        std::vector<EyePoint> kept;
        for (std::size_t i = 0; i < polygon.size(); ++i) {
            const EyePoint& a = polygon[i];
            const EyePoint& b = polygon[(i + 1) % polygon.size()];
            const double da = PlaneDistances(a, sx, sy)[plane];
            const double db = PlaneDistances(b, sx, sy)[plane];
            if (!std::isfinite(da) || !std::isfinite(db)) {
                return {};
            }
            if (da >= 0.0) {
                kept.push_back(a);
            }
            if ((da >= 0.0) != (db >= 0.0)) {
                kept.push_back(Between(a, b, da / (da - db)));
            }
        }
        polygon = std::move(kept);
    }
    return polygon;
}

CurvePoints::CurvePoints(const VertexArray& vertices)
    : m_values(vertices.Data()), m_points(vertices.Size() / 2) {}

FrameGeometry MakeFrame(ProjectionBox box, const float* halfExtents, const float* rotation,
                        const VertexArray& vertices, int width, int height) {
    return {BuildAxes(halfExtents[0], halfExtents[1]), CurvePoints(vertices),
            SceneTransform(box, rotation[0], rotation[2], width, height)};
}

} // namespace curvix
