#!/usr/bin/python3
"""The passage's solid over seeded realistic designs, against an independent integration.

Each design (the realistic generator of tests/windows/compare-with-linux.py, imported, not
copied) is run by inlet-calc with --checks --json --step, with the computed widths. Then:
  - a solid written is closed (inlet-calc checks its shell before it writes) and its fluid
    volume agrees within 0.2 % with the volume integrated here from the printed results: the
    section through the axis turned about the pump axis (the conical pipe, the bell-mouth
    ellipse, the upper wall at aa up to hk, the guide cone with its foot) cut by the plan (the
    outer wall through the stations by monotone cubic interpolation, the straight side walls
    at B/2, the inlet at L = 3.5·D);
  - a solid refused is refused for a condition of the design in the engineer's words, never
    the modelling kernel's, and the checks warn of something;
  - a design whose checks warn of nothing builds its solid.

Usage: solid-volume.py INLET_CALC [COUNT]
"""

import bisect
import importlib.util
import json
import math
import os
import random
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
source = importlib.util.spec_from_file_location(
    "compare_with_linux", os.path.join(HERE, "..", "windows", "compare-with-linux.py"))
generator = importlib.util.module_from_spec(source)
source.loader.exec_module(generator)

STATIONS = [0, 10, 20, 30, 40, 50, 60, 70, 80, 84, 87, 90]
D = 2200.0  # the D box's default; the L box's 3.5 is a multiple of it
LENGTH = 3.5 * D


def number(text):
    return float(text)


def monotone_cubic(phis, radii):
    """The outer wall's radius at any angle: Fritsch and Carlson through the stations."""
    n = len(phis)
    delta = [(radii[i + 1] - radii[i]) / (phis[i + 1] - phis[i]) for i in range(n - 1)]
    slope = [0.0] * n
    slope[0], slope[-1] = delta[0], delta[-1]
    for i in range(1, n - 1):
        slope[i] = 0.0 if delta[i - 1] * delta[i] <= 0 else (delta[i - 1] + delta[i]) / 2
    for i in range(n - 1):
        if delta[i] == 0:
            slope[i] = slope[i + 1] = 0.0
            continue
        a, b = slope[i] / delta[i], slope[i + 1] / delta[i]
        if a * a + b * b > 9:
            tau = 3 / math.sqrt(a * a + b * b)
            slope[i], slope[i + 1] = tau * a * delta[i], tau * b * delta[i]

    def radius(phi):
        i = 0
        while i + 2 < n and phi > phis[i + 1]:
            i += 1
        step = phis[i + 1] - phis[i]
        u = (phi - phis[i]) / step
        return ((1 + 2 * u) * (1 - u) ** 2 * radii[i] + u * (1 - u) ** 2 * step * slope[i]
                + u * u * (3 - 2 * u) * radii[i + 1] + u * u * (u - 1) * step * slope[i + 1])
    return radius


