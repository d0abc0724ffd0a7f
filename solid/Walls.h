#pragma once

// The walls that bound the passage's fluid volume, and the figures read from its solid.

#include <string_view>

namespace inlet {

// As STEP names the faces and STL names its regions; a flow computation takes them as its
// boundaries.
enum class Wall { Inlet, Outlet, Floor, OuterWall, Roof, Bell, GuideCone };
inline constexpr int kWallCount = 7;
// "inlet", "outlet", "floor", "outer_wall", "roof", "bell", "guide_cone"
std::string_view wallName(Wall wall);

// mm³ and mm².
struct SolidFigures {
    double volume = 0;
    double inletArea = 0;
    double outletArea = 0;
    double wettedArea = 0;  // every wall but the inlet and the outlet
};

}  // namespace inlet
