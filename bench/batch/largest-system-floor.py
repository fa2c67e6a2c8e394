#!/usr/bin/env python3
"""The batch command on the largest system the dialog allows against its floor.

The largest system: 7 chambers, depths 0..9 in steps of 1, no M.A.C.S, top master 3579246 and
every one of the 279,936 change keys. Its floor: the same command making a one-key system
(start, database, everything but the keys) plus copying the same bytes with cp. For JSON, CSV
and PDF this prints the best time of several runs (wall clock and processor), the peak memory,
the floor and the ratio to it, and whether the output is byte for byte the first build's.

    bench/batch/largest-system-floor.py BUILD_DIR [BUILD_DIR ...] [--runs N] [--pdf]

Several build folders are measured side by side in one run, interleaved.
"""

import argparse
import os
import pathlib
import subprocess
import tempfile
import time

MANUFACTURERS = (
    "# name;min;max;shallowest;deepest;M.A.C.S;step;control factor;stack total;control chambers\n"
    "LARGEST 7-pin 0-9 step 1;7;7;0;9;0;1;;;\n"
)


def run_once(command):
    """Seconds, processor seconds (user and system) and peak resident memory in MB of one run."""
    start = time.perf_counter()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL)
    _, status, usage = os.wait4(process.pid, 0)
    seconds = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        raise SystemExit(f"failed: {' '.join(map(str, command))}")
    return seconds, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("builds", nargs="+", type=pathlib.Path)
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--pdf", action="store_true", help="measure the PDF too (slow)")
    options = parser.parse_args()
    formats = ["json", "csv"] + (["pdf"] if options.pdf else [])

    with tempfile.TemporaryDirectory() as folder:
        work = pathlib.Path(folder)
        (work / "m.csv").write_text(MANUFACTURERS)
        database = work / "Varnholt.MFG"
        subprocess.run([options.builds[0] / "data/samples/make-sample-database", work / "m.csv", database],
                       check=True, stdout=subprocess.DEVNULL)

        def command(build, keys, form, output):
            return [build / "tools/varnholt-report", "--database", database, "--record", "1",
                    "--chambers", "7", "--master-key", "3579246", "--keys", keys,
                    "--format", form, "--output", output]

        best = {}
        # Others' work on the machine lengthens the wall-clock times most: the load is shown.
        loadBefore = os.getloadavg()[0]

        def measure(key, argv):
            seconds, processor, megabytes = run_once(argv)
            old = best.get(key, (float("inf"), float("inf"), 0.0))
            best[key] = (min(old[0], seconds), min(old[1], processor), max(old[2], megabytes))

        for _ in range(options.runs):
            for index, build in enumerate(options.builds):
                for form in formats:
                    large = work / f"large{index}.{form}"
                    measure((index, form, "large"), command(build, "all", form, large))
                    measure((index, form, "small"), command(build, "1", form, work / f"small{index}.{form}"))
                    measure((index, form, "cp"), ["cp", large, work / f"copy{index}.{form}"])

        print(f"load average (1 minute): {loadBefore:.2f} at the start, {os.getloadavg()[0]:.2f} at the end")
        # Seconds are the best wall-clock time of the runs; on a machine that others share, the
        # processor time (user and system, also the best) is the steadier figure.
        print(f"{'build':<28} {'format':<6} {'seconds':>8} {'cpu s':>7} {'peak MB':>8} {'one key':>8} "
              f"{'cpu s':>7} {'cp':>7} {'cpu s':>7} {'bytes':>9} {'ratio':>6} {'cpu':>6} {'same':>5}")
        for index, build in enumerate(options.builds):
            for form in formats:
                large, largeCpu, peak = best[(index, form, "large")]
                small, smallCpu, _ = best[(index, form, "small")]
                copy, copyCpu, _ = best[(index, form, "cp")]
                output = work / f"large{index}.{form}"
                # A PDF carries its creation time, so only the other formats are compared.
                same = "-" if form == "pdf" else \
                    "yes" if output.read_bytes() == (work / f"large0.{form}").read_bytes() else "NO"
                print(f"{str(build)[-28:]:<28} {form:<6} {large:8.3f} {largeCpu:7.3f} {peak:8.1f} "
                      f"{small:8.3f} {smallCpu:7.3f} {copy:7.3f} {copyCpu:7.3f} {output.stat().st_size:9d} "
                      f"{large / (small + copy):6.2f} {largeCpu / (smallCpu + copyCpu):6.2f} {same:>5}")

if __name__ == "__main__":
    main()
