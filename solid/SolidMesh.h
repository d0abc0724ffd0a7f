#pragma once

// The solid's walls as triangles, for the 3D view and STL files: plain arrays, no
// OpenCASCADE, so that a window draws them without loading it.

#include <cstdint>
#include <vector>

namespace inlet {

// The wall index of a cut's triangles.
inline constexpr std::uint8_t kSectionWall = 255;

struct SolidMesh {
    std::vector<float> positions;          // x, y, z of each vertex, mm
    std::vector<float> normals;            // the outward unit normal at each vertex
    std::vector<std::uint32_t> triangles;  // three vertex indices each, counter-clockwise seen from outside
    std::vector<std::uint8_t> walls;       // the wall (Wall) each triangle belongs to
    std::vector<float> edges;              // the faces' boundaries as line segments: x, y, z, x, y, z
};

}  // namespace inlet
