#include "calc/Volute.h"

#include "calc/Arithmetic.h"

#include <cmath>
#include <cstdint>

namespace inlet {

namespace {

float stationWidth(const Volute& v, double F)
{
    return toSingle(width(v, F, C(v, F)));
}

}  // namespace

double T(const DesignInputs& in)
{
    return finite(std::tan(in.aa));
}

double S(double a1, double b1, double T)
{
    return squareRoot(std::pow(a1, 2) * std::pow(T, 2.0) + std::pow(b1, 2));
}

double ap(double a1, double T, double S)
{
    return quotient(std::pow(a1, 2) * T, S);
}

double bp(double b1, float H2, double S)
{
    return finite((b1 + static_cast<double>(H2)) - quotient(std::pow(b1, 2), S));
}

double Ft(const Volute& v)
{
    const double hk = v.hk;
    const double H2 = v.H2;
    const double ap = v.tp.ap;
    const double bp = v.tp.bp;
    return finite((bp * hk + quotient(std::pow(hk - bp, 2), 2 * v.T)) - kPi * ap * (bp - H2) / 4);
}

double P(const Volute& v)
{
    return finite(2 * (v.tp.ap - quotient(v.tp.bp, v.T)));
}

double C(const Volute& v, double F)
{
    const double H2 = v.H2;
    const double ap = v.tp.ap;
    const double bp = v.tp.bp;
    return finite((std::pow(ap, 2) + quotient(kPi * (ap * H2 - ap * bp), 2 * v.T))
                  - quotient(2 * F, v.T));
}

double quadraticWidth(const Volute& v, double C)
{
    return finite((v.P + halfPower(std::pow(v.P, 2) - 4 * C)) / 2);
}

double linearWidth(const Volute& v, double F)
{
    const double hk = v.hk;
    const double H2 = v.H2;
    const double ap = v.tp.ap;
    const double bp = v.tp.bp;
    return quotient(((F + ap * (hk - bp)) + kPi * ap * (bp - H2) / 4)
                        + quotient(std::pow(hk - bp, 2), 2 * v.T),
                    hk);
}

double width(const Volute& v, double F, double C)
{
    // A station whose area equals Ft exactly takes the quadratic rule, so that no station
    // is left without a width.
    return F <= v.Ft ? quadraticWidth(v, C) : linearWidth(v, F);
}

void computeStation(StationTable& table, int k, const Volute& v, double D1)
{
    const auto phi = static_cast<std::int16_t>(10 * k);
    const auto i = static_cast<std::size_t>(k);
    table.F[i] = toSingle(stationArea(D1, v.H2, phi));
    table.C[i] = C(v, table.F[i]);
    table.A[i] = toSingle(width(v, table.F[i], table.C[i]));
}

double stationArea(double D1, float H2, double phi)
{
    return finite(kPi * D1 * static_cast<double>(H2) * phi / 360);
}

double quarterArea(double D1, float H2)
{
    return finite(kPi * D1 * static_cast<double>(H2) / 4);
}

float a87(const Volute& v, double D1)
{
    return stationWidth(v, stationArea(D1, v.H2, 87));
}

float a84(const Volute& v, double D1)
{
    return stationWidth(v, stationArea(D1, v.H2, 84));
}

double a90(const Volute& v, double D1)
{
    return linearWidth(v, quarterArea(D1, v.H2));
}

double B(double a90, double D1)
{
    return finite(2 * a90 + D1);
}

}  // namespace inlet
