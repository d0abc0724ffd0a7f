#!/usr/bin/python3
"""Streams a CSV batch of a few hundred MB through a pipe into inlet-calc --csv while it may
use far less memory than that, and checks that every row comes out, computed.

Usage: stream-large-batch.py PROGRAM
"""
import resource
import subprocess
import sys
import threading

ROWS = 3000
# D is read but enters no formula: a long D makes a large input of few rows.
D = "2200" + "x" * 100_000
MEMORY_LIMIT = 160 * 1024 * 1024  # bytes of address space, about half the input
B_COLUMN = 2 + 23  # after D and hk and the other 23 results


def limit_memory():
    resource.setrlimit(resource.RLIMIT_AS, (MEMORY_LIMIT, MEMORY_LIMIT))


def feed(pipe):
    row = f"{D},2000\n".encode()
    try:
        pipe.write(b"D,hk\n")
        for _ in range(ROWS):
            pipe.write(row)
        pipe.close()
    except BrokenPipeError:
        pass  # inlet-calc ended early; the check below says how


def main():
    program = sys.argv[1]
    process = subprocess.Popen([program, "--csv"], stdin=subprocess.PIPE, stdout=subprocess.PIPE,
                               stderr=subprocess.PIPE, preexec_fn=limit_memory,
                               env={"LC_ALL": "C"})
    writer = threading.Thread(target=feed, args=(process.stdin,))
    writer.start()
    errors = []
    collector = threading.Thread(target=lambda: errors.append(process.stderr.read()))
    collector.start()

    header = process.stdout.readline()
    rows = 0
    bad = []
    for line in process.stdout:
        rows += 1
        fields = line.rstrip(b"\n").split(b",")
        if fields[0] != D.encode() or fields[B_COLUMN] != b"6355" or fields[-1] != b"":
            bad.append(rows)
    status = process.wait()
    writer.join()
    collector.join()

    input_mb = (len(D) + 6) * ROWS / 1e6
    problems = []
    if status != 0:
        problems.append(f"exit status {status}")
    if not header.startswith(b"D,hk,a1,"):
        problems.append(f"header {header[:60]!r}")
    if rows != ROWS:
        problems.append(f"{rows} rows out of {ROWS}")
    if bad:
        problems.append(f"{len(bad)} rows without their results, the first row {bad[0]}")
    if problems:
        print(f"inlet-calc --csv on {input_mb:.0f} MB of input with {MEMORY_LIMIT >> 20} MiB of memory: "
              + "; ".join(problems) + "\nstandard error: " + errors[0].decode(errors="replace"), file=sys.stderr)
        return 1
    print(f"{ROWS} rows, {input_mb:.0f} MB, through {MEMORY_LIMIT >> 20} MiB of memory")
    return 0


if __name__ == "__main__":
    sys.exit(main())
