#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Reads the GraphML, GEXF and CSV networks of urdiva-cli back with python3-networkx,
python3-igraph and Python's csv module, against the network the records give, and checks a
two-mode projection against python3-igraph's bipartite_projection, and the vertex attributes of
other columns against the values computed here (the most frequent, the first seen among as
frequent ones).

Usage: test_network_formats.py PATH_TO_URDIVA_CLI
"""
import collections
import csv
import html.parser
import itertools
import os
import random
import subprocess
import sys
import tempfile
import unittest

import igraph
import networkx

CLI = sys.argv.pop(1) if len(sys.argv) > 1 else "urdiva-cli"

# Names that XML and CSV must carry whole: markup characters, quotes, a comma, a tab, letters
# beyond ASCII and beyond the first plane.
PEOPLE = ["Ana Souza", "João & Maria", "<Bia>", 'Zé "Zezinho"', "O'Neil", "Érica, Lima",
          "Çeci\tRamos", "Lúcia 🙂", "Wang 王"]
PLACES = ["USP", "UFRJ", "Ana Souza", "Fiocruz & Cia"]


def run(folder, rows, fmt, *options):
    data = os.path.join(folder, "dados.csv")
    with open(data, "w", encoding="utf-8", newline="") as f:
        f.write("".join(";".join(r) + "\n" for r in rows))
    out = os.path.join(folder, "rede")
    subprocess.run([CLI, "-q", "-f", "--format", fmt, *options, data, out], check=True,
                   env=dict(os.environ, LC_ALL="C.UTF-8"))
    return out + "." + fmt


def expected_links(rows, two_mode, directed, weight):
    """The links the records give, as a multiset of (end, end, weight); an end is a name, or in
    two mode a (name, mode) pair; the ends of an edge are unordered."""
    links = collections.Counter()
    for a, b, w in rows:
        ends = ((a, 1), (b, 2)) if two_mode else (a, b)
        key = ends if directed else frozenset(ends) if ends[0] != ends[1] else (ends[0],) * 2
        links[(key, weight(w))] += 1
    return links


def link_key(u, v, directed):
    return (u, v) if directed else frozenset((u, v)) if u != v else (u, u)


def cells_of(document):
    """The text of every table cell, row by row, as a browser's parser sees it."""
    class Cells(html.parser.HTMLParser):
        def __init__(self):
            super().__init__()
            self.rows, self.cell = [], None

        def handle_starttag(self, tag, attrs):
            if tag == "tr":
                self.rows.append([])
            elif tag in ("td", "th"):
                self.cell = ""

        def handle_endtag(self, tag):
            if tag in ("td", "th"):
                self.rows[-1].append(self.cell)
                self.cell = None

        def handle_data(self, data):
            if self.cell is not None:
                self.cell += data

    parser = Cells()
    parser.feed(document)
    return parser.rows


