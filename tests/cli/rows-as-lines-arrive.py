#!/usr/bin/python3
"""Feeds inlet-calc --csv one line at a time through a pipe and checks that the row of each
line comes out before the next line is written, as a program talking to it needs.

Usage: rows-as-lines-arrive.py PROGRAM
"""
import os
import select
import subprocess
import sys

WAIT_SECONDS = 10
# What is written at once, and how the row that must then come out begins. The second write
# also holds the start of the next line: its row must not wait for the rest of it.
WRITES = [
    (b"hk,dd0\n", b"hk,dd0,a1,"),
    (b"2000,700\n10", b"2000,700,0400,"),
    (b"00,700\n", b"1000,700,0400,"),
    (b"2000,700\n", b"2000,700,0400,"),
]


def read_line(fd, pending):
    """The next line from fd, waiting at most WAIT_SECONDS for it, or None."""
    while b"\n" not in pending[0]:
        ready, _, _ = select.select([fd], [], [], WAIT_SECONDS)
        if not ready:
            return None
        chunk = os.read(fd, 65536)
        if not chunk:
            return None
        pending[0] += chunk
    line, _, pending[0] = pending[0].partition(b"\n")
    return line


def main():
    process = subprocess.Popen([sys.argv[1], "--csv"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                               env={"LC_ALL": "C"})
    pending = [b""]
    try:
        for number, (line, start) in enumerate(WRITES, start=1):
            process.stdin.write(line)
            process.stdin.flush()
            row = read_line(process.stdout.fileno(), pending)
            if row is None:
                print(f"no row within {WAIT_SECONDS} s after write {number} {line!r}", file=sys.stderr)
                return 1
            if not row.startswith(start):
                print(f"after write {number} {line!r}: row {row[:80]!r}, expected it to begin {start!r}",
                      file=sys.stderr)
                return 1
        process.stdin.close()
        status = process.wait(timeout=WAIT_SECONDS)
        if status != 0:
            print(f"exit status {status}", file=sys.stderr)
            return 1
    finally:
        if process.poll() is None:
            process.kill()
            process.wait()
    print(f"each of {len(WRITES)} rows came out before the next line went in")
    return 0


if __name__ == "__main__":
    sys.exit(main())
