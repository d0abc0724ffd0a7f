#!/usr/bin/python3
"""One design, one set of figures: every output of a design read back by another program.

For each design (the default one and seeded realistic ones from the generator of
tests/windows/compare-with-linux.py, with hk set about bp, at H2, at H and far above, in both
width sets) inlet-calc writes --checks --json, the DXF, the workbook, the design file and,
where the solid is built, the STEP; the window program exports the calculation sheet (PDF)
from the design file. Then the passage width B (the result's and the one drawn), the volute
widths of both sets, every station's F and area drawn, every velocity and the fluid volume are
read from
  --checks --json            (the figures to their last digit, the texts as printed)
  the workbook (openpyxl)    (the figures to their last digit)
  the DXF (ezdxf)            (dimensions measured, labels as printed)
  the sheet (pdftotext)      (as printed)
  the STEP (step-figures: OpenCASCADE's reader; the width across, the height, the length, the
                              inlet's area and the volume)
and each must be the figure of the others to the digits it prints. A design without a volute
section (hk not above bp) must give no B drawn, no velocity through it and no volume in any.

Usage: agree.py INLET INLET_CALC [STEP_FIGURES]
"""

import concurrent.futures
import importlib.util
import json
import math
import os
import random
import re
import subprocess
import sys
import tempfile

import ezdxf
import openpyxl

HERE = os.path.dirname(os.path.abspath(__file__))
source = importlib.util.spec_from_file_location(
    "compare_with_linux", os.path.join(HERE, "..", "windows", "compare-with-linux.py"))
generator = importlib.util.module_from_spec(source)
source.loader.exec_module(generator)

STATIONS = [0, 10, 20, 30, 40, 50, 60, 70, 80, 84, 87, 90]
Q, D = 15.0, 2200.0  # the Q and D boxes' defaults, which the designs keep
ENV = dict(os.environ, LC_ALL="C")
ENV.pop("LANGUAGE", None)
WINDOW_ENV = dict(ENV, QT_QPA_PLATFORM="offscreen")
for name in ("DISPLAY", "WAYLAND_DISPLAY"):
    WINDOW_ENV.pop(name, None)

class Case:
    def __init__(self, name, design, width_set):
        self.name, self.design, self.width_set = name, design, width_set
        self.failures = []

    def fail(self, message):
        self.failures.append(message)

    def same(self, what, printed, exact, decimals):
        """`printed` (a number as an output prints it with `decimals` digits) is `exact`."""
        if printed is None:
            self.fail(f"{what}: not given (expected {exact:.{max(decimals, 0)}f})")
            return
        if abs(printed - exact) > 0.5 * 10 ** -decimals * (1 + 1e-9) + 1e-9 * abs(exact):
            self.fail(f"{what}: {printed} where the figure is {exact!r}")

    def close(self, what, value, exact, relative):
        if value is None or abs(value - exact) > relative * max(abs(exact), 1e-12):
            self.fail(f"{what}: {value!r} where the figure is {exact!r}")


def options(design, width_set):
    args = []
    for name, value in design.items():
        args += ["--" + name, value]
    return args + (["--widths", "area-true"] if width_set == "area-true" else [])


def results_of(calc, design):
    run = subprocess.run([calc, "--json"] + options(design, "computed"), capture_output=True, text=True,
                         env=ENV, check=False)
    return json.loads(run.stdout) if run.returncode == 0 else None


# ---- reading each output ------------------------------------------------------------------

def decimals_of(text):
    return len(text.split(".")[1]) if "." in text else 0


def read_json(path):
    printed = json.load(open(path))
    checks = printed.pop("checks")
    return printed, checks


def read_workbook(path):
    book = openpyxl.load_workbook(path)
    results = [r for r in book["计算结果"].iter_rows(min_row=2, values_only=True) if r[0]]
    sections = {r[0]: r for r in book["蜗壳断面"].iter_rows(min_row=2, values_only=True) if r[0] is not None}
    checks = [r for r in book["设计校核"].iter_rows(min_row=2, values_only=True) if r[0]]
    return results, sections, checks