def volume(design, results):
    """mm³ of the fluid between the walls, integrated over the plan of the section's height."""
    r = {k: number(v) for k, v in results.items()}
    D0, H0, H1, H2 = (number(design[k]) for k in ("D0", "H0", "H1", "H2"))
    t = math.tan(math.radians(number(design["theta"])))
    T = math.tan(math.radians(number(design["aa"])))
    hk = number(design["hk"])
    H, x1, y1, a1, b1 = r["H"], r["x1"], r["y1"], r["a1"], r["b1"]
    x2, y2, a2, b2, ap, bp = r["x2"], r["y2"], r["a2"], r["b2"], r["ap"], r["bp"]

    cone_top = D0 / 2 - H0 * t                    # the pump inlet section's radius, at H
    bell_cy = H - y1
    s = math.atan2(t * b1, a1)                    # where the bell's slope is the cone's
    bell_start = (x1 - a1 * math.cos(s), bell_cy - b1 * math.sin(s))
    guide_cy = H - y2
    foot = 0.01 * b2                              # the guide cone's vertical foot
    foot_r = x2 - a2 * math.sqrt(max(0.0, 1 - ((guide_cy - foot) / b2) ** 2))
    roof_level = x1 + ap + (hk - bp) / T

    def upper(q):
        if q <= cone_top:
            return H
        if q <= bell_start[0]:
            return H + (bell_start[1] - H) * (q - cone_top) / (bell_start[0] - cone_top)
        if q <= x1 + ap:
            return bell_cy - b1 * math.sqrt(max(0.0, 1 - ((q - x1) / a1) ** 2))
        return min(hk, bp + T * (q - x1 - ap))

    def lower(q):
        if q <= x2 - a2:
            return guide_cy
        if q <= foot_r:
            return guide_cy - b2 * math.sqrt(max(0.0, 1 - ((q - x2) / a2) ** 2))
        return 0.0

    phis = STATIONS
    radius = monotone_cubic(phis, [x1 + r["a%d" % p] for p in phis])
    half_width = x1 + r["a90"]
    far = math.hypot(half_width, LENGTH) * 1.01
    breaks = sorted({0.0, cone_top, bell_start[0], x1 + ap, x2 - a2, foot_r, x1, roof_level, far})
    breaks = [b for b in breaks if 0 <= b <= far]
    grid = [breaks[0]]
    for a, b in zip(breaks, breaks[1:]):
        if b > a:
            grid += [a + (b - a) * j / 4000 for j in range(1, 4001)]
    f = [(upper(q) - lower(q)) * q for q in grid]
    cumulative = [0.0]
    for j in range(1, len(grid)):
        cumulative.append(cumulative[-1] + (f[j] + f[j - 1]) / 2 * (grid[j] - grid[j - 1]))

    def G(R):  # the section's height times r, integrated from the axis out to R
        j = min(max(bisect.bisect_right(grid, R), 1), len(grid) - 1)
        u = (R - grid[j - 1]) / (grid[j] - grid[j - 1])
        return cumulative[j - 1] + u * (cumulative[j] - cumulative[j - 1])

    # The plan, angle psi from the back (+y): the outer wall for psi up to 90°, the side wall
    # at B/2 or the inlet at L beyond; the left half the mirror image.
    n = 36000
    total = 0.0
    for k in range(n):
        psi = (k + 0.5) * math.pi / n
        degrees = math.degrees(psi)
        if degrees <= 90:
            R = radius(degrees)
        else:
            R = min(half_width / math.sin(psi), LENGTH / -math.cos(psi))
        total += G(R)
    return 2 * total * math.pi / n


def main():
    calc = sys.argv[1]
    count = int(sys.argv[2]) if len(sys.argv) > 2 else 12
    rng = random.Random(20261208)
    env = dict(os.environ, LC_ALL="C")
    failures, built, refused = 0, 0, 0
    with tempfile.TemporaryDirectory() as work:
        step = os.path.join(work, "x.step")
        for i in range(count):
            design = generator.realistic(rng)
            args = [calc, "--checks", "--json", "--step", step]
            for name, value in design.items():
                args += ["--" + name, value]
            if os.path.exists(step):
                os.remove(step)
            run = subprocess.run(args, capture_output=True, text=True, env=env, check=False)
            try:
                printed = json.loads(run.stdout)
            except ValueError:
                printed = {}
            checks = printed.pop("checks", None)
            if checks is None:
                continue  # the calculation itself fails: no checks, no solid
            warnings = [c for c in checks if c["warning"]]
            name = f"design {i} {design}"
            if run.returncode == 0:
                built += 1
                figures = [c["figure"] for c in checks if c["check"] == "fluid-volume"]
                if not os.path.getsize(step) or len(figures) != 1:
                    print(f"FAIL {name}: no solid file or no volume")
                    failures += 1
                    continue
                expected = volume(design, printed) / 1e9
                if os.environ.get("VERBOSE"):
                    print(f"{name}: volume {figures[0]:.4f} m³, integrated {expected:.4f} m³")
                if abs(figures[0] - expected) > 0.002 * expected:
                    print(f"FAIL {name}: volume {figures[0]:.4f} m³, integrated {expected:.4f} m³")
                    failures += 1
            else:
                refused += 1
                message = run.stderr.strip()
                if os.environ.get("VERBOSE"):
                    print(f"{name}: {message}")
                if "no solid" not in message or "modelling kernel" in message or "not sound" in message:
                    print(f"FAIL {name}: refused not for a condition of the design: {message}")
                    failures += 1
                if not warnings:
                    print(f"FAIL {name}: refused while the checks warn of nothing: {message}")
                    failures += 1
    print(f"{count} designs: {built} solids built, {refused} refused, {failures} failures")
    if built < count // 3:
        print("FAIL too few solids built to mean anything")
        failures += 1
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
