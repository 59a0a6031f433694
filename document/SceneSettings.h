#pragma once

#include <array>

namespace curvix {

// The document's eight scene numbers, in memory order. They are grouped in
// arrays because the view keeps the address of each group for its whole
// life and writes the rotation angles in place.
struct SceneSettings {
    float halfExtents[2] = {10.0F, 10.0F};  // shown area: x from -[0] to [0], y likewise
    float rotation[3] = {0.0F, 0.0F, 0.0F}; // degrees: about x, (unused), about z
    float range[2] = {-10.0F, 10.0F};       // first x sampled, largest x that may be
    float step = 0.1F;                      // x increment between samples

    void SetDefaults() { *this = SceneSettings{}; }

    // The numbers in the order a document file holds them.
    std::array<float*, 8> FileOrder() {
        return {&range[0],    &range[1],       &rotation[0],    &rotation[1],
                &rotation[2], &halfExtents[0], &halfExtents[1], &step};
    }
    std::array<const float*, 8> FileOrder() const {
        return {&range[0],    &range[1],       &rotation[0],    &rotation[1],
                &rotation[2], &halfExtents[0], &halfExtents[1], &step};
    }
};

} // namespace curvix
