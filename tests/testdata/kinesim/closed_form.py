#!/usr/bin/env python3
"""Compares columns of a kinesim CSV with closed forms in t.

closed_form.py <out.csv> <relative tolerance> <column>=<python expression in t> ...

Prints one line per column: the largest relative difference, and whether it is within the
tolerance; the exit status is 1 when a column is not."""
import csv
import math
import sys


def main():
    path, tolerance = sys.argv[1], float(sys.argv[2])
    forms = [argument.split("=", 1) for argument in sys.argv[3:]]
    with open(path, newline="") as handle:
        rows = list(csv.DictReader(handle))
    names = {name: getattr(math, name) for name in dir(math) if not name.startswith("_")}
    failed = False
    for column, expression in forms:
        worst = 0.0
        for row in rows:
            t = float(row["time"])
            expected = eval(expression, dict(names, t=t))
            worst = max(worst, abs(float(row[column]) - expected) / max(abs(expected), 1e-12))
        within = worst <= tolerance
        failed |= not within
        print(f"{column}: {'within' if within else 'NOT within'} {tolerance:g} of the closed form"
              f" at {len(rows)} times")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