class NetworkFormats(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.TemporaryDirectory()
        rnd = random.Random(12)
        self.one_mode = [[rnd.choice(PEOPLE), rnd.choice(PEOPLE), rnd.choice(["1", "2.5", "7"])]
                         for _ in range(60)]
        self.two_mode = [[rnd.choice(PEOPLE), rnd.choice(PLACES), rnd.choice(["1", "x", "a&b"])]
                         for _ in range(60)]

    def tearDown(self):
        self.folder.cleanup()

    def cases(self):
        """(rows, options, two mode, directed, weight as the readers give it)."""
        return [
            (self.one_mode, ["--value", "3"], False, False, float),
            (self.one_mode, ["--directed"], False, True, lambda w: None),
            (self.two_mode, ["--two-mode", "--value", "3", "--directed"], True, True, str),
            (self.two_mode, ["--two-mode"], True, False, lambda w: None),
        ]

    def check(self, got, rows, two_mode, directed, weight):
        self.assertEqual(got, expected_links(rows, two_mode, directed, weight))

    def check_networkx(self, g, rows, two_mode, directed, weight):
        self.assertEqual(g.is_directed(), directed)

        def end(n):
            data = g.nodes[n]
            return (data["label"], data["mode"]) if two_mode else data["label"]
        self.check(collections.Counter(
            (link_key(end(u), end(v), directed), d.get("weight"))
            for u, v, d in g.edges(data=True)), rows, two_mode, directed, weight)

    def test_graphml_by_networkx_and_igraph(self):
        for rows, options, two_mode, directed, weight in self.cases():
            with self.subTest(options=options):
                path = run(self.folder.name, rows, "graphml", *options)
                self.check_networkx(networkx.read_graphml(path), rows, two_mode, directed, weight)

                h = igraph.Graph.Read_GraphML(path)
                self.assertEqual(h.is_directed(), directed)

                def vertex(i):
                    v = h.vs[i]
                    return (v["label"], int(v["mode"])) if two_mode else v["label"]
                weights = h.es["weight"] if "weight" in h.es.attributes() else [None] * h.ecount()
                self.check(collections.Counter(
                    (link_key(vertex(e.source), vertex(e.target), directed), w)
                    for e, w in zip(h.es, weights)), rows, two_mode, directed, weight)

    def test_gexf_by_networkx(self):
        for rows, options, two_mode, directed, weight in self.cases():
            with self.subTest(options=options):
                self.check_networkx(networkx.read_gexf(run(self.folder.name, rows, "gexf", *options)),
                                    rows, two_mode, directed, weight)

    def test_csv_by_the_csv_module(self):
        rows = self.one_mode
        with open(run(self.folder.name, rows, "csv", "--value", "3", "--directed"),
                  encoding="utf-8-sig", newline="") as f:
            table = list(csv.reader(f))
        self.assertEqual(table[0], ["source", "target", "weight"])
        self.check(collections.Counter(((a, b), w) for a, b, w in table[1:]),
                   rows, False, True, str)

    def test_merged_co_authorship(self):
        papers = [["; ".join(random.Random(n).sample(PEOPLE[:5], 1 + n % 4))] for n in range(40)]
        path = run(self.folder.name, papers, "graphml", "-s", "tab", "--cooccur", "1",
                   "--cell-separator", ";", "--merge", "count")
        g = networkx.read_graphml(path)
        expected = collections.Counter()
        for (cell,) in papers:
            names = sorted(set(name.strip() for name in cell.split(";")))
            for i, a in enumerate(names):
                for b in names[i + 1:]:
                    expected[frozenset((a, b))] += 1
        label = networkx.get_node_attributes(g, "label")
        self.assertEqual({frozenset((label[u], label[v])): d["weight"]
                          for u, v, d in g.edges(data=True)},
                         {k: float(n) for k, n in expected.items()})
        self.assertEqual(sorted(label.values()), sorted(set(PEOPLE[:5])))

    def test_projection_as_igraph_projects(self):
        rnd = random.Random(5)
        rows = [[rnd.choice(PEOPLE), rnd.choice(PLACES)] for _ in range(50)]
        for mode, which in (("first", 0), ("second", 1)):
            with self.subTest(mode=mode):
                h = igraph.Graph.Read_GraphML(
                    run(self.folder.name, rows, "graphml", "--two-mode", "--project", mode))
                got = {(frozenset((h.vs[e.source]["label"], h.vs[e.target]["label"])), w)
                       for e, w in zip(h.es, h.es["weight"])}

                people = list(dict.fromkeys(r[0] for r in rows))
                places = list(dict.fromkeys(r[1] for r in rows))
                b = igraph.Graph.Bipartite(
                    [False] * len(people) + [True] * len(places),
                    [(people.index(p), len(people) + places.index(q)) for p, q in rows])
                b.vs["name"] = people + places
                b.simplify()
                projected = b.bipartite_projection(multiplicity=True)[which]
                expected = {(frozenset((projected.vs[e.source]["name"],
                                        projected.vs[e.target]["name"])), float(w))
                            for e, w in zip(projected.es, projected.es["weight"])}
                self.assertEqual(got, expected)
                self.assertEqual(sorted(h.vs["label"]),
                                 sorted(people if which == 0 else places))

    def test_reports_by_the_csv_and_html_readers(self):
        """The CSV and HTML reports read back with Python's csv module and HTML parser: the same
        rows, each name whole (commas, quotation marks, markup), the first name of a pair never
        less frequent than the second."""
        rows = [["Souza, Ana", "x"], ["Souza, Ana", "y"], ["Souza, Anna", "x"],
                ['<b>"Bia"</b> & Cia', "y"], ['<b>"Bia"</b> & Cia.', "x"], ["Rui", "z"]]
        tables = {}
        for fmt in ("csv", "html"):
            run(self.folder.name, rows, "pajek", "--report", "--report-format", fmt,
                "--threshold", "80")
            path = os.path.join(self.folder.name, "Similaridade_rede." + fmt)
            with open(path, encoding="utf-8-sig", newline="") as f:
                text = f.read()
            if fmt == "csv":
                tables[fmt] = list(csv.reader(text.splitlines()))[1:]
            else:
                tables[fmt] = [row[:7] + [row[7].rstrip("%")] for row in cells_of(text)[1:]]
        self.assertEqual(tables["csv"], tables["html"])
        names = {r[0] for r in rows}
        self.assertEqual(len(tables["csv"]), 2)
        for group, _, a, count_a, _, b, count_b, _ in tables["csv"]:
            self.assertIn(a, names)
            self.assertIn(b, names)
            self.assertGreaterEqual(int(count_a), int(count_b))

    def test_extension_follows_the_format(self):
        rows = [["a", "b", "1"]]
        for fmt in ("graphml", "gexf", "csv"):
            self.assertTrue(os.path.exists(run(self.folder.name, rows, fmt)))


def kept_values(rows, end, column):
    """Each vertex's attribute: its most frequent non-empty value, the first seen on a tie."""
    seen = collections.defaultdict(collections.Counter)
    first = {}
    for k, row in enumerate(rows):
        if row[column]:
            seen[row[end]][row[column]] += 1
            first.setdefault((row[end], row[column]), k)
    return {vertex: min(counts, key=lambda v: (-counts[v], first[(vertex, v)]))
            for vertex, counts in seen.items()}


class VertexAttributes(unittest.TestCase):
    def test_attributes_by_networkx_and_the_csv_module(self):
        rng = random.Random(36)
        people = PEOPLE[:8]
        header = ["autor", "coautor", "instituicao", "idade", "ano"]
        records = []
        for _ in range(200):
            a, b = rng.sample(people, 2)
            age = rng.choice(["", str(rng.randint(20, 70)), str(rng.randint(20, 70))])
            records.append([a, b, rng.choice(PLACES + [""]), age, str(rng.randint(2015, 2024))])
        # One person never heads a record: no attribute of the first column.
        records = [r for r in records if r[0] != people[-1]]
        for fmt, read in (("graphml", networkx.read_graphml), ("gexf", networkx.read_gexf)):
            with self.subTest(format=fmt), tempfile.TemporaryDirectory() as folder:
                path = run(folder, [header] + records, fmt, "--header", "1", "--attribute",
                           "instituicao", "--attribute", "4", "--second-attribute", "ano")
                nodes = {data["label"]: data for _, data in read(path).nodes(data=True)}
                self.assertEqual(set(nodes), {r[0] for r in records} | {r[1] for r in records})
                for name, column, end, kind in (("instituicao", 2, 0, str), ("idade", 3, 0, int),
                                                ("ano", 4, 1, int)):
                    wanted = kept_values(records, end, column)
                    got = {label: data[name] for label, data in nodes.items() if name in data}
                    self.assertEqual(got, {k: kind(v) for k, v in wanted.items()}, name)
                    self.assertTrue(all(type(v) is kind for v in got.values()), name)
                self.assertNotIn("instituicao", nodes[people[-1]])
        # The CSV network's vertex table: a row per vertex, a column per attribute.
        with tempfile.TemporaryDirectory() as folder:
            run(folder, [header] + records, "csv", "--header", "1", "--attribute", "instituicao",
                "--attribute", "4", "--second-attribute", "ano")
            with open(os.path.join(folder, "rede_vertices.csv"), encoding="utf-8-sig",
                      newline="") as f:
                table = list(csv.DictReader(f))
        self.assertEqual(list(table[0]), ["Id", "Label", "instituicao", "idade", "ano"])
        self.assertEqual(sorted(r["Id"] for r in table),
                         sorted({r[0] for r in records} | {r[1] for r in records}))
        for name, column, end in (("instituicao", 2, 0), ("idade", 3, 0), ("ano", 4, 1)):
            wanted = kept_values(records, end, column)
            self.assertEqual({r["Id"]: r[name] for r in table if r[name]}, wanted, name)
        # Pajek: a partition per text attribute, a vector per numeric one, and a project of all.
        with tempfile.TemporaryDirectory() as folder:
            run(folder, [header] + records, "pajek", "--no-bom", "--header", "1", "--attribute",
                "instituicao", "--attribute", "4", "--second-attribute", "ano")
            base = os.path.join(folder, "rede")
            names = igraph.Graph.Read_Pajek(base + ".net").vs["id"]

            def objects(extension, name):
                with open(f"{base}_{name}.{extension}", encoding="ascii") as f:
                    lines = f.read().splitlines()
                self.assertEqual(lines[0], f"*Vertices {len(names)}")
                return lines[1:]
            def labelled(values):  # a Pajek label holds no quotation mark
                return {k.replace('"', "'"): v for k, v in values.items()}
            classes = objects("clu", "instituicao")
            with open(base + "_instituicao_legenda.csv", encoding="utf-8-sig", newline="") as f:
                legend = {row["classe"]: row["valor"] for row in csv.DictReader(f)}
            wanted = labelled(kept_values(records, 0, 2))
            self.assertEqual({n: legend[c] for n, c in zip(names, classes) if c != "0"}, wanted)
            self.assertEqual(list(legend.values()), sorted(set(wanted.values())))  # C locale
            for name, column, end in (("idade", 3, 0), ("ano", 4, 1)):
                wanted = labelled(kept_values(records, end, column))
                values = dict(zip(names, objects("vec", name)))
                self.assertEqual({n: v for n, v in values.items() if v != "999999998"}, wanted)
            with open(base + ".net", encoding="utf-8") as f:
                network = f.read()
            with open(base + ".paj", encoding="utf-8") as f:
                project = f.read()
        self.assertEqual(project.split("\n*Partition")[0], "*Network rede\n" + network)
        self.assertEqual([line.split()[0] for line in project.splitlines() if line[:2] in
                          ("*P", "*V")], ["*Vertices", "*Partition", "*Vertices", "*Vector",
                                          "*Vertices", "*Vector", "*Vertices"])

    def test_times_by_networkx_and_in_pajek_lines(self):
        rng = random.Random(361)
        header = ["autor", "coautor", "ano"]
        records = [rng.sample(PEOPLE[:8], 2) + [str(rng.randint(2015, 2024))] for _ in range(200)]
        pairs = collections.Counter((frozenset(r[:2]), int(r[2])) for r in records)
        years = collections.defaultdict(list)
        for a, b, year in records:
            years[a].append(int(year))
            years[b].append(int(year))
        with tempfile.TemporaryDirectory() as folder:
            # GEXF, merged per year: one edge per pair, a spell and a weight per year of its own.
            g = networkx.read_gexf(run(folder, [header] + records, "gexf", "--header", "1",
                                       "--time", "ano", "--merge", "count"))
            self.assertEqual(g.graph["mode"], "dynamic")
            label = networkx.get_node_attributes(g, "label")
            got = collections.Counter()
            for u, v, data in g.edges(data=True):
                self.assertEqual(sorted(s for s, e in data["spells"]),
                                 sorted(w[1] for w in data["weight"]))
                for value, start, end in data["weight"]:
                    self.assertEqual(start, end)
                    got[(frozenset((label[u], label[v])), start)] += int(value)
            self.assertEqual(got, pairs)
            for node, data in g.nodes(data=True):
                self.assertEqual((data["start"], data["end"]),
                                 (min(years[label[node]]), max(years[label[node]])))
            # GraphML: the year of each record's link, as an integer.
            g = networkx.read_graphml(run(folder, [header] + records, "graphml", "--header",
                                          "1", "--time", "ano"))
            label = networkx.get_node_attributes(g, "label")
            self.assertEqual(collections.Counter((frozenset((label[u], label[v])), d["ano"])
                                                 for u, v, d in g.edges(data=True)), pairs)
            # A projection per year: two authors share a second-mode vertex through that year's
            # links, weighted by how many they share.
            g = networkx.read_graphml(run(folder, [header] + records, "graphml", "--header", "1",
                                          "--time", "ano", "--two-mode", "--project", "first"))
            label = networkx.get_node_attributes(g, "label")
            got = {(frozenset((label[u], label[v])), d["ano"]): d["weight"]
                   for u, v, d in g.edges(data=True)}
            members = collections.defaultdict(set)
            for a, b, year in records:
                members[(b, int(year))].add(a)
            wanted = collections.Counter()
            for (_, year), group in members.items():
                for pair in itertools.combinations(sorted(group), 2):
                    wanted[(frozenset(pair), year)] += 1
            self.assertEqual(got, wanted)
            # Pajek: every link line ends with its time.
            net = run(folder, [header] + records, "pajek", "--no-bom", "--header", "1",
                      "--time", "ano")
            with open(net[:-len("pajek")] + "net", encoding="utf-8") as f:
                lines = f.read().splitlines()
        links = lines[lines.index("*Edges") + 1:]
        self.assertEqual(len(links), len(records))
        self.assertTrue(all(line.split()[3:] == ["[%s]" % r[2]] and line.split()[2] == "1"
                            for line, r in zip(links, records)))


if __name__ == "__main__":
    unittest.main(verbosity=1)
