#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Times urdiva-cli, in one run, on the benchmark's 1,000,000-record file (100,000 names) and on
a 20,000,000-record file over 1,000,000 names, and prints each run's seconds, seconds per
million records and peak memory, and the ratio of the two per-record times.

Usage: large_run.py [--records N] [--names N] [--repeat N] PATH_TO_URDIVA_CLI

Each time is the best of --repeat runs; peak memory is the largest. The data files are made by
generate_data.py in bench/data, once.
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from run_bench import HERE, cpu_model, data_file, measure  # noqa: E402


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--records", type=int, default=20_000_000)
    parser.add_argument("--names", type=int, default=1_000_000)
    parser.add_argument("--repeat", type=int, default=2)
    args = parser.parse_args()
    folder = os.path.join(HERE, "data")
    os.makedirs(folder, exist_ok=True)
    sizes = [(1_000_000, 100_000), (args.records, args.names)]
    files = [data_file(records, names, folder) for records, names in sizes]
    out = os.path.join(folder, "out.net")
    print(f"{cpu_model()}, {os.cpu_count()} CPUs")
    print("| records | names | seconds | s per M records | peak MB |")
    print("| ---: | ---: | ---: | ---: | ---: |")
    perRecord = []
    for (records, names), data in zip(sizes, files):
        seconds, peak, _ = measure([args.cli, "-q", "-f", "--value", "3", data, out],
                                   args.repeat)
        perRecord.append(seconds / records * 1e6)
        print(f"| {records:,} | {names:,} | {seconds:.2f} | {perRecord[-1]:.3f} | {peak:.0f} |")
    os.remove(out)
    print(f"\ntime per record, large file / 1,000,000 records: {perRecord[1] / perRecord[0]:.2f}x")


if __name__ == "__main__":
    main()
