#!/usr/bin/env python3
"""The batch command's keying schedule and lost-key list on a large building.

The building: 2,000 doors on a 7-chamber system of 10,000 listed keys (9 masters, 10 sub-masters
each, 110 change keys each), depths 0..9 in steps of 1. Most doors are keyed to one change key,
a fifth are cross-keyed to two change keys of different sub-masters, the rest to sub-masters,
masters and "X *" common entry. Prints the best time of several runs of each format, with the
user CPU time and the peak memory.

    bench/batch/door-reports.py BUILD_DIR [--runs N]
"""

import argparse
import csv
import os
import pathlib
import random
import subprocess
import tempfile
import time

MANUFACTURERS = (
    "# name;min;max;shallowest;deepest;M.A.C.S;step;control factor;stack total;control chambers\n"
    "LARGE 7-pin 0-9 step 1;7;7;0;9;0;1;;;\n"
)
SYSTEM = ["--record", "1", "--chambers", "7", "--master-key", "3579246", "--masters", "9",
          "--sub-masters", "10", "--keys", "110"]


def run_once(command):
    """Seconds, user CPU seconds and peak resident memory in MB of one run of command."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    seconds = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        raise SystemExit(f"failed: {' '.join(map(str, command))}")
    return seconds, usage.ru_utime, usage.ru_maxrss / 1024


def write_doors(keys_csv, doors_csv):
    rows = list(csv.reader(keys_csv.open()))[1:]
    changes = [f"{row[1]} {row[2]}" for row in rows if row[0] == "change key"]
    subs = [row[1] for row in rows if row[0] == "sub-master"]
    masters = [row[1] for row in rows if row[0] == "master"]
    chance = random.Random(7)
    with doors_csv.open("w", newline="") as file:
        out = csv.writer(file)
        out.writerow(["Door", "Location", "Keyed To", "Cylinders", "Notes"])
        for number in range(2000):
            draw = chance.random()
            if draw < 0.6:
                target = chance.choice(changes)
            elif draw < 0.8:
                target = chance.choice(changes) + "; " + chance.choice(changes)
            elif draw < 0.9:
                target = chance.choice(subs)
            elif draw < 0.95:
                target = chance.choice(subs) + " *"
            elif draw < 0.98:
                target = chance.choice(masters)
            else:
                target = chance.choice(masters) + " *"
            out.writerow([f"D{number + 1:04d}", f"Building {number // 100 + 1}, room {number % 100}", target,
                          chance.choice(["", "1", "2"]), ""])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("build", type=pathlib.Path)
    parser.add_argument("--runs", type=int, default=3)
    options = parser.parse_args()
    command = options.build / "tools/varnholt-report"

    with tempfile.TemporaryDirectory() as folder:
        work = pathlib.Path(folder)
        (work / "m.csv").write_text(MANUFACTURERS)
        database = work / "Varnholt.MFG"
        subprocess.run([options.build / "data/samples/make-sample-database", work / "m.csv", database],
                       check=True, stdout=subprocess.DEVNULL)
        base = [command, "--database", database] + SYSTEM
        subprocess.run(base + ["--format", "csv", "--output", work / "keys.csv"], check=True)
        write_doors(work / "keys.csv", work / "doors.csv")
        doors = ["--doors", work / "doors.csv"]

        print(f"{'report':<16} {'format':<6} {'seconds':>8} {'user s':>7} {'peak MB':>8} {'bytes':>9}")
        for report, extra in (("keying schedule", ["--report", "doors"]), ("lost key AA", ["--lost-key", "AA"])):
            for form in ("csv", "text", "json", "pdf"):
                output = work / f"out.{form}"
                best = None
                for _ in range(options.runs):
                    measured = run_once(base + doors + extra + ["--format", form, "--output", output])
                    best = measured if best is None or measured[0] < best[0] else best
                print(f"{report:<16} {form:<6} {best[0]:8.3f} {best[1]:7.3f} {best[2]:8.1f} "
                      f"{output.stat().st_size:9d}")


if __name__ == "__main__":
    main()
