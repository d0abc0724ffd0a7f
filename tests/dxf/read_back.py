#!/usr/bin/python3
"""Reads back with ezdxf every DXF file that dxf-export writes, and checks it as a CAD user
would find it: the file audits clean, is AutoCAD 2007 in millimetres, has its layers and line
types, every view at full size in model space (no block a CAD program might not open) with the
sheet's frame and title block around them at the print scale, and the section's rim, tangent
point, guide cone and outer walls lie where the formulas put them. The expected figures are worked out here
from the inputs in Python's doubles, and compared with what dxf-export --print-points says
the geometry holds.

Every file inlet-calc --dxf and inlet --export write, over a table of designs, curve choices and
width sets, is read back too: ezdxf's recovery and its audit repair nothing and find no error,
and every text carries the degree sign as UTF-8, never as the CAD code.

Usage: read_back.py DXF_EXPORT [INLET_CALC [INLET]]    (run by CTest as dxf.read-back; with
INLET_CALC, inlet-calc --dxf is checked to write the same files; with INLET, inlet --export)
"""
import math
import os
import re
import struct
import subprocess
import sys
import tempfile
import unittest
from collections import Counter

import ezdxf
from ezdxf import recover
from ezdxf.query import EntityQuery

EXPORT = None  # the dxf-export program, from the command line

PI = 3.1416  # the calculation's pi

# Within this of where the figures put them: exact entities, and ellipses drawn as
# polylines (mm).
EXACT = 1e-6
POLYLINE = 0.01
# The expected figures here and the run's may differ in the last digits of theta.
FORMULAS = 1e-4

LAYERS = {  # name: (line type, line weight in 1/100 mm)
    "OUTLINE": ("CONTINUOUS", 50),
    "CENTRE": ("CENTER", 25),
    "HIDDEN": ("HIDDEN", 25),
    "DIMENSION": ("CONTINUOUS", 25),
    "TEXT": ("CONTINUOUS", 25),
    "AREA-DIFF": ("CONTINUOUS", 25),  # F and its difference where a section drawn misses it
    "SETOUT": ("CONTINUOUS", 25),  # the setting-out tables' sheets, right of the drawing sheet
}
VIEWS = (["SECTION", "PLAN"] + ["STATION_%d" % phi for phi in range(0, 90, 10)]
         + ["STATION_84", "STATION_87", "STATION_90"])

DESIGNS = [  # name, dxf-export options, the same as keyword arguments of expected()
    ("defaults with hk 2000", ["--hk", "2000"], dict(hk=2000)),
    ("theta 5 with D0 2000 and hk 2000", ["--theta", "5", "--D0", "2000", "--hk", "2000"],
     dict(theta=5, D0=2000, hk=2000)),
    ("a bell mouth wider than high: D1 4000 with hk 2000", ["--D1", "4000", "--hk", "2000"],
     dict(D1=4000, hk=2000)),
]


def single(x):
    return struct.unpack("f", struct.pack("f", x))[0]


def expected(D0=2200.0, theta=0.0, H0=700.0, H1=700.0, H2=1300.0, D1=3000.0, dd0=700.0,
             aa=50.0, hk=0.0):
    """The section's key points by the formulas, right of the pump axis, floor at 0."""
    H2, hk, dd0 = single(H2), single(hk), single(dd0)
    t = math.tan(single(theta * PI / 180))
    T = math.tan(aa * PI / 180)
    d = D1 - D0
    c = d * H1 - 2 * H1 ** 2 * t
    a1 = c * math.sqrt(d / (H1 ** 2 * d - 4 * H1 ** 3 * t)) / 2
    b1 = c / (d - 4 * H1 * t)
    S = math.sqrt(a1 ** 2 * T ** 2 + b1 ** 2)
    ap = a1 ** 2 * T / S
    bp = (b1 + H2) - b1 ** 2 / S
    F90 = PI * D1 * H2 / 4
    a90 = ((F90 + ap * (hk - bp)) + PI * ap * (bp - H2) / 4 + (hk - bp) ** 2 / (2 * T)) / hk
    r, zc = D1 / 2, H2 + b1  # the bell-mouth ellipse's centre
    s = math.atan2(t * b1, a1)  # where its slope meets the cone's
    return {
        "rim": (r, H2),
        "tangentPoint": (r + ap, bp),
        "bellMouthStart": (r - a1 * math.cos(s), zc - b1 * math.sin(s)),
        "coneInlet": (D0 / 2, H1 + H2),
        "guideConeTop": (dd0 / 2, H1 + H2),
        "guideConeFoot": (r, 0.0),
        "halfWidth": r + a90,
        "lipDifference": lip_difference(a1, b1, ap, bp, H2),
        "F": lambda phi: PI * D1 * H2 * phi / 360,
        "bellMouth": (r, zc, a1, b1),
        "guideCone": (r, H1 + H2, (D1 - dd0) / 2, H1 + H2),
    }


