#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Times urdiva-cli's link options on the 1,000,000-record file of run_bench.py against the plain
run on the same file (one Pajek edge line per record, with the weight), in one run: each option
and the plain run alternate, best of --repeat, so that a slow spell of the machine falls on all.
Co-occurrence runs over a file of its own, made from the same names: one cell of 1 to 6 names per
record, 200,000 records; vertex attributes and times over the same records with three more
columns (an institution, an age and a year), against the plain run on that file in the same
format (a Pajek run with attributes writes the network twice: in the .net and in the project).

Usage: link_options.py [--repeat N] PATH_TO_URDIVA_CLI
"""
import argparse
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from run_bench import HERE, data_file, measure  # noqa: E402


def cells_file(data, folder):
    path = os.path.join(folder, "cells_200000.csv")
    if not os.path.exists(path):
        with open(data, encoding="utf-8") as f:
            names = list({line.split(";")[0] for line in f})
        rnd = random.Random(3)
        with open(path, "w", encoding="utf-8", newline="") as f:
            for _ in range(200_000):
                f.write("|".join(rnd.sample(names, rnd.randint(1, 6))) + "\r\n")
    return path


def attributes_file(data, folder):
    path = os.path.join(folder, "attributes_1000000.csv")
    if not os.path.exists(path):
        rnd = random.Random(36)
        places = ["USP", "UFRJ", "Fiocruz", "UnB", "UFMG", "Unicamp"]
        with open(data, encoding="utf-8") as f, open(path, "w", encoding="utf-8",
                                                     newline="") as out:
            for line in f:
                out.write("%s;%s;%s;%d\r\n" % (line.rstrip("\r\n"), rnd.choice(places),
                                               rnd.choice(["", str(rnd.randint(20, 70))]),
                                               rnd.randint(1990, 2024)))
    return path


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--repeat", type=int, default=5)
    args = parser.parse_args()
    folder = os.path.join(HERE, "data")
    os.makedirs(folder, exist_ok=True)
    data = data_file(1_000_000, 100_000, folder)
    cells = cells_file(data, folder)
    attributes = attributes_file(data, folder)
    out = os.path.join(folder, "out")
    runs = {
        "plain (--value 3)": ["--value", "3", data],
        "--merge sum": ["--value", "3", "--merge", "sum", data],
        "--merge count": ["--merge", "count", data],
        "--format graphml": ["--value", "3", "--format", "graphml", data],
        "--format csv": ["--value", "3", "--format", "csv", data],
        "--two-mode --project first": ["--two-mode", "--project", "first", data],
        "--cooccur 1 --cell-separator \\| --merge count (200,000 records)":
            ["-s", "tab", "--cooccur", "1", "--cell-separator", "|", "--merge", "count", cells],
        "plain, 6 columns": ["--value", "3", attributes],
        "--attribute 4 --attribute 5 --time 6, 6 columns":
            ["--value", "3", "--attribute", "4", "--attribute", "5", "--time", "6", attributes],
        "--format graphml, 6 columns": ["--value", "3", "--format", "graphml", attributes],
        "--format graphml --attribute 4 --attribute 5 --time 6, 6 columns":
            ["--value", "3", "--format", "graphml", "--attribute", "4", "--attribute", "5",
             "--time", "6", attributes],
    }
    best = {name: (float("inf"), 0.0) for name in runs}
    for _ in range(args.repeat):
        for name, options in runs.items():
            seconds, peak, _ = measure([args.cli, "-q", "-f", *options, out], 1)
            best[name] = (min(best[name][0], seconds), max(best[name][1], peak))
    plain = best["plain (--value 3)"][0]
    print("\n1,000,000 records over 100,000 names")
    print("| urdiva-cli options | seconds | peak MB | time / plain (of its file) |")
    print("| --- | ---: | ---: | ---: |")
    for name, (seconds, peak) in best.items():
        # The attributes' runs are held to the plain run over their own file, in their format.
        base = (best["--format graphml, 6 columns"][0] if "graphml" in name and "6 col" in name
                else best["plain, 6 columns"][0] if name.endswith("6 columns") else plain)
        print(f"| {name} | {seconds:.3f} | {peak:.0f} | {seconds / base:.2f} |")


if __name__ == "__main__":
    main()
