#!/usr/bin/python3
"""No text printed over another on the drawings, at every paper size, read back with pdftotext.

For hk 1500, 2000 and 3000 (sections inclined, at hk, and hk above the pump inlet section) the
drawing sheet is written as a PDF on A0, A1, A2 and A3 (inlet --export --format drawing-pdf
--paper), and the calculation sheet (A4) as a PDF. pdftotext -bbox-layout gives every word's
box; no two words of different lines may overlap on a page of the drawing sheet, nor on the
pages of the calculation sheet's drawings (from its heading 7 型线图 on), where no page begins
with a view's scale (比例 1:N, stranded from its view) or ends with a view's heading.

Tolerance: pdftotext boxes a word by its font's ascent and descent, which reach about a quarter
of the text height beyond the glyphs; each box is taken less 12 % of the word's height (its
smaller side: across a vertical dimension value, its width) on every side, so that words on
lines printed 1.2 heights apart do not count, and any two words whose glyphs meet do.

The dimension lines are checked against the texts by tests/ui (DrawingSheetTexts), which has
the drawing's own layout.

Usage: legible.py INLET INLET_CALC
"""

import os
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

TRIM = 0.12  # of a word's height, on each side

ROWS = [(f"hk{hk}-{paper}", hk, paper) for hk in (1500, 2000, 3000) for paper in ("A0", "A1", "A2", "A3", "sheet")]


def words_by_page(pdf):
    """[(page, [(line id, box, text)])] of a PDF, boxes in points."""
    xml = subprocess.run(["pdftotext", "-bbox-layout", pdf, "-"], capture_output=True, check=True).stdout
    root = ET.fromstring(xml.replace(b'xmlns="http://www.w3.org/1999/xhtml"', b""))
    pages = []
    for number, page in enumerate(root.iter("page"), 1):
        words = []
        for line_id, line in enumerate(page.iter("line")):
            for word in line.iter("word"):
                box = tuple(float(word.get(k)) for k in ("xMin", "yMin", "xMax", "yMax"))
                words.append((line_id, box, word.text or ""))
        pages.append((number, words))
    return pages


BODY = (32 / 25.4 * 72, 278 / 25.4 * 72)  # the calculation sheet's body, top and foot, points


def parted(words):
    """What a page break parts on a page of the sheet's drawings: a scale at the head of the body
    (its view on the page before) or a heading at its foot (its view on the page after)."""
    lines = {}
    for line, box, text in words:
        if BODY[0] <= box[1] and box[3] <= BODY[1]:
            lines.setdefault(line, [box[1], []])[1].append(text)
    ordered = [" ".join(texts) for _, texts in sorted(lines.values(), key=lambda l: l[0])]
    found = []
    if ordered and ordered[0].startswith("比例"):
        found.append(("scale at the head of the page", ordered[0]))
    if ordered and ordered[-1].startswith("7."):
        found.append(("heading at the foot of the page", ordered[-1]))
    return found


def trimmed(box):
    height = min(box[2] - box[0], box[3] - box[1])
    t = TRIM * height
    return (box[0] + t, box[1] + t, box[2] - t, box[3] - t)


def overlaps(words):
    found = []
    boxes = [(line, trimmed(box), text) for line, box, text in words]
    for i, (li, a, ta) in enumerate(boxes):
        for lj, b, tb in boxes[i + 1:]:
            if li != lj and min(a[2], b[2]) > max(a[0], b[0]) and min(a[3], b[3]) > max(a[1], b[1]):
                found.append((ta, tb))
    return found


def main():
    inlet, calc = sys.argv[1], sys.argv[2]
    env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
    env["QT_QPA_PLATFORM"] = "offscreen"
    failures = 0
    with tempfile.TemporaryDirectory() as tmp:
        designs = {}
        for hk in (1500, 2000, 3000):
            designs[hk] = os.path.join(tmp, f"hk{hk}.inlet")
            subprocess.run([calc, "--hk", str(hk), "--save", designs[hk]], check=True, capture_output=True, env=env)
        for name, hk, paper in ROWS:
            pdf = os.path.join(tmp, name + ".pdf")
            command = [inlet, "--export", pdf]
            if paper != "sheet":
                command += ["--format", "drawing-pdf", "--paper", paper]
            subprocess.run(command + [designs[hk]], check=True, capture_output=True, env=env)
            pages = words_by_page(pdf)
            if paper == "sheet":
                # The drawings' pages: from the last with 7 型线图 as a line of its own (the
                # first is the contents list's).
                def lines(words):
                    texts = {}
                    for line, _, text in words:
                        texts.setdefault(line, []).append(text)
                    return [" ".join(t) for t in texts.values()]
                first = max((n for n, words in pages if "7 型线图" in lines(words)), default=None)
                if first is None:
                    print(f"FAIL {name}: no page with the heading 7 型线图")
                    failures += 1
                    continue
                pages = [(n, w) for n, w in pages if n >= first]
            found = [(n, pair) for n, words in pages for pair in overlaps(words)]
            if paper == "sheet":
                found += [(n, pair) for n, words in pages for pair in parted(words)]
            if found:
                failures += 1
                shown = "; ".join(f"page {n}: {a!r} on {b!r}" for n, (a, b) in found[:12])
                print(f"FAIL {name}: {len(found)} texts overlap or are parted from their view: {shown}")
            else:
                print(f"ok   {name}: {sum(len(w) for _, w in pages)} words on {len(pages)} page(s), none overlap")
    if failures:
        print(f"{failures} of {len(ROWS)} outputs print texts over one another")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
