#!/usr/bin/python3
"""The calculation sheet as files, read back as an engineer's tools read them.

Usage: sheet-files.py SHEET_EXPORT INLET_CALC

The PDF is read with pdftotext, pdfinfo and pdffonts (poppler-utils), the ODT as the zip
file it is; the results are compared with what inlet-calc prints, which are the window's
texts.
"""

import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
import zipfile

SHEET_EXPORT, INLET_CALC = sys.argv[1], sys.argv[2]
C_LOCALE = dict(os.environ, LC_ALL="C", QT_QPA_PLATFORM="offscreen")
COMMA_LOCALE = dict(os.environ, LC_ALL="de_DE.UTF-8", QT_QPA_PLATFORM="offscreen")

INFO = ["--project", "某泵站更新改造工程", "--stage", "初步设计", "--designer", "张三",
        "--checker", "李四", "--date", "2026-12-07"]

# The typed boxes of the given-parameter frame as the sheet's table names them, with the
# texts of a fresh window.
DEFAULT_INPUTS = {"D": "2200", "H0": "700", "Ds": "2205", "H1": "700", "D0": "2200",
                  "L": "3.5～5.0", "H2": "1300", "θ": "0", "rs": "800", "Q": "15",
                  "aa": "50", "D1": "3000", "dd0": "700"}

failures = []


def check(condition, what, shown=""):
    if not condition:
        failures.append(what + ("\n" + shown if shown else ""))


def run(args, env, expect_status=0):
    result = subprocess.run(args, env=env, capture_output=True, text=True)
    if result.returncode != expect_status:
        sys.exit("%s exited with %d, not %d:\n%s" % (" ".join(args), result.returncode, expect_status,
                                                     result.stderr))
    return result


def results(args, env, status=0):
    """The result texts inlet-calc prints, as (name, text) in the order of the run."""
    out = run([INLET_CALC] + args, env, status).stdout
    return [tuple(line.split("\t", 1)) for line in out.splitlines()]


def pdf_pages(path):
    text = run(["pdftotext", "-layout", path, "-"], C_LOCALE).stdout
    return text.split("\f")[:-1]


def squeezed(text):
    return re.sub(r"\s+", "", text)


def table_row(text, first, *cells):
    """The line of a table in pdftotext's layout that starts with `first` and holds `cells`
    in order, each a whole word."""
    pattern = r"^\s*" + re.escape(first) + "".join(r"\s.*?(?<!\S)" + re.escape(c) + r"(?!\S)" for c in cells)
    return re.search(pattern, text, re.MULTILINE) is not None


def result_cells(shown):
    """A result as the sheet's table prints it: the whole number without the leading zeros of
    the box's picture, then the box's own text where that differs ("0400": 400, mm, 0400)."""
    printed = re.sub(r"^(-?)0+(?=\d)", r"\1", shown)
    return [printed, "mm"] + ([shown] if printed != shown else [])


def check_pages(path, pages, name):
    count = int(re.search(r"^Pages:\s+(\d+)", run(["pdfinfo", path], C_LOCALE).stdout, re.M).group(1))
    check(count == len(pages), "%s: pdfinfo counts %d pages, pdftotext %d" % (name, count, len(pages)))
    for number, page in enumerate(pages, 1):
        check(re.search(r"第\s*%d\s*页\s*共\s*%d\s*页" % (number, count), page) is not None,
              "%s: page %d lacks '第 %d 页 共 %d 页'" % (name, number, number, count), page[:400])
    return count


def check_fonts(path, name):
    lines = run(["pdffonts", path], C_LOCALE).stdout.splitlines()[2:]
    check(len(lines) > 0, name + ": no fonts")
    for line in lines:
        # name type encoding emb sub uni object ID: "emb" is the fourth column from the end
        # of the fixed part; the type may hold a blank ("CID TrueType").
        fields = line.split()
        check(fields[-5] == "yes", name + ": a font is not embedded: " + line)


def odt_rows(path):
    """The rows of every table in the ODT, each a list of its cells' texts."""
    with zipfile.ZipFile(path) as odt:
        content = ET.fromstring(odt.read("content.xml"))
    table = "{urn:oasis:names:tc:opendocument:xmlns:table:1.0}"
    paragraph = "{urn:oasis:names:tc:opendocument:xmlns:text:1.0}p"
    pictures = len(list(content.iter("{urn:oasis:names:tc:opendocument:xmlns:drawing:1.0}image")))
    rows = []
    for row in content.iter(table + "table-row"):
        rows.append(["\n".join("".join(p.itertext()) for p in cell.iter(paragraph))
                     for cell in row.iter(table + "table-cell")])
    return rows, pictures