def read_dxf(path):
    msp = ezdxf.readfile(path).modelspace()
    dims = []          # (text, measurement)
    stations = {}      # phi -> {"drawn": text, "F": text}
    phi = None
    for e in msp:
        if e.dxftype() == "DIMENSION":
            dims.append((e.dxf.get("text", ""), e.get_measurement()))
        elif e.dxftype() in ("TEXT", "MTEXT"):
            text = e.dxf.text if e.dxftype() == "TEXT" else e.plain_text()
            title = re.match(r"\d+—\d+ φ=(\d+)°断面", text)
            if title:
                phi = int(title.group(1))
                stations[phi] = {}
            elif phi is not None and text.startswith("所绘面积 ") and "drawn" not in stations[phi]:
                stations[phi]["drawn"] = text
            elif phi is not None and text.startswith("F=") and "F" not in stations[phi]:
                stations[phi]["F"] = text
    return dims, stations


def read_sheet(path):
    text = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True, text=True, check=True).stdout
    return text, re.sub(r"\s+", "", text)


def read_step(tool, path):
    run = subprocess.run([tool, path], capture_output=True, text=True, check=False)
    if run.returncode != 0:
        return None
    return {k: float(v) for k, v in (line.split() for line in run.stdout.splitlines())}


# ---- one design in one width set -----------------------------------------------------------

