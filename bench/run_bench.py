#!/usr/bin/python3
"""Times, in one run, urdiva-cli against the same network built and written as Pajek by
python3-igraph and python3-networkx, and against a floor that only reads the file twice.
Prints seconds, peak memory, MB/s and ratios for a large data file and one ten times smaller.

Usage: run_bench.py [--records N] [--names N] [--skip-networkx] PATH_TO_URDIVA_CLI
"""
import argparse
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
PYTHON = "/usr/bin/python3"


def measure(command, repeat):
    """Best wall time of `repeat` runs, and the peak resident memory of the child in MB."""
    best, peak = float("inf"), 0.0
    for _ in range(repeat):
        start = time.perf_counter()
        child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                 env=dict(os.environ, LC_ALL="pt_BR.UTF-8"))
        _, status, usage = os.wait4(child.pid, 0)
        elapsed = time.perf_counter() - start
        child.stderr.close()
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit(f"failed: {' '.join(command)}")
        best = min(best, elapsed)
        peak = max(peak, usage.ru_maxrss / 1024)
    return best, peak


def run_size(cli, records, names, folder, repeat, networkx):
    data = os.path.join(folder, f"data_{records}.csv")
    if not os.path.exists(data):
        subprocess.run([PYTHON, os.path.join(HERE, "generate_data.py"), str(records), str(names),
                        data], check=True)
    size_mb = os.path.getsize(data) / 1e6
    out = os.path.join(folder, "out.net")
    rows = {}
    rows["floor (cat file twice)"] = measure(["sh", "-c", f"cat '{data}' '{data}' >/dev/null"],
                                             repeat)
    rows["urdiva-cli"] = measure([cli, "-q", "-f", "--value", "3", data, out], repeat)
    rows["python3-igraph"] = measure([PYTHON, os.path.join(HERE, "pajek_python.py"), "igraph",
                                      data, out], 1)
    if networkx:
        rows["python3-networkx"] = measure([PYTHON, os.path.join(HERE, "pajek_python.py"),
                                            "networkx", data, out], 1)
    ours = rows["urdiva-cli"][0]
    print(f"\n{records:,} records over {names:,} names, {size_mb:.1f} MB")
    print(f"| program | seconds | MB/s | peak MB | time / urdiva-cli |")
    print(f"| --- | ---: | ---: | ---: | ---: |")
    for name, (seconds, peak) in rows.items():
        print(f"| {name} | {seconds:.3f} | {size_mb / seconds:.0f} | {peak:.0f} | "
              f"{seconds / ours:.2f} |")
    return ours


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--records", type=int, default=1_000_000)
    parser.add_argument("--names", type=int, default=100_000)
    parser.add_argument("--repeat", type=int, default=3)
    parser.add_argument("--skip-networkx", action="store_true")
    args = parser.parse_args()
    folder = os.path.join(HERE, "data")
    os.makedirs(folder, exist_ok=True)
    small = run_size(args.cli, args.records // 10, args.names // 10, folder, args.repeat,
                     not args.skip_networkx)
    large = run_size(args.cli, args.records, args.names, folder, args.repeat,
                     not args.skip_networkx)
    print(f"\nurdiva-cli growth for 10x the records: {large / small:.1f}x the time")


if __name__ == "__main__":
    main()
