#!/usr/bin/env python3
"""Every relative link and picture in README.md and docs/*.md points at a file that exists,
and every #anchor within the same file at one of its headings.

Usage: tests/docs/links.py SOURCE_DIR
"""
import pathlib
import re
import sys

root = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else ".")
link = re.compile(r"!?\[[^\]]*\]\(([^)\s]+)(?:\s+\"[^\"]*\")?\)")
fence = re.compile(r"^(```|~~~)")


def anchors(text):
    """The ids GitHub gives the headings: lower case, punctuation dropped, spaces as hyphens."""
    ids = set()
    for line in text.splitlines():
        m = re.match(r"^#+\s+(.*)", line)
        if m:
            slug = re.sub(r"[^\w\- ]", "", m.group(1).strip().lower()).replace(" ", "-")
            ids.add(slug)
    return ids


def links(text):
    inside = False
    for number, line in enumerate(text.splitlines(), 1):
        if fence.match(line.strip()):
            inside = not inside
            continue
        if inside:
            continue
        for m in link.finditer(re.sub(r"`[^`]*`", "", line)):
            yield number, m.group(1)


broken = []
documents = [root / "README.md"] + sorted((root / "docs").glob("*.md"))
for document in documents:
    text = document.read_text(encoding="utf-8")
    for number, target in links(text):
        if re.match(r"^[a-z][a-z0-9+.-]*:", target):
            continue  # https:, mailto: — not checked here
        path, _, anchor = target.partition("#")
        where = f"{document.relative_to(root)}:{number}: {target}"
        if path:
            resolved = (document.parent / path).resolve()
            if not resolved.exists():
                broken.append(f"{where}: no such file")
                continue
            if anchor and resolved.suffix == ".md" and anchor not in anchors(resolved.read_text(encoding="utf-8")):
                broken.append(f"{where}: no such heading")
        elif anchor and anchor not in anchors(text):
            broken.append(f"{where}: no such heading")

for line in broken:
    print(line)
print(f"{len(documents)} documents, {len(broken)} broken links")
sys.exit(1 if broken else 0)
