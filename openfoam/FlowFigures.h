#pragma once

// What an inlet passage is judged by at a section across the flow: how uniform the axial
// velocity is, how straight the water enters and the total head it carries.
//
// Notation (SI units):
//   A_i   area of face i of the section, m^2; n the section's unit normal, the axial direction
//   U_i   velocity at face i, m/s; u_a = U_i.n the axial velocity, u_t = |U_i - u_a n| the
//         velocity across the axis
//   e_s   the unit vector around the axis at face i, n x (the unit radial vector from the axis
//         through the section's centre to the face's centre); u_s = U_i.e_s the swirl, the part
//         of u_t that turns about the axis (u_t also holds the radial cross-flow)
//   theta_i = atan2(u_a, u_t), the signed inflow angle at face i, degrees: 90 purely axial,
//         0 purely across, below 0 where the water runs back against n
//   theta_s,i = atan2(u_a, |u_s|), the same with the swirl alone (90 on the axis itself)
//   sum+  a sum over the faces of forward flow (u_a > 0) alone, sum- over those with u_a < 0
//   ubar  area-weighted mean axial velocity, sum(u_a A) / sum(A), m/s
//   p     kinematic pressure p/rho as the solver holds it, m^2/s^2
//   g     9.81 m/s^2
//
//   Q      = sum(u_a A)                                              flow through, m^3/s
//   Vu     = (1 - sqrt(sum((u_a - ubar)^2 A) / sum(A)) / ubar) 100    axial velocity uniformity, %
//   theta  = sum+(u_a theta_i A) / sum+(u_a A)                        mean inflow angle, degrees,
//            over the forward flow: water running back is no axial inflow, it is backflow
//   theta_s = sum+(u_a theta_s,i A) / sum+(u_a A)                     the same with the swirl alone
//   Ht     = sum((p + |U|^2/2) / g u_a A) / sum(u_a A)                flux-weighted total head, m
//   Ab     = sum-(A) / sum(A)                                         backflow's share of the area
//   Qb     = sum-(|u_a| A) / sum(|u_a| A)                             backflow's share of the flow
// The head loss between two sections is the difference of their Ht. Vu lies in 0 to 100 %
// only while the spread of u_a stays below its mean; a section where it does not (strong
// backflow, a plane cut through more than the pipe) is refused by checkSection, never shown.

#include <vector>

namespace inlet::cfd {

struct Vec3 {
    double x = 0, y = 0, z = 0;
};

inline Vec3 operator-(Vec3 a, Vec3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline Vec3 operator+(Vec3 a, Vec3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline Vec3 operator*(double s, Vec3 a) { return {s * a.x, s * a.y, s * a.z}; }
inline double dot(Vec3 a, Vec3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Vec3 cross(Vec3 a, Vec3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double norm(Vec3 a);

// One face of a sampled section, with the fields at it.
struct SectionFace {
    Vec3 centre;      // m
    double area = 0;  // m^2
    Vec3 U;           // m/s
    double p = 0;     // m^2/s^2
};

struct SectionFigures {
    double area = 0;        // m^2
    double flow = 0;        // m^3/s
    double meanAxial = 0;   // m/s
    double uniformity = 0;  // Vu, %
    double angle = 0;       // theta, degrees (90 = purely axial), over the forward flow
    double totalHead = 0;   // Ht, m
    int faces = 0;
    double backflowArea = 0;  // Ab, share 0 to 1
    double backflowFlow = 0;  // Qb, share 0 to 1
    double swirlAngle = 0;    // theta_s, degrees, theta with the swirl alone
};

inline constexpr double kGravity = 9.81;  // m/s^2

// The figures of a section whose flow runs along `axis` (a unit vector) through `centre` (the
// swirl turns about that line). A section with no area or no flow through it gives zeros.
SectionFigures sectionFigures(const std::vector<SectionFace>& faces, Vec3 axis, Vec3 centre = {});

}  // namespace inlet::cfd