def check_case(case, inlet, calc, step_tool, work):
    d = os.path.join(work, re.sub(r"[^A-Za-z0-9.-]+", "-", case.name))
    os.makedirs(d)
    files = {k: os.path.join(d, "d." + k) for k in ("json", "dxf", "xlsx", "inlet", "step", "pdf")}
    args = [calc, "--checks", "--json", "--dxf", files["dxf"], "--xlsx", files["xlsx"], "--save", files["inlet"]]
    if step_tool:
        args += ["--step", files["step"]]
    run = subprocess.run(args + options(case.design, case.width_set), capture_output=True, text=True,
                         env=ENV, check=False)
    open(files["json"], "w").write(run.stdout)
    solid_refused = step_tool and run.returncode == 1 and "no solid: " in run.stderr
    if run.returncode != 0 and not solid_refused:
        case.fail(f"inlet-calc exit {run.returncode}: {run.stderr.strip()}")
        return
    sheet = subprocess.run([inlet, "--export", files["pdf"], files["inlet"]], capture_output=True, text=True,
                           env=WINDOW_ENV, check=False)
    if sheet.returncode != 0:
        case.fail(f"inlet --export: {sheet.stderr.strip()}")
        return

    printed, checks = read_json(files["json"])
    results, sections, book_checks = read_workbook(files["xlsx"])
    dims, dxf_stations = read_dxf(files["dxf"])
    layout, flat = read_sheet(files["pdf"])
    step = read_step(step_tool, files["step"]) if step_tool and not solid_refused else None
    hk = float(case.design["hk"])
    value = {}
    for r in results:
        value.setdefault(r[0], r[2])            # the first of each symbol: the result's
    B_rows = [r[2] for r in results if r[0] == "B"]

    def checks_of(kind):
        return [c for c in checks if c["check"] == kind]

    def book_row(title, subject=None):
        rows = [r for r in book_checks if r[0] == title and (subject is None or r[1] == subject)]
        return rows[0] if rows else None

    # ---- the results: the same text in --checks --json as in the workbook's box column
    for symbol in ["B", "H", "ap", "bp"] + [f"a{p}" for p in STATIONS]:
        box = [r[3] for r in results if r[0] == symbol]
        if not box or printed.get(symbol) != box[0]:
            case.fail(f"{symbol}: --checks --json prints {printed.get(symbol)!r}, the workbook's box {box}")
        else:
            case.same(f"{symbol} in --checks --json", float(printed[symbol]), value[symbol], 0)
        shown = re.search(rf"^{symbol}\s+\S+?\({'mm'}\)\s+(-?\d+) mm", layout, re.M)
        case.same(f"{symbol} in the sheet's 5 计算结果", float(shown.group(1)) if shown else None, value[symbol], 0)

    sections_exist = bool(checks_of("section-velocity"))
    volume_checks = checks_of("fluid-volume")
    volume_row = book_row("水体体积")
    volume_line = re.search(r"流道水体体积([\d.]+)m³", flat)
    if not sections_exist:
        # No volute section: no B drawn, no velocity through it, no volume, in any output.
        if any(t.startswith("B=") for t, _ in dims):
            case.fail(f"the DXF dimensions B without a volute section: {[t for t, _ in dims if t.startswith('B=')]}")
        if checks_of("velocity-at-passage-inlet") or book_row("流道进口流速") or "流道进口平均流速" in flat:
            case.fail("a passage-inlet velocity without a volute section")
        if volume_checks or volume_row or volume_line or (step_tool and not solid_refused):
            case.fail("a volume or a solid without a volute section")
        return

    # ---- B: the result's, and the one drawn (the area-true set's where it is not the result's)
    drawn_checks = checks_of("passage-width-drawn")
    B_result = value["B"]
    B = drawn_checks[0]["figure"] if drawn_checks else B_result
    case.close("the workbook's B drawn (its last row of B)", B_rows[-1], B, 1e-12)
    if (len(B_rows) == 2) != bool(drawn_checks):
        case.fail(f"the workbook gives B {B_rows}, --checks --json {'two' if drawn_checks else 'one'}")
    for text, measured in dims:
        if text.startswith("B="):
            case.close(f"the DXF's dimension {text}", measured, B, 1e-9)
    if not any(t.startswith("B=") for t, _ in dims):
        case.fail("the DXF dimensions no B")
    conclusion = flat[flat.find("6结论按3基本资料"):]
    shown = re.search(r"宽度B=(\d+)mm", conclusion)
    case.same("the result's B in the sheet's 结论", float(shown.group(1)) if shown else None, B_result, 0)
    if drawn_checks:
        shown = re.search(r"按面积一致宽度，φ=90°断面蜗壳宽度a90=(\d+)mm，流道宽度B=(\d+)mm", conclusion)
        case.same("the B drawn in the sheet's 结论", float(shown.group(2)) if shown else None, B, 0)
    figures = {int(m) for m in re.findall(r"B=(\d+)(?![\d.])", layout)}
    if not figures or any(abs(f - B) > 0.5 for f in figures):
        case.fail(f"the sheet's drawings dimension B {sorted(figures)}, the figure is {B!r}")
    ratio = [c for c in checks if c["subject"] == "B/D"]
    case.close("--checks --json B/D", ratio[0]["figure"] * D if ratio else None, B, 1e-12)
    row = book_row("与叶轮直径之比", "B/D")
    case.close("the workbook's B/D", row[2] * D if row else None, B, 1e-12)
    shown = re.search(r"B/D=(\d+\.\d+)", flat)
    case.same("the sheet's B/D", float(shown.group(1)) if shown else None, B / D, 3)

    # ---- the widths of both sets: the workbook's table against the results and the sheet's
    chosen = {}
    table_rows = {}
    for m in re.finditer(r"^\s*(\d{1,2})\s+(\d+)\s+(-?\d+)\s*(?:二次式|线性式)\S*\s+(-?\d+|—)\s*(?:(?:二次式|线性式)\S*)?"
                         r"\s+(?:\d+|—)\s+(-?\d+|—)", layout, re.M):
        table_rows[int(m.group(1))] = [float(m.group(i)) if m.group(i) != "—" else None for i in (2, 3, 4, 5)]
    for p in STATIONS:
        row = sections.get(p)
        if row is None:
            case.fail(f"the workbook has no station {p}")
            continue
        F, a, a_true, drawn, percent, vF, v_drawn = row[1], row[3], row[5], row[6], row[7], row[8], row[9]
        case.close(f"the workbook's computed a{p} against its result", a, value[f"a{p}"], 1e-12)
        chosen[p] = a_true if case.width_set == "area-true" else a
        sheet_row = table_rows.get(p)
        if sheet_row is None:
            case.fail(f"the sheet's table of sections has no row for φ {p}")
        else:
            case.same(f"the sheet's F at φ {p}", sheet_row[0], F, 0)
            case.same(f"the sheet's computed a{p}", sheet_row[1], a, 0)
            if a_true is not None:
                case.same(f"the sheet's area-true a{p}", sheet_row[2], a_true, 0)
            if drawn is not None:
                case.same(f"the sheet's area drawn at φ {p}", sheet_row[3], drawn, 0)
            elif sheet_row[3] is not None:
                case.fail(f"the sheet's area drawn at φ {p} is {sheet_row[3]}, the workbook draws none")
        # The DXF: the station's width dimensioned, its area drawn and F as labelled.
        dimension = [(t, m) for t, m in dims if t.startswith(f"a{p}=")]
        if drawn is None and dxf_stations.get(p):
            case.fail(f"the DXF draws a section at φ {p}, the workbook none: {dxf_stations[p]}")
        if chosen[p] is not None and drawn is not None:
            if not dimension:
                case.fail(f"the DXF dimensions no a{p}")
            for t, m in dimension:
                if t == f"a{p}=<>":
                    case.close(f"the DXF's a{p}", m, chosen[p], 1e-9)
                else:
                    case.same(f"the DXF's {t}", float(t.split("=")[1]), chosen[p], 0)
            labels = dxf_stations.get(p, {})
            shown = re.match(r"所绘面积 (-?\d+) mm²", labels.get("drawn", ""))
            case.same(f"the DXF's area drawn at φ {p}", float(shown.group(1)) if shown else None, drawn, 0)
            shown = re.match(r"F=(\d+) mm²", labels.get("F", ""))
            case.same(f"the DXF's F at φ {p}", float(shown.group(1)) if shown else None, F, 0)
        if p == 0:
            continue
        # The velocities through F and through the section drawn.
        velocity = [c for c in checks if c["check"] == "section-velocity" and c["subject"] == f"a{p}"]
        if not velocity:
            case.fail(f"--checks --json has no velocity at φ {p}")
            continue
        c = velocity[0]
        case.close(f"the workbook's velocity through F at φ {p}", vF, Q * p / 360 / (F / 1e6), 1e-12)
        if drawn is None:
            # No section drawn: the velocity through F alone, in every output.
            case.close(f"--checks --json velocity at φ {p} without a section drawn", c["figure"], vF, 1e-12)
            if v_drawn is not None:
                case.fail(f"the workbook's velocity drawn at φ {p} is {v_drawn} without a section drawn")
            m = re.search(r"Q·\(φ/360\)/F = ([\d.]+) m/s \(F (\d+) mm², no section drawn", c["message"])
            if not m:
                case.fail(f"--checks --json at φ {p}: {c['message']}")
            m = re.search(rf"φ={p}°断面平均流速Q·\(φ/360\)/F=([\d.]+)m/s（F=(\d+)mm²，无所绘断面", flat)
            if not m:
                case.fail(f"the sheet gives no velocity at φ {p} without a section drawn")
            else:
                case.same(f"the sheet's velocity through F at φ {p}", float(m.group(1)), vF, decimals_of(m.group(1)))
                case.same(f"the sheet's F at φ {p} (velocities)", float(m.group(2)), F, 0)
            continue
        case.close(f"the workbook's velocity drawn at φ {p}", v_drawn, c["figure"], 1e-12)
        case.close(f"the velocity drawn at φ {p} against the area drawn", Q * p / 360 / (drawn / 1e6), c["figure"], 1e-12)
        m = re.search(r"Q·\(φ/360\)/F = ([\d.]+) m/s \(F (\d+) mm²\), in the section drawn ([\d.]+) m/s \(area (\d+) mm²\)",
                      c["message"])
        if not m:
            case.fail(f"--checks --json at φ {p}: {c['message']}")
        else:
            case.same(f"--checks --json velocity through F at φ {p}", float(m.group(1)), vF, decimals_of(m.group(1)))
            case.same(f"--checks --json F at φ {p}", float(m.group(2)), F, 0)
            case.same(f"--checks --json velocity drawn at φ {p}", float(m.group(3)), v_drawn, decimals_of(m.group(3)))
            case.same(f"--checks --json area drawn at φ {p}", float(m.group(4)), drawn, 0)
        m = re.search(rf"φ={p}°断面平均流速Q·\(φ/360\)/F=([\d.]+)m/s（F=(\d+)mm²），所绘断面([\d.]+)m/s（面积(\d+)mm²）", flat)
        if not m:
            case.fail(f"the sheet gives no velocity at φ {p}")
        else:
            case.same(f"the sheet's velocity through F at φ {p}", float(m.group(1)), vF, decimals_of(m.group(1)))
            case.same(f"the sheet's F at φ {p} (velocities)", float(m.group(2)), F, 0)
            case.same(f"the sheet's velocity drawn at φ {p}", float(m.group(3)), v_drawn, decimals_of(m.group(3)))
            case.same(f"the sheet's area drawn at φ {p} (velocities)", float(m.group(4)), drawn, 0)

    # ---- the velocities at the cone inlet, under the rim and at the passage inlet
    for kind, title, pattern in (
            ("velocity-at-cone-inlet", "锥管进口流速", r"锥管进口平均流速（扣除导水锥顶，π·\(D0²-dd0²\)/4=([\d.]+)m²）([\d.]+)m/s"),
            ("velocity-under-rim", "喇叭口下流速", r"喇叭口下环形断面平均流速（π·D1·H2=([\d.]+)m²）([\d.]+)m/s"),
            ("velocity-at-passage-inlet", "流道进口流速", r"流道进口平均流速（B·hk=([\d.]+)m²，B=\d+mm）([\d.]+)m/s")):
        found = checks_of(kind)
        if not found:
            case.fail(f"--checks --json has no {kind}")
            continue
        v = found[0]["figure"]
        row = book_row(title)
        case.close(f"the workbook's {kind}", row[2] if row else None, v, 1e-12)
        m = re.search(r"\) ([\d.]+) m/s \(Q = ", found[0]["message"])
        case.same(f"--checks --json {kind} as printed", float(m.group(1)) if m else None, v, 2)
        m = re.search(pattern, flat)
        if not m:
            case.fail(f"the sheet gives no {kind}")
        else:
            case.same(f"the sheet's area for {kind}", float(m.group(1)), Q / v, decimals_of(m.group(1)))
            case.same(f"the sheet's {kind}", float(m.group(2)), v, decimals_of(m.group(2)))
        if kind == "velocity-at-passage-inlet":
            case.close("the passage-inlet velocity against B·hk", v, Q / (B * hk / 1e6), 1e-12)
            m = re.search(r"B (\d+) mm\)", found[0]["message"])
            case.same("--checks --json passage-inlet velocity's B", float(m.group(1)) if m else None, B, 0)
            m = re.search(r"流道进口平均流速（B·hk=[\d.]+m²，B=(\d+)mm）", flat)
            case.same("the sheet's passage-inlet velocity's B", float(m.group(1)) if m else None, B, 0)
            passage_inlet = v

    # ---- the solid: the volume everywhere, and its measures against the figures
    if step_tool and solid_refused:
        if volume_checks or volume_row or volume_line:
            case.fail(f"a volume where the solid is refused ({run.stderr.strip()})")
        if not any(c["warning"] for c in checks):
            case.fail(f"the solid is refused while the checks warn of nothing: {run.stderr.strip()}")
        return
    if not step_tool:
        return
    if step is None:
        case.fail("the STEP cannot be read back")
        return
    if step["solids"] != 1 or step["closed"] != 1 or step["valid"] != 1:
        case.fail(f"the STEP holds {step['solids']:.0f} solids, closed {step['closed']:.0f}, valid {step['valid']:.0f}")
    V = step["volume"] / 1e9
    if not volume_checks:
        case.fail("--checks --json gives no fluid volume with the solid written")
    else:
        case.close("--checks --json fluid-volume against the STEP's", volume_checks[0]["figure"], V, 1e-5)
        m = re.search(r"passage ([\d.]+) m³", volume_checks[0]["message"])
        case.same("--checks --json fluid volume as printed", float(m.group(1)) if m else None, volume_checks[0]["figure"], 2)
        V = volume_checks[0]["figure"]
    case.close("the workbook's fluid volume", volume_row[2] if volume_row else None, V, 1e-12)
    case.same("the sheet's fluid volume", float(volume_line.group(1)) if volume_line else None, V,
              decimals_of(volume_line.group(1)) if volume_line else 2)
    case.close("the STEP's width across against B", step["xmax"] - step["xmin"], B, 1e-6)
    # The pipe's top at H, the volute's roof at hk where that stands higher.
    case.close("the STEP's height against H and hk", step["zmax"] - step["zmin"], max(value["H"], hk), 1e-6)
    length = checks_of("passage-length")
    case.close("the STEP's length from the pump axis against L", -step["ymin"], length[0]["figure"] if length else None, 1e-6)
    case.close("the passage-inlet velocity through the STEP's inlet face", Q / (step["inlet"] / 1e6), passage_inlet, 1e-6)


