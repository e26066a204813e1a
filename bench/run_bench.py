#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Times, in one run, urdiva-cli against the same network built and written as Pajek by
python3-igraph and python3-networkx, and against a floor that only reads the file twice.
Prints seconds, peak memory, MB/s and ratios for a large data file and one ten times smaller.

Usage: run_bench.py [--records N] [--names N] [--repeat N] [--python-repeat N]
                    [--skip-networkx] PATH_TO_URDIVA_CLI

Each time is the best of --repeat runs (--python-repeat for the Python libraries, one run for
networkx); peak memory is the largest of them; CPUs utilized is the processor time (user and
system) of the best run over its wall time, as `perf stat` counts it.
"""
import argparse
import os
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
PYTHON = "/usr/bin/python3"


def cpu_model():
    """The processor's model name, as lscpu gives it."""
    try:
        with open("/proc/cpuinfo", encoding="utf-8") as info:
            for line in info:
                if line.startswith("model name"):
                    return line.split(":", 1)[1].strip()
    except OSError:
        pass
    return "unknown processor"


def measure(command, repeat):
    """Best wall time of `repeat` runs, the peak resident memory of the child in MB, and the
    CPUs the best run kept busy."""
    best, peak, cpus = float("inf"), 0.0, 0.0
    for _ in range(repeat):
        start = time.perf_counter()
        child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE,
                                 env=dict(os.environ, LC_ALL="pt_BR.UTF-8"))
        _, status, usage = os.wait4(child.pid, 0)
        elapsed = time.perf_counter() - start
        child.stderr.close()
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit(f"failed: {' '.join(command)}")
        if elapsed < best:
            best, cpus = elapsed, (usage.ru_utime + usage.ru_stime) / elapsed
        peak = max(peak, usage.ru_maxrss / 1024)
    return best, peak, cpus


def data_file(records, names, folder):
    data = os.path.join(folder, f"data_{records}.csv")
    if not os.path.exists(data):
        subprocess.run([PYTHON, os.path.join(HERE, "generate_data.py"), str(records), str(names),
                        data], check=True)
    return data


def report(records, names, data, ours, repeat, networkx):
    size_mb = os.path.getsize(data) / 1e6
    out = os.path.join(os.path.dirname(data), "out.net")
    rows = {}
    rows["floor (cat file twice)"] = measure(["sh", "-c", f"cat '{data}' '{data}' >/dev/null"],
                                             repeat)
    rows["urdiva-cli"] = ours
    rows["python3-igraph"] = measure([PYTHON, os.path.join(HERE, "pajek_python.py"), "igraph",
                                      data, out], repeat)
    if networkx:
        rows["python3-networkx"] = measure([PYTHON, os.path.join(HERE, "pajek_python.py"),
                                            "networkx", data, out], 1)
    print(f"\n{records:,} records over {names:,} names, {size_mb:.1f} MB")
    print("| program | seconds | MB/s | peak MB | CPUs utilized | time / urdiva-cli |")
    print("| --- | ---: | ---: | ---: | ---: | ---: |")
    for name, (seconds, peak, cpus) in rows.items():
        print(f"| {name} | {seconds:.3f} | {size_mb / seconds:.0f} | {peak:.0f} | {cpus:.2f} | "
              f"{seconds / ours[0]:.2f} |")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--records", type=int, default=1_000_000)
    parser.add_argument("--names", type=int, default=100_000)
    parser.add_argument("--repeat", type=int, default=5)
    parser.add_argument("--python-repeat", type=int, default=2)
    parser.add_argument("--skip-networkx", action="store_true")
    args = parser.parse_args()
    folder = os.path.join(HERE, "data")
    os.makedirs(folder, exist_ok=True)
    sizes = [(args.records // 10, args.names // 10), (args.records, args.names)]
    files = [data_file(records, names, folder) for records, names in sizes]
    # Urdiva's two sizes are timed in turn, so that a slow spell of the machine falls on both
    # and the growth from one to the other stays meaningful.
    ours = [(float("inf"), 0.0, 0.0) for _ in sizes]
    for _ in range(args.repeat):
        for i, data in enumerate(files):
            seconds, peak, cpus = measure([args.cli, "-q", "-f", "--value", "3", data,
                                           os.path.join(folder, "out.net")], 1)
            best = seconds < ours[i][0]
            ours[i] = (min(ours[i][0], seconds), max(ours[i][1], peak),
                       cpus if best else ours[i][2])
    print(f"{cpu_model()}, {os.cpu_count()} CPUs")
    for (records, names), data, mine in zip(sizes, files, ours):
        report(records, names, data, mine, args.python_repeat, not args.skip_networkx)
    print(f"\nurdiva-cli growth for 10x the records: {ours[1][0] / ours[0][0]:.1f}x the time")


if __name__ == "__main__":
    main()
