#pragma once

// Every value of a complete run as the run held it: what the drawing, the design checks and
// the calculation sheet are made from, so that they show the same design as the boxes.

#include "calc/DesignInputs.h"
#include "calc/Profiles.h"
#include "boxes/Quantity.h"
#include "calc/Volute.h"

#include <array>

namespace inlet {

struct Calculation {
    DesignInputs in;
    ProfileResults profile;
    Volute volute;          // the tangent point, T, Ft and P
    StationTable table;     // the stations 0 to 80 degrees
    float a87 = 0;
    float a84 = 0;
    double a90 = 0;
    double B = 0;
};

enum class WidthRule {
    Quadratic,  // the station's area is at most Ft
    Linear,     // above Ft, and always at 90 degrees
};

// One angular station: its area and width as the run held them, and the rule it took.
struct Station {
    int phi = 0;          // degrees
    Quantity width;       // a0 ... a90, the quantity that names it
    double F = 0;         // mm^2
    WidthRule rule = WidthRule::Quadratic;
    double a = 0;         // mm, measured outward from the bell-mouth rim
};

// The twelve stations in angular order: 0, 10, ..., 80, 84, 87, 90 degrees.
std::array<Station, 12> stations(const Calculation& c);

}  // namespace inlet
