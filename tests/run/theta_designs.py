#!/usr/bin/env python3
"""Works out the shown texts of designs with a cone contraction angle, independently of the
program: the formulas evaluated left to right in Python's doubles, singles by struct, theta
rounded to single from its exact rational value, and every text rounded with the decimal
module on the exact binary value. Prints one line per result; the tests hold the figures.

Usage: tests/run/theta_designs.py   (prints the designs the run tests check)
"""
import math
import struct
from decimal import Decimal, ROUND_HALF_UP
from fractions import Fraction

PI = 3.1416


def single(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def single_nearest(exact):
    """The single nearest to an exact rational, ties to even."""
    if exact == 0:
        return 0.0
    guess = single(float(exact))
    candidates = {guess}
    for step in (-1, 1):
        bits = struct.unpack("I", struct.pack("f", guess))[0]
        candidates.add(struct.unpack("f", struct.pack("I", bits + step))[0])
    return min(candidates, key=lambda c: (abs(Fraction(c) - exact),
                                          struct.unpack("I", struct.pack("f", c))[0] & 1))


def picture(x):
    whole = int(Decimal(x).quantize(Decimal(1), rounding=ROUND_HALF_UP))
    return ("-" if whole < 0 else "") + str(abs(whole)).rjust(4, "0")


def general(x, digits=15):
    d = Decimal(x)
    if d == 0:
        return "0"
    exponent = d.adjusted()
    rounded = d.quantize(Decimal(1).scaleb(exponent - digits + 1), rounding=ROUND_HALF_UP)
    text = format(rounded.normalize(), "f")
    return text


def design(D0=2200.0, theta=0.0, H0=700.0, H1=700.0, H2=1300.0, D1=3000.0, dd0=700.0, aa=50.0, hk=0.0):
    H2 = single(H2)
    dd0 = single(dd0)
    hk = single(hk)
    th = single_nearest(Fraction(theta) * Fraction(PI) / 180)
    aa = (aa * PI) / 180
    out = []
    t = math.tan(th)
    d = D1 - D0
    c = d * H1 - 2 * H1 ** 2 * t
    divisor = H1 ** 2 * d - 4 * H1 ** 3 * t
    if divisor == 0:
        return out + [("failure", "division by zero computing a1")]
    q = d / divisor
    if q < 0:
        return out + [("failure", "invalid call computing a1")]
    a1 = c * math.sqrt(q) / 2
    if d - 4 * H1 * t == 0:
        return out + [("failure", "division by zero computing b1")]
    b1 = c / (d - 4 * H1 * t)
    out += [("a1", picture(a1)), ("b1", picture(b1))]
    x1 = D1 / 2
    y1 = (H0 + H1) - b1
    out += [("x1", general(x1)), ("y1", general(single(float(picture(y1))), 7))]
    out += [("x2", general(D1 / 2)), ("y2", general(single(H0), 7))]
    out += [("a2", general((D1 - dd0) / 2)), ("b2", general(H1 + H2))]
    T = math.tan(aa)
    S = math.sqrt(a1 ** 2 * T ** 2.0 + b1 ** 2)
    ap = a1 ** 2 * T / S
    bp = (b1 + H2) - b1 ** 2 / S
    out += [("ap", picture(ap)), ("bp", picture(bp))]
    Ft = (bp * hk + (hk - bp) ** 2 / (2 * T)) - PI * ap * (bp - H2) / 4
    P = 2 * (ap - bp / T)

    def width(F):
        C = (ap ** 2 + PI * (ap * H2 - ap * bp) / (2 * T)) - 2 * F / T
        if F <= Ft:
            return (P + (P ** 2 - 4 * C) ** 0.5) / 2
        return ((F + ap * (hk - bp)) + PI * ap * (bp - H2) / 4 + (hk - bp) ** 2 / (2 * T)) / hk

    table = [single(width(single(PI * D1 * H2 * (10 * k) / 360))) for k in range(9)]
    a87 = single(width(PI * D1 * H2 * 87 / 360))
    a84 = single(width(PI * D1 * H2 * 84 / 360))
    F90 = PI * D1 * H2 / 4
    a90 = ((F90 + ap * (hk - bp)) + PI * ap * (bp - H2) / 4 + (hk - bp) ** 2 / (2 * T)) / hk
    out += [("a87", picture(a87)), ("a84", picture(a84)), ("H", picture((H0 + H1) + H2))]
    out += [("a%d" % (10 * k), picture(w)) for k, w in enumerate(table)]
    out += [("a90", picture(a90)), ("B", picture(2 * a90 + D1))]
    return out


def show(name, results):
    print(name)
    for symbol, text in results:
        print("  %s\t%s" % (symbol, text))


if __name__ == "__main__":
    show("theta 5, D0 2000, hk 2000", design(theta=5, D0=2000, hk=2000))
    show("theta 3.5, D0 2400, hk 2000", design(theta=3.5, D0=2400, hk=2000))
    t = math.tan(single_nearest(Fraction(16) * Fraction(PI) / 180))
    d = 4 * 700.0 * t
    print("theta 16: t = %r, 4*H1*t = %r, D1 = 200 + that = %r (exact: %s)" % (t, d, 200 + d, 200 + d - 200 == d))
    show("theta 16, D0 200, D1 200 + 4*H1*t", design(theta=16, D0=200, D1=200 + d, hk=2000))
