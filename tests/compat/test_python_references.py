#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Holds urdiva-cli to Python's own readings: random quoted CSV files read with --quotes against
the records csv.reader gives, merged sums against exact sums in fractions.Fraction, and the
README's recipes for the bibliographic exports in examples/ against the networks computed here
from csv.reader's reading of each export (the network read back with python3-igraph).

Usage: test_python_references.py PATH_TO_URDIVA_CLI
"""
import argparse
import collections
import csv
import fractions
import io
import itertools
import os
import random
import re
import shlex
import subprocess
import sys
import tempfile
import unittest

CLI = os.path.abspath(sys.argv.pop(1)) if len(sys.argv) > 1 else "urdiva-cli"
ENV = dict(os.environ, LC_ALL="C.UTF-8")


def convert(folder, data, *options):
    """Runs the command line on the bytes; its exit status, standard error and CSV edge list."""
    path = os.path.join(folder, "dados.csv")
    with open(path, "wb") as f:
        f.write(data)
    out = subprocess.run([CLI, "-q", "--no-bom", "--format", "csv", *options, path, "-"],
                         capture_output=True, env=ENV)
    rows = list(csv.reader(io.StringIO(out.stdout.decode("utf-8"), newline="")))
    return out.returncode, out.stderr.decode("utf-8"), rows[1:]


def random_name(rng):
    # Lower case only, so that no two names are one vertex by the case rule.
    alphabet = "abcdeéçã xyz019-=,;\"\n"
    return "".join(rng.choice(alphabet) for _ in range(rng.randint(0, 8)))


def random_file(rng):
    """A CSV file as csv.writer writes it, then spoilt here and there: stray quotation marks in
    unquoted fields, and now and then a quotation mark that never closes."""
    text = io.StringIO(newline="")
    writer = csv.writer(text, lineterminator=rng.choice(["\n", "\r\n"]))
    for _ in range(rng.randint(1, 12)):
        writer.writerow([random_name(rng) for _ in range(rng.randint(2, 4))])
    lines = text.getvalue().split("\n")
    for k, line in enumerate(lines):
        body = line.rstrip("\r")
        if rng.random() < 0.15 and body and not body.startswith('"'):
            at = rng.randint(1, len(body))
            lines[k] = body[:at] + '"' + line[at:]  # 5"11, O"Brien
    if rng.random() < 0.05:
        k = rng.randrange(len(lines))
        lines[k] = '"' + lines[k]
    return "\n".join(lines).encode("utf-8")


class QuotedFiles(unittest.TestCase):
    def test_records_are_those_of_csv_reader_or_a_line_numbered_error(self):
        rng = random.Random(2026)
        compared = 0
        with tempfile.TemporaryDirectory() as folder:
            for n in range(1000):
                data = random_file(rng)
                status, errors, edges = convert(folder, data, "--quotes", "-s", "comma")
                if status != 0:
                    # A quote that never closes, or a record too short for the second column
                    # (as csv.reader reads it too), named with its line.
                    self.assertRegex(errors, r"linha \d+:\n(As aspas abertas na linha \d+ não "
                                     r"fecham|List index out of bounds \(1\))", msg=data)
                    continue
                records = csv.reader(io.StringIO(data.decode("utf-8"), newline=""))
                # Each record links its first two names; a blank one gives no link. A line break
                # inside quotes is read as LF, whatever ended the line.
                expected = [[r[0].replace("\r\n", "\n"), r[1].replace("\r\n", "\n")]
                            for r in records if len(r) >= 2 and r[0] and r[1]]
                self.assertEqual(edges, expected, msg=data)
                compared += 1
        self.assertGreater(compared, 750)


def decimal_text(rng):
    whole = str(rng.randint(0, 10 ** rng.randint(0, 7)))
    fraction = "".join(rng.choice("0123456789") for _ in range(rng.randint(0, 6)))
    sign = rng.choice(["", "", "-", "+"])
    text = sign + whole + ("." + fraction if fraction else "")
    if rng.random() < 0.1:
        text += "e" + str(rng.randint(-3, 3))
    return text


class MergedSums(unittest.TestCase):
    def test_sums_are_exact(self):
        rng = random.Random(7)
        with tempfile.TemporaryDirectory() as folder:
            for comma in (False, True):
                for _ in range(10):
                    rows = []
                    sums = collections.defaultdict(fractions.Fraction)
                    for _ in range(300):
                        a, b = rng.choice("abcde"), rng.choice("vwxyz")
                        w = decimal_text(rng)
                        if comma:
                            w = w.replace(".", ",")
                        sums[(a, b)] += fractions.Fraction(w.replace(",", "."))
                        rows.append(f"{a};{b};{w}\n")
                    options = ["--merge", "sum", "--value", "3", "--directed"]
                    status, errors, edges = convert(folder, "".join(rows).encode(), *options,
                                                    *(["--decimal-comma"] if comma else []))
                    self.assertEqual(status, 0, errors)
                    self.assertEqual({(a, b): fractions.Fraction(w) for a, b, w in edges},
                                     dict(sums))
                    # Written in full, without an exponent or a needless fraction.
                    for _, _, w in edges:
                        self.assertRegex(w, r"^-?\d+(\.\d*[1-9])?$")

    def test_a_hundred_tenths_are_ten(self):
        with tempfile.TemporaryDirectory() as folder:
            status, errors, edges = convert(folder, b"a;b;0,1\n" * 100, "--merge", "sum",
                                            "--value", "3", "--decimal-comma")
            self.assertEqual((status, edges), (0, [["a", "b", "10"]]), errors)


ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


def readme_recipes():
    """The README's commands (continuation lines joined) that convert a bibliographic export."""
    with open(os.path.join(ROOT, "README.md"), encoding="utf-8") as f:
        text = f.read().replace("\\\n", " ")
    return [shlex.split(line)[1:] for line in text.splitlines()
            if line.startswith("    urdiva-cli ") and ("examples/wos_" in line or
                                                       "examples/scopus" in line)]