def lip_difference(a1, b1, ap, bp, H2):
    """How much more the bell's lip takes from a station's section, drawn as the true
    ellipse from the rim to the tangent point, than the quarter ellipse the width rules count."""
    u = ap / a1
    under_true = ap * (H2 + b1) - b1 * a1 / 2 * (u * math.sqrt(1 - u * u) + math.asin(u))
    under_counted = ap * bp - PI * ap * (bp - H2) / 4
    return under_true - under_counted


def section_area(block):
    """The area a STATION block's outline encloses: down the rim's centre line to the floor,
    along the floor and up the outer wall and the roof to the tangent point (the polyline),
    and back along the bell's lip to the rim."""
    rim_line = list(block.query("LINE[layer=='CENTRE']"))[0]
    rim = max((rim_line.dxf.start.x, rim_line.dxf.start.y), (rim_line.dxf.end.x, rim_line.dxf.end.y),
              key=lambda p: p[1])
    walls = [w.get_points("xy") for w in block.query("LWPOLYLINE[layer=='OUTLINE']")]
    wall = [w for w in walls if abs(w[0][1]) < EXACT][0]
    # The lip, however the file writes an elliptical arc: a spline, an ellipse or a polyline.
    lip = [(v.x, v.y) for e in block.query("ELLIPSE SPLINE") for v in e.flattening(0.001)]
    lip += [p for w in walls if abs(w[0][1]) >= EXACT for p in w]
    if apart(lip[0], wall[-1]) > apart(lip[-1], wall[-1]):
        lip.reverse()
    outline = [rim, (rim[0], 0.0)] + [(p[0], p[1]) for p in wall] + lip[1:]
    twice = sum(p[0] * q[1] - q[0] * p[1] for p, q in zip(outline, outline[1:] + outline[:1]))
    return abs(twice) / 2


def dimension_texts(block):
    """Each dimension as it reads: "a40=827" for a DIMENSION whose text "a40=<>" shows its
    measurement."""
    texts = []
    for d in block.query("DIMENSION"):
        text = d.dxf.get("text", "<>")
        texts.append(text.replace("<>", "%d" % round(d.get_measurement())))
    return texts


def export(args, out, *extra):
    return subprocess.run([EXPORT] + args + [out] + list(extra), capture_output=True, text=True)


def printed_points(stdout):
    points = {}
    for line in stdout.splitlines():
        name, *values = line.split()
        points[name] = tuple(float(v) for v in values)
    return points


def anchor(entity):
    """A point every entity of a view has inside the view's extent."""
    kind = entity.dxftype()
    if kind == "LINE":
        return entity.dxf.start
    if kind == "LWPOLYLINE":
        return entity.get_points("xy")[0]
    if kind == "SPLINE":
        return entity.control_points[0]
    if kind == "CIRCLE":
        return entity.dxf.center
    if kind == "ELLIPSE":
        return entity.start_point
    if kind == "DIMENSION":
        return entity.dxf.defpoint2
    if kind == "SOLID":
        return entity.dxf.vtx0
    return entity.dxf.insert


def view_entities(doc, points, view):
    """The model space's entities within the view's extent, moved into the view's own
    coordinates (the section's pump axis at x = 0, its floor at y = 0)."""
    left, bottom, right, top = points["extent." + view]
    dx, dy = points["placement." + view]
    found = []
    for entity in doc.modelspace():
        p = anchor(entity)
        x, y = p[0], p[1]
        if left - EXACT <= x <= right + EXACT and bottom - EXACT <= y <= top + EXACT:
            moved = entity.copy()
            moved.translate(-dx, -dy, 0)
            found.append(moved)
    return EntityQuery(found)


def station_views(doc):
    """Each station's view as a file with no printed points shows it, found by its title
    ("5—5 φ=40°断面", 5.5 figure heights below its floor): {"STATION_40": its entities moved so
    that the floor is at y = 0}. A view reaches sideways halfway to the next title in its row
    (views of a row are aligned at their tops),
    and up to the nearest text above its row (the views above it end with texts)."""
    h = 3.5 * doc.header["$LTSCALE"]
    # The sheets of the setting-out tables (layer SETOUT) stand right of the drawing sheet.
    texts = list(doc.modelspace().query("TEXT[layer!='SETOUT']"))
    titles = []
    for t in texts:
        m = re.match(r"(\d+)—\1 φ=(\d+)°断面$", t.dxf.text)
        if m:
            titles.append((int(m.group(2)), t.dxf.insert[0], t.dxf.insert[1]))
    views = {}
    for phi, x, y in titles:
        # Titles of one row stand at their views' floors, within 20 figure heights of each other.
        row = [tx for _, tx, ty in titles if abs(ty - y) < 20 * h and tx != x]
        left = max([(x + tx) / 2 for tx in row if tx < x], default=-1e300)
        right = min([(x + tx) / 2 for tx in row if tx > x], default=1e300)
        top = min([t.dxf.insert[1] for t in texts if t.dxf.insert[1] > y + 20 * h], default=1e300) - 0.3 * h
        floor = y + 5.5 * h
        found = []
        for entity in doc.modelspace().query("*[layer!='SETOUT']"):
            p = anchor(entity)
            if left <= p[0] <= right and y - 3 * h <= p[1] <= top:
                moved = entity.copy()
                moved.translate(0, -floor, 0)
                found.append(moved)
        views["STATION_%d" % phi] = EntityQuery(found)
    return views


