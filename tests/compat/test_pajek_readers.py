#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Reads networks written by urdiva-cli back with python3-igraph and python3-networkx.

Usage: test_pajek_readers.py PATH_TO_URDIVA_CLI
"""
import csv
import os
import random
import subprocess
import sys
import tempfile
import unittest

import igraph
import networkx

CLI = sys.argv.pop(1) if len(sys.argv) > 1 else "urdiva-cli"
BOM = b"\xef\xbb\xbf"
EXAMPLES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "examples")

FIRST = ["Ana Souza", "João Pereira", "Érica Lima", "Zé Carlos", "Maria da Silva",
         "Çeci Ramos", "Luís Gonçalves", "Antônio Brandão", "Bia", "O'Neil"]
SECOND = ["USP", "UFRJ", "Unicamp", "UFMG", "Fiocruz", "Embrapa"]


def convert(folder, rows, *options):
    data = os.path.join(folder, "dados.csv")
    with open(data, "w", encoding="utf-8", newline="") as f:
        f.write("".join(";".join(r) + "\r\n" for r in rows))
    out = os.path.join(folder, "rede.net")
    subprocess.run([CLI, "-q", "-f", *options, data, out], check=True,
                   env=dict(os.environ, LC_ALL="C.UTF-8"))
    with open(out, "rb") as f:
        raw = f.read()
    assert raw.startswith(BOM)
    # Neither reader understands the byte-order mark, so they get the text after it.
    plain = os.path.join(folder, "sem_bom.net")
    with open(plain, "wb") as f:
        f.write(raw[len(BOM):])
    return plain


def run_cli(*arguments):
    subprocess.run([CLI, "-q", "-f", *arguments], check=True,
                   env=dict(os.environ, LC_ALL="C.UTF-8"))


def written(path):
    """The network as the file says it, read without any Pajek reader: vertex names, the size
    of the first mode (None in one mode), directedness and edges as (a, b, weight or None), with
    vertices numbered from 0."""
    with open(path, encoding="utf-8", newline="") as f:
        lines = f.read().split("\r\n")
    assert lines.pop() == ""
    count = lines[0].split()
    n = int(count[1])
    names = []
    for line in lines[1:n + 1]:
        number, label = line.split(" ", 1)
        assert int(number) == len(names) + 1 and label[0] == label[-1] == '"'
        names.append(label[1:-1])
    kind = lines[n + 1]
    edges = []
    for line in lines[n + 2:]:
        parts = line.split(" ", 2)
        edges.append((int(parts[0]) - 1, int(parts[1]) - 1,
                      float(parts[2]) if len(parts) == 3 else None))
    return names, int(count[2]) if len(count) == 3 else None, kind == "*Arcs", edges


class PajekReaders(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        rnd = random.Random(7)
        self.rows = [[rnd.choice(FIRST), rnd.choice(FIRST + SECOND), str(rnd.randint(1, 9))]
                     for _ in range(200)]

    def tearDown(self):
        self.folder.cleanup()

    def first_appearance(self, columns):
        names = []
        for row in self.rows:
            for c in columns:
                if row[c] not in names:
                    names.append(row[c])
        return names

    def test_igraph_one_mode(self):
        path = convert(self.folder.name, self.rows, "--value", "3")
        g = igraph.Graph.Read_Pajek(path)
        self.assertEqual(g.vs["id"], self.first_appearance([0, 1]))
        self.assertEqual(g.ecount(), len(self.rows))
        self.assertFalse(g.is_directed())
        self.assertEqual(g.es["weight"], [float(r[2]) for r in self.rows])
        names = g.vs["id"]
        # igraph stores an undirected edge with its smaller vertex first.
        ends = [{names[e.source], names[e.target]} for e in g.es]
        self.assertEqual(ends, [{r[0], r[1]} for r in self.rows])

    def test_igraph_two_mode_directed(self):
        path = convert(self.folder.name, self.rows, "--two-mode", "--directed")
        g = igraph.Graph.Read_Pajek(path)
        first = self.first_appearance([0])
        second = self.first_appearance([1])
        self.assertEqual(g.vs["id"], first + second)
        self.assertEqual(g.vs["type"], [False] * len(first) + [True] * len(second))
        self.assertTrue(g.is_directed())
        self.assertEqual(g.ecount(), len(self.rows))

    def test_networkx_one_mode(self):
        path = convert(self.folder.name, self.rows, "--sort")
        with open(path, encoding="utf-8") as f:
            g = networkx.parse_pajek(f.read().splitlines())
        self.assertEqual(set(g.nodes()), set(self.first_appearance([0, 1])))
        self.assertEqual(g.number_of_edges(), len(self.rows))


class ReadersTakeEveryFileAsWritten(unittest.TestCase):
    """Files written with --no-bom are read as they are: igraph finds every name, the modes,
    the direction, every edge and weight; networkx, in one mode, the same names, edges and
    weights."""

    # file, separator, first and second column, value column, two-mode, header lines
    EXAMPLES = [("coautoria.csv", ";", 1, 2, 3, False, 1),
                ("rede_semantica.txt", "tab", 1, 2, 3, False, 0),
                ("pessoas_cidades.csv", ",", 2, 3, 1, True, 1),
                ("cursos_anos.txt", "|", 3, 5, 4, True, 0)]
    VARIANTS = [[], ["value"], ["--sort"], ["--case-sensitive"], ["--directed", "value"]]

    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()

    def tearDown(self):
        self.folder.cleanup()

    def check(self, path):
        names, first_mode, directed, edges = written(path)
        g = igraph.Graph.Read_Pajek(path)
        self.assertEqual(g.vs["id"], names)
        self.assertEqual(g.is_directed(), directed)
        if first_mode is not None:
            self.assertEqual(g.vs["type"],
                             [False] * first_mode + [True] * (len(names) - first_mode))
        self.assertEqual(g.ecount(), len(edges))
        weighted = edges and edges[0][2] is not None
        self.assertEqual("weight" in g.es.attributes(), bool(weighted))
        for e, (a, b, w) in zip(g.es, edges):
            self.assertEqual({e.source, e.target} if not directed else (e.source, e.target),
                             {a, b} if not directed else (a, b))
            if weighted:
                self.assertEqual(e["weight"], w)
        if first_mode is None:
            with open(path, encoding="utf-8") as f:
                nx = networkx.parse_pajek(f.read().splitlines())
            self.assertEqual(list(nx.nodes()), names)
            self.assertEqual(nx.number_of_edges(), len(edges))
            if weighted:
                self.assertEqual(sorted(w for _, _, w in nx.edges(data="weight")),
                                 sorted(w for _, _, w in edges))

    def test_examples_in_every_mode(self):
        for name, sep, first, second, value, two_mode, header in self.EXAMPLES:
            for variant in self.VARIANTS:
                with self.subTest(example=name, variant=variant):
                    options = ["--no-bom", "-s", sep, "--first", str(first), "--second",
                               str(second), "--header", str(header)]
                    options += ["--two-mode"] if two_mode else []
                    options += [o for o in variant if o != "value"]
                    options += ["--value", str(value)] if "value" in variant else []
                    out = os.path.join(self.folder.name, "rede.net")
                    run_cli(*options, os.path.join(EXAMPLES, name), out)
                    with open(out, "rb") as f:
                        self.assertFalse(f.read(3) == BOM)
                    self.check(out)

    def test_awkward_names(self):
        names = ['Ana "Bia" Souza', "barra\\invertida", "*estrela", "%por cento",
                 "com\ttab", "x" * 70000, "Ελληνικά", "中文名字", "emoji 😀"]
        data = os.path.join(self.folder.name, "nomes.csv")
        with open(data, "w", encoding="utf-8", newline="") as f:
            f.write("".join(f"{n};Rui;1\n" for n in names))
        for bom in [False, True]:
            with self.subTest(bom=bom):
                out = os.path.join(self.folder.name, "rede.net")
                run_cli(*([] if bom else ["--no-bom"]), "--value", "3", data, out)
                if bom:
                    out = strip_bom(out)
                expected = [n.replace('"', "'") for n in names[:1]] + ["Rui"] + names[1:]
                self.assertEqual(igraph.Graph.Read_Pajek(out).vs["id"], expected)
                self.assertEqual(list(networkx.read_pajek(out).nodes()), expected)
                self.check(out)

    def test_quoted_fields_as_a_csv_reader_sees_them(self):
        rows = [["Silva, J.", "Costa, H.", "3"], ['Lima, "A"', "Multi\nLinha", "4"],
                ["Souza", 'Ana ""Bia""', "5"], ["Rui", "Eva", "6"]]
        data = os.path.join(self.folder.name, "citacoes.csv")
        with open(data, "w", encoding="utf-8", newline="") as f:
            csv.writer(f, quoting=csv.QUOTE_MINIMAL).writerows(rows)
        with open(data, encoding="utf-8", newline="") as f:
            read = list(csv.reader(f))
        expected = []
        for row in read:
            for n in row[:2]:
                label = n.replace('"', "'").replace("\n", " ")
                if label not in expected:
                    expected.append(label)
        out = os.path.join(self.folder.name, "rede.net")
        run_cli("--no-bom", "--quotes", "-s", "comma", "--value", "3", data, out)
        names, _, _, edges = written(out)
        self.assertEqual(names, expected)
        self.assertEqual([w for _, _, w in edges], [float(r[2]) for r in read])
        self.check(out)


def strip_bom(path):
    with open(path, "rb") as f:
        raw = f.read()
    assert raw.startswith(BOM)
    plain = path + ".sem_bom.net"
    with open(plain, "wb") as f:
        f.write(raw[len(BOM):])
    return plain


if __name__ == "__main__":
    unittest.main(verbosity=2)