def check_flow_record(inlet, calc, work):
    """The flow a design keeps, in the sheet and the workbook alike: shown where it was computed
    with the widths the design takes, else named as another design's (the widths then and now)
    in both, its figures in neither."""
    case = Case("flow record against the width set", {"hk": "2000"}, "area-true")
    d = os.path.join(work, "flow-record")
    os.makedirs(d)
    base = os.path.join(d, "base.inlet")
    subprocess.run([calc, "--hk", "2000", "--widths", "area-true", "--save", base], env=ENV, check=True,
                   capture_output=True)
    design = json.load(open(base, encoding="utf-8"))
    section = lambda name: {"name": name, "Vu": 45.6, "theta": 77.7, "headLoss": 0.9876, "flow": 15.0, "area": 1.0}
    for recorded, shown in ((None, False), ("computed", False), ("area-true", True)):
        settings = {"mesh": "tiny", "backgroundCells": 1, "processes": 1, "iterationLimit": 1000,
                    "solver": "OpenFOAM simpleFoam", "case": "/old/case"}
        if recorded:
            settings["widthSet"] = recorded
        design["flow"] = {"settings": settings, "texts": design["texts"],
                          "result": {"status": "settled", "level": "tiny", "cells": 4321, "processes": 1,
                                     "iterations": 99, "residuals": {"p": 0.001}, "flowGiven": 15.0,
                                     "flowAtInlet": 15.0,
                                     "yPlus": {"min": 1, "max": 2, "mean": 1.5, "shareWithin30To300": 0},
                                     "sections": [section("cone_inlet"), section("pump_inlet")]}}
        name = os.path.join(d, f"flow-{recorded}")
        json.dump(design, open(name + ".inlet", "w", encoding="utf-8"), ensure_ascii=False)
        for extension in ("pdf", "xlsx"):
            run = subprocess.run([inlet, "--export", f"{name}.{extension}", name + ".inlet"], capture_output=True,
                                 text=True, env=WINDOW_ENV, check=False)
            if run.returncode != 0:
                case.fail(f"inlet --export {extension}: {run.stderr.strip()}")
                return case
        _, flat = read_sheet(name + ".pdf")
        book = openpyxl.load_workbook(name + ".xlsx")
        cells = "".join(str(v) for row in book["水力评价"].iter_rows(values_only=True) for v in row if v is not None) \
            if "水力评价" in book.sheetnames else ""
        named = "蜗壳宽度由“按计算结果”改为“按断面形状（面积一致）”"
        for where, text in (("the sheet", flat[flat.find("水力评价设计文件"):] if not shown else flat), ("the workbook", cells)):
            text = re.sub(r"\s+", "", text)
            if shown and ("0.9876" not in text or "另一组输入参数" in text):
                case.fail(f"{where} does not show the flow computed with the widths the design takes: {text[:300]}")
            if not shown and (named not in text or "0.9876" in text):
                case.fail(f"{where}, flow computed with widths {recorded or '(unnamed)'}: {text[:300]}")
    return case


