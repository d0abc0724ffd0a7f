#pragma once

// The volute suction chamber: the tangent point of its upper wall on the bell-mouth pipe, the
// volute width at each angular station and the passage width.
//
// Notation (lengths in mm, areas in mm^2, angles phi in degrees):
//   T       tan(aa), aa the inclination of the upper wall in radians
//   S       sqrt(a1^2*T^2 + b1^2)
//   ap      horizontal distance from the tangent point to the bell mouth's outer edge
//   bp      height of the tangent point above the passage floor
//   Ft      threshold area: below or at it the width follows the quadratic rule,
//           above it the linear rule
//   P       linear coefficient of the width quadratic w^2 - P*w + C = 0
//   F       station area pi*D1*H2*phi/360 (single at the stations 0 to 80)
//   C       constant of the width quadratic for one station
//   a<phi>  volute width at the station phi
//   B       passage width
//
// pi is 3.1416. Each formula is evaluated left to right as written; ^ is std::pow.

#include "calc/DesignInputs.h"

#include <array>

namespace inlet {

struct TangentPoint {
    double ap = 0;
    double bp = 0;
};

// What every station's width depends on, fixed once hk is read: Ft and P are computed
// from the others.
struct Volute {
    TangentPoint tp;
    float H2 = 0;
    float hk = 0;
    double T = 0;
    double Ft = 0;
    double P = 0;
};

// The stations 0, 10, ..., 80 degrees in slots 0 to 8; slot 9 is never filled.
struct StationTable {
    std::array<float, 10> F{};
    std::array<double, 10> C{};
    std::array<float, 10> A{};
};

double T(const DesignInputs& in);
double S(double a1, double b1, double T);
double ap(double a1, double T, double S);  // a1^2*T / S
double bp(double b1, float H2, double S);  // (b1 + H2) - b1^2 / S

double Ft(const Volute& v);  // (bp*hk + (hk - bp)^2 / (2*T)) - pi*ap*(bp - H2)/4
double P(const Volute& v);   // 2*(ap - bp/T)

double C(const Volute& v, double F);  // (ap^2 + pi*(ap*H2 - ap*bp)/(2*T)) - 2*F/T
double quadraticWidth(const Volute& v, double C);  // (P + (P^2 - 4*C)^0.5) / 2
double linearWidth(const Volute& v, double F);
// The quadratic rule where F <= Ft, the linear rule above it.
double width(const Volute& v, double F, double C);

// The station phi = 10*k for k = 0 to 8: single area, constant, single width.
void computeStation(StationTable& table, int k, const Volute& v, double D1);

double stationArea(double D1, float H2, double phi);  // pi*D1*H2*phi/360, double
double quarterArea(double D1, float H2);              // pi*D1*H2/4, the 90 degree station
float a87(const Volute& v, double D1);
float a84(const Volute& v, double D1);
double a90(const Volute& v, double D1);  // linear rule on quarterArea, always
double B(double a90, double D1);          // 2*a90 + D1

}  // namespace inlet
