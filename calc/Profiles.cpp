#include "calc/Profiles.h"

#include "calc/Arithmetic.h"

#include <cmath>

namespace inlet {

double t(const DesignInputs& in)
{
    return finite(std::tan(static_cast<double>(in.theta)));
}

double d(const DesignInputs& in)
{
    return finite(in.D1 - in.D0);
}

double c(const DesignInputs& in)
{
    return finite(d(in) * in.H1 - 2 * std::pow(in.H1, 2) * t(in));
}

double a1(const DesignInputs& in)
{
    const double divisor = std::pow(in.H1, 2) * d(in) - 4 * std::pow(in.H1, 3) * t(in);
    return finite(c(in) * squareRoot(quotient(d(in), divisor)) / 2);
}

double b1(const DesignInputs& in)
{
    return quotient(c(in), d(in) - 4 * in.H1 * t(in));
}

double x1(const DesignInputs& in)
{
    return in.D1 / 2;
}

double y1(const DesignInputs& in, double b1)
{
    return finite((in.H0 + in.H1) - b1);
}

double x2(const DesignInputs& in)
{
    return in.D1 / 2;
}

float y2(const DesignInputs& in)
{
    return toSingle(in.H0);
}

double a2(const DesignInputs& in)
{
    return finite((in.D1 - static_cast<double>(in.dd0)) / 2);
}

double b2(const DesignInputs& in)
{
    return finite(in.H1 + static_cast<double>(in.H2));
}

double H(const DesignInputs& in)
{
    return finite((in.H0 + in.H1) + static_cast<double>(in.H2));
}

}  // namespace inlet