with tempfile.TemporaryDirectory() as tmp:
    # The defaults with hk 2000: a completed run.
    pdf = os.path.join(tmp, "hk2000.pdf")
    run([SHEET_EXPORT, pdf, "--hk", "2000"] + INFO, C_LOCALE)
    pages = pdf_pages(pdf)
    text = "\n".join(pages)
    count = check_pages(pdf, pages, "hk2000.pdf")
    check(count >= 6, "hk2000.pdf has only %d pages" % count)
    check_fonts(pdf, "hk2000.pdf")
    info = run(["pdfinfo", pdf], C_LOCALE).stdout
    version = run([INLET_CALC, "--version"], C_LOCALE).stdout.split()[1]
    check(re.search(r"^Page size:.*\(A4\)", info, re.M) is not None, "hk2000.pdf is not A4", info)
    check(re.search(r"^Title:.*某泵站更新改造工程", info, re.M) is not None, "hk2000.pdf has no title", info)
    check(re.search(r"^Creator:\s+inlet %s$" % re.escape(version), info, re.M) is not None,
          "hk2000.pdf does not name inlet %s as its creator" % version, info)

    cover = squeezed(pages[0])
    for words in ["进水流道喇叭管、导水锥及蜗壳计算", "计算书", "工程名称：某泵站更新改造工程", "设计阶段：初步设计",
                  "计算内容：进水流道喇叭管、导水锥及蜗壳计算", "计算软件：进水流道设计计算" + version, "张三", "李四",
                  "2026-12-07", "计算", "校核", "审查", "审定", "批准", "设计单位：", "专业：", "文档编号：",
                  "设计文件：", "计算时间："]:
        check(words in cover, "the cover lacks " + words, pages[0])
    for number, page in enumerate(pages, 1):
        check("计算软件：进水流道设计计算" + version in squeezed(page), "page %d has no footer" % number)
        check("工程名称某泵站更新改造工程" in squeezed(page), "page %d has no title block" % number)
    for section in ["1 计算目的", "2 计算依据", "3 基本资料", "4 计算过程", "5 计算结果", "6 结论", "7 型线图",
                    "附录 A 输入的读取、精度与结果的显示"]:
        check(re.search(r"^\s*" + re.escape(section) + r"\s+\d+\s*$", pages[1], re.M) is not None,
              "the contents list lacks " + section, pages[1])
    check("3.1416" in text, "the method does not state π = 3.1416")

    inputs = dict(DEFAULT_INPUTS, hk="2000")
    for symbol, typed in inputs.items():
        check(table_row(text, symbol, typed), "the given dimensions lack %s %s" % (symbol, typed))

    window = results(["--hk", "2000"], C_LOCALE)
    check(len(window) == 24, "inlet-calc printed %d results" % len(window))
    for name, shown in window:
        check(table_row(text, name, *result_cells(shown)), "the results lack %s %s" % (name, shown))
    # The figures substituted into the formulas, in the order they are evaluated.
    for line in ["a1 = c·√( d / (H1²·d - 4·H1³·t) ) / 2 = 560000×√( 800 / (700²×800 - 4×700³×0) ) / 2 = 400 mm",
                 "B = 2·a90 + D1 = 2×1677.622 + 3000 = 6355.244 mm"]:
        check(squeezed(line) in squeezed(text), "the calculation lacks: " + line)
    # L: the length used in mm, how the box's text gave it, and its datum; rs not in the solid.
    check(table_row(text, "L", "3.5～5.0", "7700", "mm", "3.5"), "L is not stated as 7700 mm, 3.5 × D")
    check("水泵轴线至流道进口" in squeezed(text), "L's datum is not stated")
    check("流道实体的进口上缘未按此弧修圆" in squeezed(text), "the sheet does not say the solid ignores rs")
    check(squeezed("流道长度（水泵轴线至流道进口）L = 7700 mm（3.5 × D，取自“3.5～5.0”）") in squeezed(text),
          "the checks do not state the passage length used")
    for line in ["φ=40°时蜗壳宽度a40按二次式计算，但外壁高 2134 mm，超过 hk = 2000 mm；按线性式宽度为 827 mm",
                 "φ=87°至φ=90°蜗壳宽度由 1459 mm 跳至 1678 mm（二次式→线性式）",
                 "流道进口平均流速（B·hk = 12.710 m²，B = 6355 mm）1.18 m/s",
                 "锥管进口平均流速（扣除导水锥顶，π·(D0² - dd0²)/4 = 3.416 m²）4.39 m/s"]:
        check(squeezed(line) in squeezed(text), "the checks lack: " + line)
    # Both width sets where they differ, each with its rule and the shape it gives; the area
    # drawn is the section's as drawn, the bell's true lip (2904 mm² more than the rules count).
    check(table_row(text, "40", "1361360", "823", "827", "线性式·平顶", "2000", "1356739"),
          "the stations lack φ=40°")
    check(table_row(text, "90", "3063060", "1678", "线性式·平顶", "1678", "线性式·平顶", "2000", "3065964"),
          "the stations lack φ=90°")
    # The chart is drawn on the page, its texts as text.
    for label in ["断面面积 F（m²）", "蜗壳宽度 a（mm）", "断面平均流速 v（m/s）"]:
        check(squeezed(label) in squeezed(text), "the chart is not on the page as lines and text: " + label)
    check(re.search(r"比例 1:\d+", text) is not None, "the drawings state no scale")

    # The same sheet as ODT holds the same results.
    odt = os.path.join(tmp, "hk2000.odt")
    run([SHEET_EXPORT, odt, "--hk", "2000"] + INFO, C_LOCALE)
    rows, pictures = odt_rows(odt)
    for name, shown in window:
        cells = result_cells(shown)
        check(any(row[:1] == [name] and row[2:2 + len(cells)] == cells for row in rows),
              "the ODT lacks the result %s %s" % (name, shown))
    check(any(row[:4] == ["40", "1361360", "823", "二次式·平顶（非二次式所设斜顶）"] for row in rows),
          "the stations do not say that a40's section is not the shape its rule assumes")
    check(pictures == 15,
          "the ODT embeds %d pictures, not the fourteen drawings (section, plan, twelve stations), each with its"
          " scale and scale bar, and the chart" % pictures)

    # A design that fails: hk empty, as a fresh window has it.
    failed = os.path.join(tmp, "failed.pdf")
    run([SHEET_EXPORT, failed] + INFO, C_LOCALE)
    pages = pdf_pages(failed)
    text = "\n".join(pages)
    check_pages(failed, pages, "failed.pdf")
    check("除数为零：计算φ=30°时蜗壳宽度a30时出错" in squeezed(text), "the failed sheet does not say why", text)
    reached = results([], C_LOCALE, status=1)
    check([name for name, _ in reached] == ["a1", "b1", "x1", "y1", "x2", "y2", "a2", "b2", "ap", "bp"],
          "inlet-calc reached other results than expected", str(reached))
    for name, shown in reached:
        check(table_row(text, name, *result_cells(shown)), "the failed sheet lacks %s %s" % (name, shown))
    for name in ["a0", "a30", "a90", "H", "B"]:
        check(table_row(text, name, "—", "mm"), "the failed sheet does not mark %s as not reached" % name)
    for later in ["6355", "2700", "1678"]:
        check(later not in text, "the failed sheet shows %s, a figure the run did not reach" % later)
    for section in ["4.5 蜗壳断面形状", "6.1 设计校核警告", "7 型线图"]:
        check(re.search(r"^\s*" + re.escape(section) + r"\s", text, re.M) is None,
              "the failed sheet has the section " + section)
    check(table_row(text, "hk", "0", "mm"), "the failed sheet does not show hk read as 0")

    # A file that cannot be written: an error naming it, and no file, not even a temporary one.
    for target in [os.path.join(tmp, "missing", "sheet.pdf"), os.path.join(tmp, "missing", "sheet.odt")]:
        result = run([SHEET_EXPORT, target, "--hk", "2000"], C_LOCALE, expect_status=1)
        check(target in result.stderr, "the error does not name " + target, result.stderr)
        check(not os.path.exists(os.path.dirname(target)), "writing %s left something behind" % target)
    directory = os.path.join(tmp, "a-directory.pdf")
    os.mkdir(directory)
    result = run([SHEET_EXPORT, directory, "--hk", "2000"], C_LOCALE, expect_status=1)
    check(directory in result.stderr, "the error does not name " + directory, result.stderr)
    check(os.listdir(directory) == [], "writing over a directory left files in it")
    before = sorted(os.listdir(tmp))

    # A comma-decimal locale: dd0 700,1 read as the single nearest to 700.1.
    comma = os.path.join(tmp, "comma.pdf")
    run([SHEET_EXPORT, comma, "--hk", "2000", "--dd0", "700,1"], COMMA_LOCALE)
    text = "\n".join(pdf_pages(comma))
    shown = dict(results(["--hk", "2000", "--dd0", "700,1"], COMMA_LOCALE))
    check(shown["a2"] == "1149,95001220703", "inlet-calc shows a2 as " + shown["a2"])
    check(table_row(text, "a2", "1149,95001220703", "mm"), "the comma sheet lacks a2 1149,95001220703")
    check(table_row(text, "dd0", "700,1", "700,099975585938", "mm"),
          "the comma sheet does not show dd0 700,1 taken as 700,099975585938")
    check(sorted(os.listdir(tmp)) == sorted(before + ["comma.pdf"]), "writing left other files behind",
          str(os.listdir(tmp)))

if failures:
    print("\n\n".join(failures))
    sys.exit(1)
print("the sheet holds the inputs, the results, the checks and its page count")