def apart(p, q):
    return math.hypot(p[0] - q[0], p[1] - q[1])


def mirrored(p):
    return (-p[0], p[1])


def on_arc(arc, u):
    cx, cy, rx, ry = arc[:4]
    return (cx + rx * math.cos(u), cy + ry * math.sin(u))


def distance_to_ellipse(p, arc):
    """The distance from p to the whole ellipse of arc (centre, rx, ry), by Newton's method on
    the parameter of the nearest point."""
    cx, cy, rx, ry = arc[:4]
    x, y = p[0] - cx, p[1] - cy
    u = math.atan2(y / ry, x / rx)
    for _ in range(50):
        ex, ey = rx * math.cos(u), ry * math.sin(u)
        dx, dy = -rx * math.sin(u), ry * math.cos(u)
        slope = (ex - x) * dx + (ey - y) * dy
        curve = dx * dx + dy * dy - (ex - x) * ex - (ey - y) * ey
        step = slope / curve
        u -= step
        if abs(step) < 1e-15:
            break
    return math.hypot(rx * math.cos(u) - x, ry * math.sin(u) - y)


def mirrored_arc(arc):
    cx, cy, rx, ry, start, end = arc
    return (-cx, cy, rx, ry, math.pi - end, math.pi - start)


def within_sweep(v, start, end):
    turn = 2 * math.pi
    return (v - start) % turn <= (end - start) % turn + 1e-12