def reference_network(options):
    """The vertices and the weighted links the recipe asks for, from the export as csv.reader
    reads it: names split at the cell separator and trimmed, each link once per record, weights
    counting records."""
    parser = argparse.ArgumentParser()
    for option in ("--separator", "--header", "--cooccur", "--cell-separator", "--merge",
                   "--first", "--second"):
        parser.add_argument(option)
    parser.add_argument("--quotes", action="store_true")
    parser.add_argument("--two-mode", action="store_true")
    parser.add_argument("input")
    parser.add_argument("output")
    args = parser.parse_args(options)
    with open(os.path.join(ROOT, args.input), "rb") as f:
        raw = f.read()
    text = raw.decode("utf-16" if raw[:2] in (b"\xff\xfe", b"\xfe\xff") else "utf-8-sig")
    rows = list(csv.reader(io.StringIO(text, newline=""),
                           delimiter={"tab": "\t", "comma": ","}[args.separator],
                           quoting=csv.QUOTE_MINIMAL if args.quotes else csv.QUOTE_NONE))
    header, records = rows[: int(args.header)][-1], rows[int(args.header):]

    def names(record, column):
        cell = record[header.index(column)]
        return list(dict.fromkeys(n.strip() for n in cell.split(args.cell_separator) if n.strip()))

    vertices, links = set(), collections.Counter()
    for record in records:
        if args.cooccur:
            listed = names(record, args.cooccur)
            vertices.update(listed)
            links.update(frozenset(p) for p in itertools.combinations(listed, 2))
        else:
            firsts, seconds = names(record, args.first), names(record, args.second)
            vertices.update(firsts + seconds)
            links.update(frozenset(p) for p in itertools.product(firsts, seconds))
    return vertices, dict(links)


class BibliographicExports(unittest.TestCase):
    def test_readme_recipes_give_the_reference_networks(self):
        import igraph

        recipes = readme_recipes()
        self.assertEqual(len(recipes), 4)
        for options in recipes:
            with self.subTest(recipe=" ".join(options)), tempfile.TemporaryDirectory() as folder:
                command = [CLI, "-q", *options[:-2], os.path.join(ROOT, options[-2]), options[-1]]
                out = subprocess.run(command, cwd=folder, capture_output=True, env=ENV)
                self.assertEqual(out.returncode, 0, out.stderr.decode())
                # python3-igraph reads two-mode Pajek files, but not past a byte-order mark.
                with open(os.path.join(folder, options[-1] + ".net"), "rb") as f:
                    data = f.read()
                self.assertTrue(data.startswith(b"\xef\xbb\xbf"))
                plain = os.path.join(folder, "plain.net")
                with open(plain, "wb") as f:
                    f.write(data[3:])
                graph = igraph.Graph.Read_Pajek(plain)
                names = graph.vs["id"]
                links = {frozenset((names[e.source], names[e.target])): e["weight"]
                         for e in graph.es}
                self.assertEqual(graph.ecount(), len(links), "one line per link")
                vertices, wanted = reference_network(options)
                self.assertEqual(set(names), vertices)
                self.assertEqual(len(names), len(vertices))
                self.assertEqual(links, wanted)


if __name__ == "__main__":
    unittest.main()