def designs(calc, count):
    """The default design and seeded realistic ones, with hk about bp, at H2, at H and far above."""
    default = {"hk": "2000"}
    base = results_of(calc, default)
    bp, H = float(base["bp"]), float(base["H"])
    rows = [("default hk 2000", default, "computed"), ("default hk 2000", default, "area-true"),
            ("default hk below bp", {"hk": str(round(bp - 20))}, "computed"),
            ("default hk just above bp", {"hk": str(round(bp + 20))}, "area-true"),
            ("default hk at H", {"hk": str(round(H))}, "computed"),
            ("default hk above H", {"hk": str(round(H + 100))}, "area-true"),
            ("default hk far above", {"hk": "5000"}, "computed"),
            ("default hk far above", {"hk": "5000"}, "area-true")]
    rng = random.Random(20261208)
    made = 0
    while made < count:
        design = generator.realistic(rng)
        r = results_of(calc, design)
        if r is None:
            continue
        bp, H, H2 = float(r["bp"]), float(r["H"]), float(design["H2"])
        where = [("just above bp", bp * 1.02 + 5), ("at H2", H2), ("at H", H), ("far above", 1.8 * H)][made % 4]
        design = dict(design, hk=f"{where[1]:.0f}")
        width_set = ["computed", "area-true"][made % 2]
        rows.append((f"design {made} hk {where[0]}", design, width_set))
        made += 1
    return [Case(f"{name} {width_set} ({' '.join(f'{k} {v}' for k, v in design.items())})", design, width_set)
            for name, design, width_set in rows]