class ReadBack(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory(prefix="inlet-dxf-")
        self.addCleanup(self.folder.cleanup)

    def path(self, name):
        return os.path.join(self.folder.name, name)

    def written(self, name, args, *extra):
        """Writes the design's file and reads it back; returns the document and the points."""
        out = self.path(name)
        done = export(args, out, "--print-points", *extra)
        self.assertEqual(done.returncode, 0, "dxf-export %s: %s" % (" ".join(args), done.stderr))
        self.assertEqual(os.listdir(self.folder.name), [name], "files beside the written one")
        return ezdxf.readfile(out), printed_points(done.stdout)

    # What every file holds.

    def check_audit(self, auditor, design, what):
        self.assertEqual([e.message for e in auditor.fixes], [], "%s: ezdxf's %s repaired" % (design, what))
        self.assertEqual([e.message for e in auditor.errors], [], "%s: ezdxf's %s found" % (design, what))

    def check_file(self, doc, points, design):
        self.check_audit(doc.audit(), design, "audit")

        self.assertEqual(doc.dxfversion, "AC1021", design)
        self.assertEqual(doc.header["$DWGCODEPAGE"], "ANSI_936", design)
        # Chain and dashed lines plot as such at the print scale: their patterns are in paper
        # mm and $LTSCALE is the scale.
        self.assertEqual(doc.header["$LTSCALE"], points["printScale"][0], design)
        self.assertEqual(doc.header["$INSUNITS"], 4, design)
        self.assertEqual(doc.header["$MEASUREMENT"], 1, design)

        for name, (linetype, weight) in LAYERS.items():
            self.assertIn(name, doc.layers, design)
            layer = doc.layers.get(name)
            self.assertEqual(layer.dxf.linetype.upper(), linetype, "%s: layer %s" % (design, name))
            self.assertEqual(layer.dxf.lineweight, weight, "%s: layer %s" % (design, name))
        for name in ("CENTER", "HIDDEN"):
            self.assertIn(name, doc.linetypes, design)
            dashes = [t.value for t in doc.linetypes.get(name).pattern_tags.tags if t.code == 49]
            self.assertTrue(any(d > 0 for d in dashes) and any(d < 0 for d in dashes),
                            "%s: line type %s has the pattern %s" % (design, name, dashes))

        # No block but the dimensions' own: every view and the sheet in model space.
        kinds = {e.dxftype() for e in doc.modelspace()}
        self.assertNotIn("INSERT", kinds, design)
        texts = []
        for entity in doc.modelspace():
            self.assertIn(entity.dxf.layer, LAYERS, "%s: %s" % (design, entity))
            if entity.dxftype() == "TEXT":
                texts.append(entity.dxf.text)
                self.assertEqual(entity.dxf.style, "FS", "%s: text %r" % (design, entity.dxf.text))
            if entity.dxftype() == "DIMENSION":
                self.check_dimension(doc, entity, design)
        # The title block at the print scale: its texts 3.5 mm high on paper.
        scale = points["printScale"][0]
        title = [e for e in doc.modelspace().query("TEXT") if e.dxf.text == "进水流道型线图"]
        self.assertEqual(len(title), 1, design)
        self.assertAlmostEqual(title[0].dxf.height, 7 * scale, delta=1e-6, msg=design)
        self.assertIn("1:%g" % scale, texts, design)
        for view in ("SECTION", "PLAN", "STATION_40"):
            self.assertTrue(len(view_entities(doc, points, view)) > 5, "%s: %s is empty" % (design, view))
        # Chinese and the degree sign as they are.
        self.assertIn("A—A 断面（φ=90°）", texts, design)
        self.assertIn("40°", texts, design)
        self.assertIn("±0.000", texts, design)
        style = doc.styles.get("FS")
        self.assertEqual(style.dxf.font.lower(), "simfang.ttf", design)
        hz = doc.styles.get("HZ")
        self.assertEqual((hz.dxf.font.lower(), hz.dxf.bigfont.lower()), ("gbenor.shx", "gbcbig.shx"), design)

    def check_dimension(self, doc, dimension, design):
        """A DIMENSION whose measurement is its figure, with its own block of lines, arrows
        and figure."""
        text = dimension.dxf.text
        self.assertEqual(dimension.dxf.dimstyle, "INLET", design)
        block = doc.blocks.get(dimension.dxf.geometry)
        self.assertIsNotNone(block, "%s: %s has no block" % (design, text))
        kinds = Counter(e.dxftype() for e in block)
        self.assertTrue(kinds["LINE"] >= 1 and kinds["TEXT"] == 1, "%s: %s's block holds %s" % (design, text, kinds))
        if text.endswith("<>"):
            figure = [e.dxf.text for e in block if e.dxftype() == "TEXT"][0]
            self.assertEqual(figure, text[:-2] + "%.0f" % dimension.get_measurement(),
                             "%s: %s measures %s" % (design, text, dimension.get_measurement()))

    def check_points(self, points, figures, design):
        """The geometry's own figures against the formulas'."""
        for name in ("rim", "tangentPoint", "coneInlet", "guideConeTop", "guideConeFoot"):
            self.assertLess(apart(points[name], figures[name]), FORMULAS,
                            "%s: %s is %s, the formulas give %s"
                            % (design, name, points[name], figures[name]))
        self.assertLess(apart(on_arc(points["bellMouth"], points["bellMouth"][4]),
                              figures["bellMouthStart"]), FORMULAS, design)
        self.assertLess(apart(figures["bellMouthStart"], figures["coneInlet"]), FORMULAS,
                        "%s: the bell-mouth wall starts off the cone inlet" % design)
        for name in ("bellMouth", "guideCone"):
            for got, want in zip(points[name], figures[name]):
                self.assertAlmostEqual(got, want, delta=FORMULAS,
                                       msg="%s: %s %s" % (design, name, points[name]))
        self.assertAlmostEqual(points["B"][0] / 2, figures["halfWidth"], delta=FORMULAS, msg=design)

    def check_walls(self, doc, points, figures, design):
        """The floor and the outer walls at +-B/2, in the section and at 90 degrees."""
        half = figures["halfWidth"]
        section = view_entities(doc, points, "SECTION")
        floor = [e for e in section.query("LINE[layer=='OUTLINE']")
                 if apart(e.dxf.start, (-half, 0)) < EXACT and apart(e.dxf.end, (half, 0)) < EXACT]
        self.assertEqual(len(floor), 1, "%s: the floor from -B/2 to B/2" % design)
        walls = [e for e in section.query("LWPOLYLINE[layer=='OUTLINE']")]
        for foot in ((half, 0), (-half, 0)):
            self.assertTrue(any(apart(p, foot) < FORMULAS for w in walls for p in w.get_points("xy")),
                            "%s: no outer wall stands at %s" % (design, foot))
        for tangent in (figures["tangentPoint"], mirrored(figures["tangentPoint"])):
            self.assertTrue(any(apart(w.get_points("xy")[-1], tangent) < FORMULAS for w in walls),
                            "%s: no upper wall ends at the tangent point %s" % (design, tangent))
        station = view_entities(doc, points, "STATION_90")
        self.assertTrue(any(apart(p, (half, 0)) < FORMULAS
                            for w in station.query("LWPOLYLINE[layer=='OUTLINE']")
                            for p in w.get_points("xy")),
                        "%s: STATION_90 has no outer wall at B/2" % design)
        plan = view_entities(doc, points, "PLAN")
        rim = figures["rim"][0]
        self.assertTrue(any(apart(c.dxf.center, (0, 0)) < EXACT and abs(c.dxf.radius - rim) < EXACT
                            for c in plan.query("CIRCLE")),
                        "%s: PLAN has no bell-mouth circle of radius D1/2 at the origin" % design)

    def arcs(self, points, figures):
        """Each elliptical arc of the section, from the geometry, with where it starts and ends
        by the formulas: the bell-mouth wall and the guide cone on both sides."""
        bell, cone = points["bellMouth"], points["guideCone"]
        start, tangent = figures["bellMouthStart"], figures["tangentPoint"]
        top, foot = figures["guideConeTop"], figures["guideConeFoot"]
        return [
            ("bell mouth", bell, start, tangent),
            ("guide cone", cone, top, foot),
            ("mirrored bell mouth", mirrored_arc(bell), mirrored(tangent), mirrored(start)),
            ("mirrored guide cone", mirrored_arc(cone), mirrored(foot), mirrored(top)),
        ]

    # The files.

    def test_exact_ellipses(self):
        for design, args, inputs in DESIGNS:
            with self.subTest(design=design):
                doc, points = self.written("exact.dxf", args, "--ellipses")
                figures = expected(**inputs)
                self.check_file(doc, points, design)
                self.check_points(points, figures, design)
                self.check_walls(doc, points, figures, design)

                ellipses = list(view_entities(doc, points, "SECTION").query("ELLIPSE"))
                self.assertEqual(len(ellipses), 4, design)
                for name, arc, start, end in self.arcs(points, figures):
                    found = [e for e in ellipses if apart(e.dxf.center, arc) < EXACT
                             and apart(e.start_point, start) < FORMULAS]
                    self.assertEqual(len(found), 1, "%s: the %s ELLIPSE from %s" % (design, name, start))
                    ellipse = found[0]
                    self.assertEqual(ellipse.dxf.layer, "OUTLINE", design)
                    self.assertLess(apart(ellipse.end_point, end), FORMULAS,
                                    "%s: the %s ends at %s, not %s" % (design, name, ellipse.end_point, end))
                    # The major axis along the longer semi-axis, and the whole arc on the ellipse.
                    major = ellipse.dxf.major_axis
                    longer = (arc[2], 0) if arc[2] >= arc[3] else (0, arc[3])
                    self.assertLess(apart(major, longer), EXACT, "%s: the %s's major axis %s" % (design, name, major))
                    tool = ellipse.construction_tool()
                    for p in tool.vertices(tool.params(9)):
                        self.assertLess(distance_to_ellipse(p, arc), EXACT,
                                        "%s: the %s passes %s" % (design, name, p))

                bell = [e for e in ellipses if apart(e.dxf.center, points["bellMouth"]) < EXACT
                        and apart(e.start_point, figures["bellMouthStart"]) < FORMULAS][0]
                tool = bell.construction_tool()
                rim = figures["rim"]
                v = list(tool.params_from_vertices([rim]))[0]
                self.assertLess(apart(list(tool.vertices([v]))[0], rim), FORMULAS, design)
                self.assertTrue(within_sweep(v, bell.dxf.start_param, bell.dxf.end_param),
                                "%s: the rim %s is off the bell-mouth arc" % (design, rim))

    def test_splines(self):
        """By default each elliptical arc is a cubic SPLINE with evenly spaced knots and no
        weights (what LibreCAD assumes), within 0.01 mm of the arc from end to end."""
        from ezdxf.math import BSpline
        for design, args, inputs in DESIGNS:
            with self.subTest(design=design):
                doc, points = self.written("splines.dxf", args)
                figures = expected(**inputs)
                self.check_file(doc, points, design)
                self.assertEqual(len(doc.modelspace().query("ELLIPSE")), 0, design)
                splines = list(view_entities(doc, points, "SECTION").query("SPLINE"))
                self.assertEqual(len(splines), 4, design)
                for name, arc, start, end in self.arcs(points, figures):
                    found = [e for e in splines if apart(e.control_points[0], start) < FORMULAS
                             and apart(e.control_points[-1], end) < FORMULAS]
                    self.assertEqual(len(found), 1, "%s: the %s SPLINE from %s to %s" % (design, name, start, end))
                    spline = found[0]
                    self.assertEqual(spline.dxf.degree, 3, design)
                    self.assertFalse(spline.weights, "%s: the %s is rational" % (design, name))
                    knots = list(spline.knots)
                    n = len(spline.control_points)
                    even = [0.0] * 4 + [i / (n - 3) for i in range(1, n - 3)] + [1.0] * 4
                    self.assertEqual(len(knots), len(even), design)
                    for got, want in zip(knots, even):
                        self.assertAlmostEqual(got, want, delta=1e-12, msg="%s: the %s's knots" % (design, name))
                    curve = BSpline(spline.control_points, order=4, knots=knots)
                    for p in curve.approximate(400):
                        self.assertLess(distance_to_ellipse(p, arc), POLYLINE,
                                        "%s: the %s passes %s" % (design, name, p))

    def test_ellipses_as_polylines(self):
        for design, args, inputs in DESIGNS:
            with self.subTest(design=design):
                doc, points = self.written("polylines.dxf", args, "--polylines")
                figures = expected(**inputs)
                self.check_file(doc, points, design)
                self.check_points(points, figures, design)
                self.check_walls(doc, points, figures, design)
                self.assertEqual(len(doc.modelspace().query("ELLIPSE")), 0, design)

                polylines = [p.get_points("xy") for p in view_entities(doc, points, "SECTION").query("LWPOLYLINE")]
                for name, arc, start, end in self.arcs(points, figures):
                    found = [p for p in polylines
                             if apart(p[0], start) < FORMULAS and apart(p[-1], end) < FORMULAS]
                    self.assertEqual(len(found), 1, "%s: the %s polyline from %s to %s" % (design, name, start, end))
                    vertices = found[0]
                    for p in vertices:
                        self.assertLess(distance_to_ellipse(p, arc), EXACT, "%s: %s vertex %s" % (design, name, p))
                    for p, q in zip(vertices, vertices[1:]):
                        middle = ((p[0] + q[0]) / 2, (p[1] + q[1]) / 2)
                        self.assertLess(distance_to_ellipse(middle, arc), POLYLINE,
                                        "%s: the %s between %s and %s" % (design, name, p, q))
                    if name == "bell mouth":
                        rim = figures["rim"]
                        self.assertTrue(any(self.near_segment(rim, p, q) < POLYLINE
                                            for p, q in zip(vertices, vertices[1:])),
                                        "%s: the rim %s is off the bell-mouth polyline" % (design, rim))

    @staticmethod
    def near_segment(point, p, q):
        dx, dy = q[0] - p[0], q[1] - p[1]
        length = dx * dx + dy * dy
        f = 0 if length == 0 else max(0, min(1, ((point[0] - p[0]) * dx + (point[1] - p[1]) * dy) / length))
        return apart(point, (p[0] + f * dx, p[1] + f * dy))

    # The failures.

    def test_a_failing_design_writes_nothing(self):
        out = self.path("passage.dxf")
        done = export(["--hk", ""], out)
        self.assertEqual(done.returncode, 1, done.stderr)
        self.assertEqual(done.stderr,
                         "dxf-export: division by zero computing the volute width a30 at \u03c6 = 30\u00b0\n")
        self.assertEqual(os.listdir(self.folder.name), [])

    def test_a_failing_design_leaves_an_existing_file(self):
        out = self.path("passage.dxf")
        with open(out, "w") as f:
            f.write("an older drawing")
        done = export(["--hk", ""], out)
        self.assertEqual(done.returncode, 1, done.stderr)
        with open(out) as f:
            self.assertEqual(f.read(), "an older drawing")
        self.assertEqual(os.listdir(self.folder.name), ["passage.dxf"])

    def test_a_missing_folder_is_named(self):
        out = self.path(os.path.join("missing", "passage.dxf"))
        done = export(["--hk", "2000"], out)
        self.assertEqual(done.returncode, 1, done.stderr)
        self.assertEqual(done.stderr, "dxf-export: cannot write '%s': No such file or directory\n" % out)
        self.assertEqual(os.listdir(self.folder.name), [])

    def test_a_drawing_too_large_leaves_an_existing_file(self):
        # The run accepts D1 1e15, but the drawing reaches beyond where a DXF coordinate
        # holds 0.01 mm.
        out = self.path("passage.dxf")
        with open(out, "w") as f:
            f.write("an older drawing")
        done = export(["--hk", "2000", "--D1", "1e15"], out)
        self.assertEqual(done.returncode, 1, done.stderr)
        self.assertTrue(done.stderr.startswith("dxf-export: the drawing reaches "),
                        done.stderr)
        with open(out) as f:
            self.assertEqual(f.read(), "an older drawing")
        self.assertEqual(os.listdir(self.folder.name), ["passage.dxf"])

    def test_usage_errors_write_nothing(self):
        for args in ([], ["--hk"], ["--width", "3", "a.dxf"], ["a.dxf", "b.dxf"]):
            with self.subTest(args=args):
                done = subprocess.run([EXPORT] + args, capture_output=True, text=True, cwd=self.folder.name)
                self.assertEqual(done.returncode, 2, "dxf-export %s: %s" % (args, done.stderr))
                self.assertEqual(os.listdir(self.folder.name), [], "dxf-export %s" % args)


    # inlet-calc --dxf writes the same file, beside the results it prints.

    def test_inlet_calc_writes_the_same_file(self):
        if not CALC:
            self.skipTest("inlet-calc not given")
        for name, args, _ in DESIGNS:
            for extra in ([], ["--polylines"]):
                with self.subTest(design=name, extra=extra):
                    ours = self.path("calc.dxf")
                    tool = self.path("tool.dxf")
                    calc_extra = ["--dxf-polylines"] if extra else []
                    done = subprocess.run([CALC] + args + ["--dxf", ours] + calc_extra,
                                          capture_output=True, text=True, env=dict(os.environ, LC_ALL="C"))
                    self.assertEqual(done.returncode, 0, done.stderr)
                    self.assertIn("B\t", done.stdout)
                    self.assertEqual(export(args, tool, *extra).returncode, 0)
                    with open(ours, "rb") as a, open(tool, "rb") as b:
                        self.assertEqual(a.read(), b.read())

    def test_inlet_calc_writes_nothing_for_a_failing_design(self):
        if not CALC:
            self.skipTest("inlet-calc not given")
        out = self.path("calc.dxf")
        done = subprocess.run([CALC, "--dxf", out], capture_output=True, text=True)
        self.assertEqual(done.returncode, 1)
        self.assertIn("division by zero", done.stderr)
        self.assertEqual(os.listdir(self.folder.name), [])
        missing = self.path(os.path.join("missing", "calc.dxf"))
        done = subprocess.run([CALC, "--hk", "2000", "--dxf", missing], capture_output=True, text=True)
        self.assertEqual(done.returncode, 1)
        self.assertEqual(done.stderr, "inlet-calc: cannot write '%s': No such file or directory\n" % missing)


    # The width sets: the computed widths are drawn as before, the area-true ones carry their
    # areas, and where no section of the assumed shape exists none is drawn.

    def calc(self, *args):
        return subprocess.run([CALC] + list(args), capture_output=True, text=True,
                              env=dict(os.environ, LC_ALL="C"))

    def test_area_true_sections_carry_their_area(self):
        if not CALC:
            self.skipTest("inlet-calc not given")
        out = self.path("area-true.dxf")
        done = self.calc("--hk", "2000", "--widths", "area-true", "--checks", "--dxf", out)
        self.assertEqual(done.returncode, 0, done.stderr)
        figures = expected(hk=2000)
        doc = ezdxf.readfile(out)
        views = station_views(doc)
        # 0 degrees has no area, and no section of the assumed shape.
        self.assertEqual(sorted(views, key=lambda n: int(n.split("_")[1])),
                         ["STATION_%d" % phi for phi in VIEWS_PHI[1:]])
        for name, view in views.items():
            phi = int(name.split("_")[1])
            F = figures["F"](phi)
            self.assertAlmostEqual(section_area(view) - figures["lipDifference"], F, delta=1e-3 * F,
                                   msg="%s: the section drawn does not carry F" % name)
        # Where the sets differ, the widths drawn are those the checks quote for the linear rule.
        quoted = dict(re.findall(r"check\tquadratic-rule-wall-above-hk\t(a\d+)\t.*the linear rule gives (\d+) mm",
                                 done.stdout))
        self.assertEqual(sorted(quoted), ["a40", "a50", "a60", "a70", "a80", "a84", "a87"])
        for name, width in quoted.items():
            self.assertIn("%s=%s" % (name, width), dimension_texts(views["STATION_" + name[1:]]))

    def test_computed_widths_are_the_default(self):
        if not CALC:
            self.skipTest("inlet-calc not given")
        for name, args, _ in DESIGNS:
            with self.subTest(design=name):
                chosen, default = self.path("computed.dxf"), self.path("default.dxf")
                self.assertEqual(self.calc(*args, "--widths", "computed", "--dxf", chosen).returncode, 0)
                self.assertEqual(self.calc(*args, "--dxf", default).returncode, 0)
                with open(chosen, "rb") as a, open(default, "rb") as b:
                    self.assertEqual(a.read(), b.read())

    def test_no_section_where_hk_is_not_above_bp(self):
        if not CALC:
            self.skipTest("inlet-calc not given")
        for widths in ("computed", "area-true"):
            with self.subTest(widths=widths):
                out = self.path(widths + ".dxf")
                done = self.calc("--hk", "1000", "--widths", widths, "--checks", "--dxf", out)
                self.assertEqual(done.returncode, 0, done.stderr)
                doc = ezdxf.readfile(out)
                self.assertEqual(station_views(doc), {})
                # No roof: no outline in the section reaches the height hk beside the bell (the
                # section's floor at y = 0, as the file places it).
                section = doc.modelspace()
                self.assertFalse(any(abs(p[1] - 1000) < EXACT for w in section.query("LWPOLYLINE[layer=='OUTLINE']")
                                     for p in w.get_points("xy")), "a roof at hk in the section")
                warnings = [line for line in done.stdout.splitlines()
                            if re.match(r"check\t(hk-below-bp|negative-width|wall-meets|quadratic-rule|linear-rule)", line)]
                self.assertEqual(len(warnings), 1, warnings)
                self.assertIn("bp 1421 mm", warnings[0])
                self.assertIn("H2 1300 mm", warnings[0])
                self.assertNotRegex(done.stdout, r"rule gives|area-true widths are")

    def test_area_true_writes_nothing_for_a_failing_design(self):
        if not CALC:
            self.skipTest("inlet-calc not given")
        out = self.path("calc.dxf")
        done = self.calc("--widths", "area-true", "--dxf", out)
        self.assertEqual(done.returncode, 1)
        # The failure first; then the file that could not be written, named.
        lines = done.stderr.splitlines()
        self.assertEqual(lines[0], "inlet-calc: division by zero computing the volute width a30 at \u03c6 = 30\u00b0")
        self.assertEqual(lines[1:], ["inlet-calc: cannot write '%s': there is no drawing to export "
                                     "(the calculation did not complete)" % out])
        self.assertEqual(os.listdir(self.folder.name), [])

    # Every file the programs write, over designs x curve choices x width sets: read as a CAD
    # user's reader would (ezdxf's recovery, then its audit), nothing is repaired and nothing
    # found wrong, and every text holds the degree sign as UTF-8, never the CAD code %%d
    # (which FreeCAD shows as written).

    def check_written(self, path, design, titles, labels):
        """`titles`: the stations whose views the file draws; `labels`: whether the plan labels
        the stations' angles (it does unless there are no widths at all)."""
        with open(path, "rb") as f:
            raw = f.read()
        doc, auditor = recover.readfile(path)
        self.check_audit(auditor, design, "recovery")
        self.check_audit(doc.audit(), design, "audit")
        self.assertEqual(doc.dxfversion, "AC1021", "%s: not a UTF-8 file" % design)
        self.assertFalse(b"%%" in raw, "%s: a CAD code in the file" % design)
        self.assertTrue("°".encode() in raw, "%s: no UTF-8 degree sign in the file" % design)
        texts = all_texts(doc)
        self.assertEqual([t for t in texts if "%%" in t], [], design)
        self.assertIn("A—A 断面（φ=90°）", texts, design)
        for phi in VIEWS_PHI if labels else []:
            self.assertIn("%d°" % phi, texts, "%s: the plan's angle label" % design)
        found = sorted(int(m.group(2)) for m in (re.match(r"(\d+)—\1 φ=(\d+)°断面$", t) for t in texts) if m)
        self.assertEqual(found, titles, "%s: the stations' titles" % design)

    def test_inlet_calc_files_audit_clean_with_utf8_degrees(self):
        if not CALC:
            self.skipTest("inlet-calc not given")
        for name, args, drawn in PROGRAM_DESIGNS:
            for curves in CURVES:
                for widths in WIDTHS:
                    design = "inlet-calc %s, --dxf-curves %s, --widths %s" % (name, curves, widths)
                    with self.subTest(design=design):
                        out = self.path("calc.dxf")
                        done = self.calc(*args, "--widths", widths, "--dxf-curves", curves, "--dxf", out)
                        self.assertEqual(done.returncode, 0, "%s: %s" % (design, done.stderr))
                        self.check_written(out, design, drawn[widths], widths == "computed" or bool(drawn[widths]))

    def test_inlet_export_files_audit_clean_with_utf8_degrees(self):
        if not INLET:
            self.skipTest("inlet not given")
        # As on a machine without a display: --export needs none.
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        env["LC_ALL"] = "C"
        for name, args, drawn in PROGRAM_DESIGNS:
            saved = self.path("design.inlet")
            self.assertEqual(self.calc(*args, "--save", saved).returncode, 0, name)
            for curves in CURVES:
                for widths in WIDTHS:
                    design = "inlet --export %s, --dxf-curves %s, --widths %s" % (name, curves, widths)
                    with self.subTest(design=design):
                        out = self.path("export.dxf")
                        done = subprocess.run([INLET, "--export", out, "--dxf-curves", curves, "--widths", widths, saved],
                                              capture_output=True, text=True, env=env)
                        self.assertEqual(done.returncode, 0, "%s: %s" % (design, done.stderr))
                        self.check_written(out, design, drawn[widths], widths == "computed" or bool(drawn[widths]))


def all_texts(doc):
    """Every text a reader shows: TEXT and MTEXT in model space and in the blocks, and each
    DIMENSION's own text."""
    texts = []
    for layout in [doc.modelspace()] + [b for b in doc.blocks if not b.block_record.is_any_layout]:
        for e in layout:
            kind = e.dxftype()
            if kind == "TEXT":
                texts.append(e.dxf.text)
            elif kind == "MTEXT":
                texts.append(e.text)
            elif kind == "DIMENSION":
                texts.append(e.dxf.get("text", ""))
    return texts


ALL = [0, 10, 20, 30, 40, 50, 60, 70, 80, 84, 87, 90]
PROGRAM_DESIGNS = [  # name, options of both programs, {width set: the stations whose views are drawn}
    ("hk 2000", ["--hk", "2000"], {"computed": ALL, "area-true": ALL[1:]}),
    ("hk 1500", ["--hk", "1500"], {"computed": ALL, "area-true": ALL[1:]}),
    ("hk 3000", ["--hk", "3000"], {"computed": ALL, "area-true": ALL[1:]}),
    # No section of the assumed shape: none drawn; no area-true widths, so no station at all.
    ("hk 1000, not above bp", ["--hk", "1000"], {"computed": [], "area-true": []}),
    # 0 degrees has no area, and at 10 degrees no section of the assumed shape carries F.
    ("theta 5 with D0 2000 and hk 2000", ["--theta", "5", "--D0", "2000", "--hk", "2000"],
     {"computed": ALL, "area-true": ALL[2:]}),
]
CURVES = ["spline", "ellipse", "polyline"]
WIDTHS = ["computed", "area-true"]

CALC = None  # inlet-calc, when given as the second argument
INLET = None  # inlet, when given as the third
VIEWS_PHI = [0, 10, 20, 30, 40, 50, 60, 70, 80, 84, 87, 90]


if __name__ == "__main__":
    if len(sys.argv) not in (2, 3, 4):
        sys.exit(__doc__)
    EXPORT = os.path.abspath(sys.argv[1])
    CALC = os.path.abspath(sys.argv[2]) if len(sys.argv) >= 3 else None
    INLET = os.path.abspath(sys.argv[3]) if len(sys.argv) == 4 else None
    unittest.main(argv=sys.argv[:1], verbosity=2)
