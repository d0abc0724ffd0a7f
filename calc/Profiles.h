#pragma once

// The elliptical wall profiles of the bell-mouth pipe and of the guide cone.
//
// Notation (all lengths in mm):
//   t       tan(theta), theta the single cone contraction angle in radians
//   d       D1 - D0, the widening of the bell-mouth pipe
//   c       d*H1 - 2*H1^2*t
//   a1, b1  semi-minor and semi-major axis of the bell-mouth pipe ellipse
//   x1, y1  its centre
//   a2, b2  semi-minor and semi-major axis of the guide cone ellipse
//   x2, y2  its centre (y2 single)
//   H       passage height
//
// Each formula is evaluated left to right as written; ^ is std::pow.

#include "calc/DesignInputs.h"

namespace inlet {

struct ProfileResults {
    double a1 = 0;
    double b1 = 0;
    double x1 = 0;
    double y1 = 0;
    double a2 = 0;
    double b2 = 0;
    double x2 = 0;
    float y2 = 0;
    double H = 0;
};

double t(const DesignInputs& in);
double d(const DesignInputs& in);
double c(const DesignInputs& in);
double a1(const DesignInputs& in);  // c * sqrt(d / (H1^2*d - 4*H1^3*t)) / 2
double b1(const DesignInputs& in);  // c / (d - 4*H1*t)
double x1(const DesignInputs& in);  // D1 / 2
double y1(const DesignInputs& in, double b1);  // (H0 + H1) - b1
double x2(const DesignInputs& in);  // D1 / 2
float y2(const DesignInputs& in);   // H0 rounded to single
double a2(const DesignInputs& in);  // (D1 - dd0) / 2
double b2(const DesignInputs& in);  // H1 + H2
double H(const DesignInputs& in);   // (H0 + H1) + H2

}  // namespace inlet
