#!/usr/bin/python3
"""Reads networks written by urdiva-cli back with python3-igraph and python3-networkx.

Usage: test_pajek_readers.py PATH_TO_URDIVA_CLI
"""
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


if __name__ == "__main__":
    unittest.main(verbosity=2)
