#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""The baseline: the same network built from the data file and written as Pajek by a Python
graph library, the way a researcher would script it.

Usage: pajek_python.py igraph|networkx INPUT OUTPUT
"""
import sys


def read_records(path):
    names = {}
    edges = []
    weights = []
    with open(path, encoding="utf-8", newline="") as f:
        for line in f:
            fields = line.rstrip("\r\n").split(";")
            if len(fields) < 2:
                continue
            ends = []
            for name in fields[0], fields[1]:
                number = names.get(name)
                if number is None:
                    number = names[name] = len(names)
                ends.append(number)
            edges.append(tuple(ends))
            weights.append(fields[2])
    return list(names), edges, weights


def with_igraph(source, target):
    import igraph
    names, edges, weights = read_records(source)
    g = igraph.Graph(n=len(names), edges=edges)
    g.vs["id"] = names
    g.es["weight"] = [float(w) for w in weights]
    g.write_pajek(target)


def with_networkx(source, target):
    import networkx
    names, edges, weights = read_records(source)
    g = networkx.MultiGraph()
    g.add_nodes_from(names)
    g.add_edges_from((names[a], names[b], {"weight": float(w)}) for (a, b), w in zip(edges, weights))
    networkx.write_pajek(g, target)


if __name__ == "__main__":
    {"igraph": with_igraph, "networkx": with_networkx}[sys.argv[1]](sys.argv[2], sys.argv[3])
