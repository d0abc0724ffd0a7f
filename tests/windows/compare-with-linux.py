#!/usr/bin/python3
"""inlet-calc.exe under Wine against the Linux inlet-calc, design for design.

Realistic designs (seeded, of the proportions pump stations are built with) must give every
shown text identical: the 24 results and the error column. Where they differ in a design
check's figure (15 digits, from tan and pow of another C library) the count is reported.
Extreme designs (values of 1e15 and more, which the results print in full) are reported by
count: their last digits come from tan and pow, which differ between C libraries.

Usage: compare-with-linux.py LINUX_INLET_CALC WINE_RUN WINDOWS_INLET_CALC [REALISTIC [EXTREME]]
"""

import csv
import io
import random
import subprocess
import sys

COLUMNS = ["D0", "theta", "H0", "H1", "H2", "D1", "dd0", "aa", "hk"]


def number(value, digits):
    text = f"{value:.{digits}f}"
    return text.rstrip("0").rstrip(".") if digits else text  # "3810", not "381"


def realistic(rng):
    """A design an engineer might type: mm whole or to a tenth, angles in degrees."""
    d1 = rng.randrange(1200, 6000, 10)
    d0 = round(d1 * rng.uniform(0.55, 0.85) / 10) * 10
    digits = rng.choice([0, 0, 1])
    return {
        "D0": number(d0, 0),
        "theta": rng.choice(["0", "0", number(rng.uniform(0, 12), 1)]),
        "H0": number(rng.uniform(300, 1500), digits),
        "H1": number(rng.uniform(300, 1500), digits),
        "H2": number(rng.uniform(0.3, 0.6) * d1, digits),
        "D1": number(d1, 0),
        "dd0": number(rng.uniform(0.2, 0.45) * d0, digits),
        "aa": number(rng.uniform(25, 70), rng.choice([0, 1])),
        "hk": number(rng.uniform(0.4, 1.2) * d1, digits),
    }


def extreme(rng):
    """Values of 1e15 and more, and their reciprocals, in every box."""
    def huge():
        return f"{rng.uniform(1, 10):.6g}e{rng.randint(15, 150)}"
    design = {name: huge() for name in COLUMNS}
    design["theta"] = rng.choice(["0", number(rng.uniform(0, 80), 3)])
    design["aa"] = number(rng.uniform(1, 89), 3)
    return design


def batch(designs):
    out = io.StringIO()
    writer = csv.DictWriter(out, COLUMNS, lineterminator="\n")
    writer.writeheader()
    writer.writerows(designs)
    return out.getvalue().encode()


def run(command, data):
    result = subprocess.run(command + ["--csv", "--checks"], input=data, capture_output=True, check=False)
    if result.returncode != 0:
        sys.exit(f"{' '.join(command)} exited with {result.returncode}: {result.stderr.decode(errors='replace')}")
    return list(csv.DictReader(io.StringIO(result.stdout.decode())))


def compare(linux, windows, designs):
    """Rows whose shown texts differ, and rows that differ only in a check's figure."""
    data = batch(designs)
    a, b = run(linux, data), run(windows, data)
    if len(a) != len(b) or len(a) != len(designs):
        sys.exit(f"{len(designs)} designs gave {len(a)} rows on Linux and {len(b)} on Windows")
    shown, checks = [], 0
    for i, (x, y) in enumerate(zip(a, b)):
        texts = [k for k in x if k != "checks" and x[k] != y[k]]
        if texts:
            shown.append((i, texts, x, y))
        elif x["checks"] != y["checks"]:
            checks += 1
    return shown, checks


def main():
    linux, wine_run, windows = sys.argv[1], sys.argv[2], sys.argv[3]
    count = int(sys.argv[4]) if len(sys.argv) > 4 else 20000
    extremes = int(sys.argv[5]) if len(sys.argv) > 5 else 30000
    rng = random.Random(20261207)

    designs = [realistic(rng) for _ in range(count)]
    shown, checks = compare([linux], [wine_run, windows], designs)
    failed = sum(1 for _, _, x, _ in shown if x["error"])
    print(f"realistic designs: {count}, of which {failed} fail on Linux; "
          f"shown texts differing: {len(shown)}; a check figure differing: {checks}")
    for i, texts, x, y in shown[:10]:
        print(f"  design {i} {designs[i]}:", "; ".join(f"{k} {x[k]!r} / {y[k]!r}" for k in texts))

    designs = [extreme(rng) for _ in range(extremes)]
    extreme_shown, extreme_checks = compare([linux], [wine_run, windows], designs)
    print(f"extreme designs: {extremes}; shown texts differing: {len(extreme_shown)}; "
          f"a check figure differing: {extreme_checks} (reported, not a failure)")

    print(f"compare-with-linux: {1 if not shown else 0} passed, {1 if shown else 0} failed")
    return 1 if shown else 0


if __name__ == "__main__":
    sys.exit(main())
