#!/usr/bin/python3
# SPDX-License-Identifier: MIT
"""Times the similar-names report on people's names: a first name and one to three surnames
drawn with Zipf's law (the commonest first name about one name in nine, the commonest surname
one in ten) from 4,000 first names and 20,000 surnames, the most common real ones followed by
made-up ones, a fifth of the names typed again with one or two slips (swapped, doubled, dropped
or replaced letters, a capital, accents dropped). The report's time is the run with --report
minus the run without it on the same names, best of --repeat, the two alternating.

At 20,000 and 200,000 names at thresholds 60, 70, 80 and 90 (and 1,000,000 names at 80 and 90
with --million):
the report's seconds, names per second, the pairs listed and the peak memory of the run. With
--baseline OTHER_CLI, also 20,000 names at thresholds 0 to 100 against that program's report,
runs alternating (threshold 0 lists every pair: 200 million lines, about 9 GB of report).

Usage: similar_names.py PATH_TO_URDIVA_CLI [--repeat N] [--million] [--baseline OTHER_CLI]
                        [--names N...] [--thresholds T...]
"""
import argparse
import itertools
import os
import random
import re
import sys
import unicodedata

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from generate_data import FIRST, LAST  # noqa: E402
from run_bench import HERE, cpu_model, measure  # noqa: E402

ONSETS = "b c d f g j l m n p r s t v z br cr dr fr gr pr tr bl cl fl pl ch lh nh qu gu".split()
VOWELS = "a e i o u a e o á é í ó ã ê ô".split()
SURNAME_ENDS = "eira es ão ães inho ares ado ura ira ela ana ez al im ol oso ista aes ota ena".split()
FIRST_ENDS = "a o ia io ana ina elo ela ilde iel ício ília son ane iza ardo".split()


def vocabulary(rnd, count, known, ends):
    words = list(dict.fromkeys(known))
    seen = set(words)
    while len(words) < count:
        syllables = rnd.choice((1, 1, 2, 2, 3))
        word = "".join(rnd.choice(ONSETS) + rnd.choice(VOWELS) for _ in range(syllables))
        word = (word + rnd.choice(ends)).capitalize()
        if word not in seen:
            seen.add(word)
            words.append(word)
    return words


def slip(rnd, name):
    for _ in range(rnd.choice((1, 1, 2))):
        at = rnd.randrange(len(name) - 1)
        kind = rnd.randrange(6)
        if kind == 0:
            name = name[:at] + name[at + 1] + name[at] + name[at + 2:]
        elif kind == 1:
            name = name[:at] + name[at] + name[at:]
        elif kind == 2:
            name = name[:at] + name[at + 1:]
        elif kind == 3:
            name = name[:at] + name[at].upper() + name[at + 1:]
        elif kind == 4:
            name = "".join(c for c in unicodedata.normalize("NFD", name)
                           if not unicodedata.combining(c))
        else:
            name = name[:at] + rnd.choice("aeiorstnlm") + name[at + 1:]
    return name


def names_file(count, folder):
    path = os.path.join(folder, f"names_{count}.csv")
    if os.path.exists(path):
        return path
    rnd = random.Random(37)
    first = vocabulary(rnd, 4000, FIRST, FIRST_ENDS)
    last = vocabulary(rnd, 20000, LAST, SURNAME_ENDS)
    first_weights = list(itertools.accumulate(1 / (k + 1) for k in range(len(first))))
    last_weights = list(itertools.accumulate(1 / (k + 1) for k in range(len(last))))
    people, seen, names = [], set(), []
    while len(names) < count:
        if people and rnd.random() < 0.2:
            name = slip(rnd, rnd.choice(people))
        else:
            surnames = rnd.choices(last, cum_weights=last_weights, k=rnd.choice((1, 2, 2, 3)))
            name = " ".join(rnd.choices(first, cum_weights=first_weights) + surnames)
            people.append(name)
        if name not in seen:
            seen.add(name)
            names.append(name)
    with open(path, "w", encoding="utf-8", newline="") as f:
        f.writelines(name + ";x\r\n" for name in names)
    return path


def listed(out):
    with open(os.path.join(os.path.dirname(out), "Similaridade_" + os.path.basename(out) + ".rtf"),
              "rb") as f:
        f.seek(max(0, os.path.getsize(f.name) - 400))
        found = re.search(rb"Foram encontrados (\d+)", f.read())
    return int(found.group(1)) if found else 0


def report_time(cli, data, out, threshold, repeat, plain):
    """The best time with the report minus the plain run's, the peak memory, the pairs listed."""
    seconds, peak, _ = measure([cli, "-q", "-f", "--report", "--threshold", str(threshold),
                                data, out], repeat)
    return seconds - plain, peak, listed(out)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("cli")
    parser.add_argument("--repeat", type=int, default=2)
    parser.add_argument("--million", action="store_true")
    parser.add_argument("--baseline")
    parser.add_argument("--names", type=int, nargs="+", help="only these counts of names")
    parser.add_argument("--thresholds", type=int, nargs="+", help="only these thresholds")
    args = parser.parse_args()
    folder = os.path.join(HERE, "data")
    os.makedirs(folder, exist_ok=True)
    out = os.path.join(folder, "similar")
    print(f"{cpu_model()}, {os.cpu_count()} cores\n")
    print("| names | threshold | report s | names/s | pairs listed | peak MB |")
    print("| ---: | ---: | ---: | ---: | ---: | ---: |")
    for count in args.names or (20_000, 200_000) + ((1_000_000,) if args.million else ()):
        data = names_file(count, folder)
        repeat = 1 if count >= 1_000_000 else args.repeat
        plain = measure([args.cli, "-q", "-f", data, out], repeat)[0]
        # At 1,000,000 names and thresholds below 80 the pieces are too short to pay, and every
        # pair is compared: an hour.
        for threshold in args.thresholds or ((60, 70, 80, 90) if count < 1_000_000 else (80, 90)):
            seconds, peak, pairs = report_time(args.cli, data, out, threshold, repeat, plain)
            print(f"| {count:,} | {threshold} | {seconds:.2f} | {count / max(seconds, 1e-3):,.0f} "
                  f"| {pairs:,} | {peak:.0f} |", flush=True)
    if args.baseline:
        data = names_file(20_000, folder)
        plain = measure([args.cli, "-q", "-f", data, out], args.repeat)[0]
        print("\n| 20,000 names, threshold | report s | baseline's report s | time / baseline |")
        print("| ---: | ---: | ---: | ---: |")
        for threshold in args.thresholds or range(0, 101, 10):
            ours, theirs = float("inf"), float("inf")
            for _ in range(args.repeat):  # alternating, so that a slow spell falls on both
                for cli in (args.cli, args.baseline):
                    seconds = measure([cli, "-q", "-f", "--report", "--threshold",
                                       str(threshold), data, out], 1)[0] - plain
                    if cli == args.cli:
                        ours = min(ours, seconds)
                    else:
                        theirs = min(theirs, seconds)
            print(f"| {threshold} | {ours:.2f} | {theirs:.2f} | {ours / theirs:.3f} |",
                  flush=True)
    os.remove(os.path.join(folder, "Similaridade_similar.rtf"))


if __name__ == "__main__":
    main()