def main():
    inlet, calc = sys.argv[1], sys.argv[2]
    step_tool = sys.argv[3] if len(sys.argv) > 3 else None
    count = int(os.environ.get("AGREE_DESIGNS", "4"))
    only = os.environ.get("AGREE_ONLY", "")
    with tempfile.TemporaryDirectory() as work:
        if os.environ.get("AGREE_KEEP"):
            work = os.environ["AGREE_KEEP"]
        cases = [c for c in designs(calc, count) if only in c.name]
        flow = check_flow_record(inlet, calc, work)
        for message in flow.failures:
            print(f"FAIL {flow.name}: {message}")
        print(f"{'FAIL' if flow.failures else 'ok  '} {flow.name}")
        # Two at a time: each case waits mostly on the programs it starts.
        with concurrent.futures.ThreadPoolExecutor(2) as pool:
            for case, _ in zip(cases, pool.map(lambda c: check_case(c, inlet, calc, step_tool, work), cases)):
                for message in case.failures:
                    print(f"FAIL {case.name}: {message}")
                print(f"{'FAIL' if case.failures else 'ok  '} {case.name}")
    disagreements = sum(len(c.failures) for c in cases + [flow])
    print(f"{len(cases)} designs, {disagreements} disagreements")
    return 1 if disagreements else 0


if __name__ == "__main__":
    sys.exit(main())
