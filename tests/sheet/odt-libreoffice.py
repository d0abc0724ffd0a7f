#!/usr/bin/python3
"""The calculation sheet's ODT as a word processor prints it: converted to PDF by LibreOffice
headless, every page carries the title block and "第 n 页 共 m 页" with its own n and the
page count, the section headings are set larger than the text, the contents list gives the
page each section starts on, and the page count is the PDF sheet's within one.

Usage: odt-libreoffice.py SHEET_EXPORT    (exit 77, skipped, without soffice)
"""

import os
import re
import shutil
import subprocess
import sys
import tempfile

SHEET_EXPORT = sys.argv[1]
ENV = dict(os.environ, LC_ALL="C.UTF-8", QT_QPA_PLATFORM="offscreen")
INFO = ["--project", "某泵站更新改造工程", "--stage", "初步设计", "--designer", "张三",
        "--checker", "李四", "--date", "2026-12-07"]
SECTIONS = ["1 计算目的", "2 计算依据", "3 基本资料", "4 计算过程", "5 计算结果", "6 结论", "7 型线图"]

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def pages_of(pdf):
    """Each page's text, in reading order."""
    text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True, text=True, check=True).stdout
    return text.split("\f")[:-1]


def word_heights(pdf, words):
    """The height of each of `words` where pdftotext -bbox first finds it."""
    html = subprocess.run(["pdftotext", "-bbox", pdf, "-"], capture_output=True, text=True, check=True).stdout
    found = {}
    for m in re.finditer(r'<word xMin="[\d.]+" yMin="([\d.]+)" xMax="[\d.]+" yMax="([\d.]+)">([^<]*)</word>', html):
        if m.group(3) in words and m.group(3) not in found:
            found[m.group(3)] = float(m.group(2)) - float(m.group(1))
    return found


def main():
    soffice = shutil.which("soffice")
    if not soffice:
        print("soffice missing (Debian libreoffice-writer-nogui): the ODT is not converted")
        return 77
    with tempfile.TemporaryDirectory(prefix="inlet-odt-") as tmp:
        odt, ours = os.path.join(tmp, "sheet.odt"), os.path.join(tmp, "ours.pdf")
        for out in (odt, ours):
            subprocess.run([SHEET_EXPORT, out, "--hk", "2000"] + INFO, env=ENV, check=True, capture_output=True)
        profile = "file://" + os.path.join(tmp, "profile")
        done = subprocess.run([soffice, "-env:UserInstallation=" + profile, "--headless", "--convert-to", "pdf",
                               "--outdir", os.path.join(tmp, "lo"), odt], capture_output=True, text=True, timeout=240)
        converted = os.path.join(tmp, "lo", "sheet.pdf")
        if done.returncode != 0 or not os.path.exists(converted):
            print("LibreOffice did not convert the ODT:", done.stdout, done.stderr)
            return 1

        pages = pages_of(converted)
        count = len(pages)
        # LibreOffice breaks the pages itself, a little more densely than the PDF painter: the
        # difference grows with the sheet's length, about one page in ten. More than that means
        # content missing from one of them.
        ours_count = len(pages_of(ours))
        check(abs(count - ours_count) <= max(1, ours_count // 10),
              "LibreOffice prints %d pages, the PDF sheet %d" % (count, ours_count))
        for n, page in enumerate(pages, 1):
            flat = re.sub(r"\s+", " ", page)
            check("工程名称" in flat and "某泵站更新改造工程" in flat and "设计阶段" in flat,
                  "page %d has no title block" % n)
            check("第 %d 页 共 %d 页" % (n, count) in flat, "page %d does not say 第 %d 页 共 %d 页" % (n, n, count))
            check("计算软件：进水流道设计计算" in flat, "page %d has no footer" % n)

        # The contents list (on the page that says 目录) against where each section starts.
        listed = next((i for i, p in enumerate(pages) if "目" in p and "录" in p and SECTIONS[0] in p), None)
        check(listed is not None, "no contents list")
        for title in SECTIONS:
            starts = next((i + 1 for i, p in enumerate(pages)
                           if i != listed and re.search(r"^\s*" + re.escape(title) + r"\s*$", p, re.M)), None)
            entry = re.search(re.escape(title) + r"[ .·…]*(\d+)\s*$", pages[listed] if listed is not None else "", re.M)
            check(starts is not None, "the section %s is on no page" % title)
            check(entry is not None and starts is not None and int(entry.group(1)) == starts,
                  "the contents list gives %s page %s; it starts on page %s"
                  % (title, entry.group(1) if entry else None, starts))

        # Headings at their sizes: a section's title (14 pt) above the text (10.5 pt).
        heights = word_heights(converted, {"计算目的", "基本资料"})
        check(heights.get("计算目的", 0) > 12, "the heading 1 计算目的 is %s pt high" % heights.get("计算目的"))
    for failure in failures:
        print("FAIL:", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
