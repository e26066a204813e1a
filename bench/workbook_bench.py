#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Times, in one run, urdiva-cli reading workbooks against python3-openpyxl reading the same
workbook (load_workbook(read_only=True), iterating its rows), and against urdiva-cli reading the
same rows as CSV. The workbooks are written once by python3-xlsxwriter from the rows of
run_bench.py's data: 300,000 rows and 1,000,000 rows of three columns (two names and an integer
weight). Each time is the best of --repeat runs, the programs alternating; peak memory is the
largest of them.

Usage: workbook_bench.py [--repeat N] PATH_TO_URDIVA_CLI
"""
import argparse
import csv
import os
import subprocess
import sys

import xlsxwriter

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from run_bench import HERE, PYTHON, cpu_model, data_file, measure  # noqa: E402

OPENPYXL = """
import sys, openpyxl
book = openpyxl.load_workbook(sys.argv[1], read_only=True)
rows = 0
for row in book.active.iter_rows(values_only=True):
    rows += 1
print(rows)
"""


def workbook_and_csv(data, rows, folder):
    """Made by a process of its own: a child's peak memory, as the kernel reports it, counts the
    memory of the process it was forked from, and XlsxWriter's default mode holds every cell."""
    book = os.path.join(folder, f"workbook_{rows}.xlsx")
    text = os.path.join(folder, f"workbook_{rows}.csv")
    if not (os.path.exists(book) and os.path.exists(text)):
        subprocess.run([PYTHON, os.path.abspath(__file__), "--write", data, str(rows), folder],
                       check=True)
    return book, text


def write_workbook_and_csv(data, rows, folder):
    """The first `rows` records of the data as an .xlsx (written by XlsxWriter in its default
    mode, which keeps texts in the shared-strings table as Excel does) and as the CSV of the
    same rows."""
    book = os.path.join(folder, f"workbook_{rows}.xlsx")
    text = os.path.join(folder, f"workbook_{rows}.csv")
    workbook = xlsxwriter.Workbook(book)
    sheet = workbook.add_worksheet()
    with open(data, encoding="utf-8") as source, open(text, "w", encoding="utf-8",
                                                      newline="") as out:
        writer = csv.writer(out, delimiter=";")
        for r, line in enumerate(source):
            if r == rows:
                break
            a, b, weight = line.rstrip("\r\n").split(";")
            sheet.write_string(r, 0, a)
            sheet.write_string(r, 1, b)
            sheet.write_number(r, 2, int(weight))
            writer.writerow([a, b, weight])
    workbook.close()


def main():
    if sys.argv[1:2] == ["--write"]:
        write_workbook_and_csv(sys.argv[2], int(sys.argv[3]), sys.argv[4])
        return
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--repeat", type=int, default=3)
    args = parser.parse_args()
    folder = os.path.join(HERE, "data")
    os.makedirs(folder, exist_ok=True)
    data = data_file(1_000_000, 100_000, folder)
    out = os.path.join(folder, "workbook_out.net")
    print(f"Measured on {cpu_model()}, best of {args.repeat}")
    print("| rows | program | seconds | peak MB | time / urdiva-cli .xlsx |")
    print("| ---: | --- | ---: | ---: | ---: |")
    for rows in (300_000, 1_000_000):
        book, text = workbook_and_csv(data, rows, folder)
        commands = {
            "urdiva-cli .xlsx": [args.cli, "-q", "-f", "--value", "3", book, out],
            "urdiva-cli .csv": [args.cli, "-q", "-f", "--value", "3", text, out],
        }
        if rows == 300_000:
            commands["openpyxl read_only, rows only"] = [PYTHON, "-c", OPENPYXL, book]
        best = {name: (float("inf"), 0.0) for name in commands}
        for _ in range(args.repeat):
            for name, command in commands.items():
                seconds, peak, _ = measure(command, 1)
                best[name] = (min(best[name][0], seconds), max(best[name][1], peak))
        ours = best["urdiva-cli .xlsx"][0]
        for name, (seconds, peak) in best.items():
            print(f"| {rows:,} | {name} | {seconds:.2f} | {peak:.0f} | {seconds / ours:.2f} |")


if __name__ == "__main__":
    main()
