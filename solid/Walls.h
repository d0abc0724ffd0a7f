#pragma once

// The walls that bound the passage's fluid volume, and the figures read from its solid.

#include <string_view>

namespace inlet {

// As STEP names the faces and STL names its regions; a flow computation takes them as its
// boundaries.
// The hub is the pump's, in a flow computation that asks for one (SolidOptions::hubDiameter);
// a passage without one has no hub face, and its files name no hub.
enum class Wall { Inlet, Outlet, Floor, OuterWall, Roof, Bell, GuideCone, Hub };
inline constexpr int kWallCount = 8;
// "inlet", "outlet", "floor", "outer_wall", "roof", "bell", "guide_cone", "hub"
std::string_view wallName(Wall wall);

// mm³ and mm².
struct SolidFigures {
    double volume = 0;
    double inletArea = 0;
    double outletArea = 0;
    double wettedArea = 0;  // every wall but the inlet and the outlet
};

}  // namespace inlet
