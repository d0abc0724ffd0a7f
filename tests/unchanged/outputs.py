#!/usr/bin/env python3
"""Every output of both programs, for a few seeded designs, the same bytes as recorded.

Usage: outputs.py INLET INLET_CALC EXPECTED [--update]

Writes, for each design below, what a user gets from the two programs: inlet-calc's results,
--json, --checks and --csv, and through `inlet --export` the sheet (PDF, ODT), the workbook,
the DXF, the drawing sheet (PDF, SVG, PNG) and the solid (STEP, STL). Each output is reduced to
its bytes less what changes from run to run by design (the time a file was made), hashed, and
compared with EXPECTED. A reorganisation of the code must leave every hash as it was; a change
of behaviour that is meant updates EXPECTED with --update, in the same commit, so the review
sees which outputs it changed.

The time the sheet and the workbook print is fixed by SOURCE_DATE_EPOCH. Masked: a PDF's
/CreationDate, a workbook's created and modified times (docProps/core.xml),
the STEP header's time stamp. Zip files (ODT, XLSX) are compared member by member, so a
member's stored time does not count. Qt's hashing is seeded to 0 so that the order a PDF
lists its fonts in does not change from run to run.
"""
import hashlib
import os
import re
import subprocess
import sys
import tempfile
import zipfile

# name -> the texts typed, as inlet-calc's options. Around the designs an engineer meets: the
# default, a low and a high section, the area-true widths, a contracted cone, one that fails.
DESIGNS = {
    "hk2000": ["--hk", "2000"],
    "hk1500": ["--hk", "1500"],
    "hk3000-H1-900": ["--hk", "3000", "--H1", "900"],
    "hk2000-area-true": ["--hk", "2000", "--widths", "area-true"],
    "theta8-D0-2000-dd0-600": ["--theta", "8", "--D0", "2000", "--dd0", "600", "--hk", "1800",
                               "--Q", "12.5"],
    "hk1000-no-section": ["--hk", "1000"],
}

# extension or --format key -> the file written by `inlet --export`.
EXPORTS = [("pdf", None), ("odt", None), ("xlsx", None), ("dxf", None), ("pdf", "drawing-pdf"),
           ("svg", None), ("png", None), ("step", None), ("stl", None)]


def masked(name, data):
    if name.endswith(".pdf"):
        return re.sub(rb"/CreationDate \(D:[0-9Z+'-]+\)", b"/CreationDate (D:0)", data)
    if name.endswith(".step"):
        return re.sub(rb"FILE_NAME\('([^']*)','[^']*'", rb"FILE_NAME('\1','0'", data)
    if name.endswith(".xlsx") or name.endswith(".odt"):
        digest = hashlib.sha256()
        with zipfile.ZipFile(name) as z:
            for member in sorted(z.namelist()):
                body = z.read(member)
                if member == "docProps/core.xml":
                    body = re.sub(rb"(<dcterms:(created|modified)[^>]*>)[^<]*", rb"\1", body)
                digest.update(member.encode() + b"\0" + hashlib.sha256(body).digest())
        return digest.digest()
    return data


def run(command, **kwargs):
    return subprocess.run(command, capture_output=True, **kwargs)


def outputs(inlet, calc, folder):
    env = dict(os.environ, QT_HASH_SEED="0", SOURCE_DATE_EPOCH="1796083200",
               LC_ALL="C.UTF-8", LANG="C.UTF-8", QT_QPA_PLATFORM="offscreen")
    found = {}
    for name, texts in DESIGNS.items():
        design_texts = [t for t in texts if t not in ("--widths", "area-true")]
        widths = ["--widths", "area-true"] if "area-true" in texts else []
        for what, extra in (("results", []), ("json", ["--json"]), ("checks", ["--checks"])):
            r = run([calc] + texts + extra, env=env)
            found[f"{name}/{what}"] = b"%d\n" % r.returncode + r.stdout + r.stderr
        design = os.path.join(folder, name + ".inlet")
        r = run([calc] + design_texts + ["--save", design], env=env)
        if r.returncode != 0 and not os.path.exists(design):
            raise SystemExit(f"{name}: inlet-calc --save failed: {r.stderr.decode()}")
        for extension, key in EXPORTS:
            out = os.path.join(folder, f"{name}.{key or extension}.{extension}")
            command = [inlet, "--export", out] + (["--format", key] if key else []) + widths + [design]
            r = run(command, env=env)
            body = masked(out, open(out, "rb").read()) if os.path.exists(out) else b"(none)"
            found[f"{name}/{key or extension}"] = b"%d\n" % r.returncode + r.stderr + body
    batch = "\n".join(["D,D0,theta,H0,H1,H2,D1,dd0,aa,hk",
                       "2200,2200,0,700,700,1300,3000,700,50,2000",
                       "2200,2000,8,700,700,1300,3000,600,50,1800",
                       "2200,2200,0,700,700,1300,3000,700,50,1000"]) + "\n"
    for what, extra in (("csv", []), ("csv-checks", ["--checks"])):
        r = run([calc, "--csv"] + extra, input=batch.encode(), env=env)
        found[f"batch/{what}"] = b"%d\n" % r.returncode + r.stdout + r.stderr
    return {key: hashlib.sha256(body).hexdigest() for key, body in found.items()}


def main():
    inlet, calc, expected_path = sys.argv[1:4]
    update = "--update" in sys.argv[4:]
    with tempfile.TemporaryDirectory() as folder:
        now = outputs(inlet, calc, folder)
    if update:
        with open(expected_path, "w") as f:
            f.writelines(f"{h}  {key}\n" for key, h in sorted(now.items()))
        print(f"{len(now)} outputs recorded in {expected_path}")
        return 0
    expected = {}
    for line in open(expected_path):
        h, key = line.split()
        expected[key] = h
    changed = sorted(k for k in expected.keys() | now.keys() if expected.get(k) != now.get(k))
    for key in changed:
        print(f"changed: {key} (expected {expected.get(key, 'none')[:12]}, now {now.get(key, 'none')[:12]})")
    print(f"{len(now) - len(changed)} of {len(expected)} outputs unchanged")
    return 1 if changed else 0


if __name__ == "__main__":
    sys.exit(main())
