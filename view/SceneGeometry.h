#pragma once

#include <array>
#include <cstddef>
#include <vector>

namespace curvix {

class VertexArray;

// A point in plot units on the plane z = 0, as the scene passes it to
// glVertex2f.
struct PlotPoint {
    float x = 0.0F;
    float y = 0.0F;
    bool operator==(const PlotPoint&) const = default;
};

// A point after the two rotations, in plot units; z is out of the screen.
struct EyePoint {
    double x = 0.0;
    double y = 0.0;
    double z = 0.0;
    bool operator==(const EyePoint&) const = default;
};

// A position in the image: x to the right, y down, in pixels from the
// top left corner.
struct PixelPoint {
    double x = 0.0;
    double y = 0.0;
};

// The axes part of a frame in drawing order: the segment ends in pairs (y
// axis, x axis, x ticks, y ticks), then the two arrow heads (y, then x).
struct AxesGeometry {
    std::vector<PlotPoint> lines;
    std::array<PlotPoint, 6> arrows;
};

// Axes, ticks under the bounded tick rule and arrow heads for the
// half-extents ex and ey.
AxesGeometry BuildAxes(float ex, float ey);

// The projection box the size handler sets: each half-extent plus the
// margin, summed in single precision.
struct ProjectionBox {
    float right = 0.0F;
    float top = 0.0F;
};
ProjectionBox ProjectionBoxFor(const float* halfExtents);

// Near and far planes of the projection, in eye z: glOrtho's -100 and 100
// keep the points whose eye z lies from -100 to 100.
inline constexpr double kNearPlane = -100.0;
inline constexpr double kFarPlane = 100.0;

// What OpenGL does with a vertex: the model-view rotations (first angle
// about x, then third angle about z), the box stretched to an image of
// width x height, and the clip volume.
class SceneTransform {
public:
    SceneTransform(ProjectionBox box, float firstAngle, float thirdAngle, int width, int height);

    EyePoint ToEye(PlotPoint point) const;
    PixelPoint ToPixel(const EyePoint& point) const;

    // Cuts the segment a-b to the clip volume; false when nothing of it
    // is left (or an end is not a finite point).
    bool ClipSegment(EyePoint& a, EyePoint& b) const;
    // The part of a convex polygon inside the clip volume; empty when none.
    std::vector<EyePoint> ClipPolygon(std::vector<EyePoint> polygon) const;

    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    ProjectionBox m_box;
    double m_cosX;
    double m_sinX;
    double m_cosZ;
    double m_sinZ;
    int m_width;
    int m_height;
};

// The curve's vertices in drawing order, read in place from the sampled
// (x, y) pairs (a curve may hold millions of them), so valid only while the
// array is not changed.
class CurvePoints {
public:
    explicit CurvePoints(const VertexArray& vertices);
    // A trailing odd element would have no partner; the sampler never
    // leaves one.
    std::size_t Size() const { return m_points; }
    PlotPoint operator[](std::size_t i) const { return {m_values[2 * i], m_values[2 * i + 1]}; }

private:
    const float* m_values;
    std::size_t m_points;
};

// A whole frame as data: the axes, the curve and the transform they are
// drawn with.
struct FrameGeometry {
    AxesGeometry axes;
    CurvePoints curve;
    SceneTransform transform;
};

// The frame for the scene numbers (half-extents, then the three angles) and
// the sampled curve, under the box the last size message set, in an image of
// width x height.
FrameGeometry MakeFrame(ProjectionBox box, const float* halfExtents, const float* rotation,
                        const VertexArray& vertices, int width, int height);

} // namespace curvix
