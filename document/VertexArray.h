#pragma once

#include <cstddef>
#include <vector>

namespace curvix {

// The sampled curve as x0, y0, x1, y1, ... in single precision, drawn as
// one line strip.
class VertexArray {
public:
    // Empties the array and gives its storage back.
    void Clear() { std::vector<float>().swap(m_values); }
    void Append(float value) { m_values.push_back(value); }
    void Reserve(std::size_t count) { m_values.reserve(count); }

    std::size_t Size() const { return m_values.size(); }
    bool IsEmpty() const { return m_values.empty(); }
    float operator[](std::size_t index) const { return m_values[index]; }
    const float* Data() const { return m_values.data(); }

private:
    std::vector<float> m_values;
};

} // namespace curvix
