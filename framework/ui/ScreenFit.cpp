#include "ScreenFit.h"

#include <algorithm>

namespace curvix {
namespace {

// The start of a span of length size moved into [first, first + room):
// as little as it takes, its start first when it is the longer.
int MoveInto(int start, int size, int first, int room) {
    return std::max(first, std::min(start, first + room - size));
}

} // namespace

QRect FitFrameInto(const QRect& client, const QMargins& margins, const QRect& available,
                   const QSize& minimum) {
    const QSize room = available.size().shrunkBy(margins);
    const QSize size = client.size().boundedTo(room).expandedTo(minimum);
    const QSize frame = size.grownBy(margins);
    const int left = MoveInto(client.left() - margins.left(), frame.width(), available.left(),
                              available.width());
    const int top =
        MoveInto(client.top() - margins.top(), frame.height(), available.top(), available.height());
    return QRect(QPoint(left + margins.left(), top + margins.top()), size);
}

} // namespace curvix
