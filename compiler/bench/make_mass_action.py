#!/usr/bin/env python3
"""Writes a plain-SBML mass-action network for the symcode benchmark (convert it with
rxnconv -mCMA).

    make_mass_action.py SPECIES REACTIONS OUT.xml [SKEW [SEED]]

The network is shaped like a flattened rule-based one: species are drawn with a skewed
(Zipf-like) weight 1/rank^SKEW (default 0.5), so a few of them (free kinases, adaptors, ligands) take part in thousands of
reactions and their equations grow far beyond 65,535 characters, while most species take part in
a few dozen. A reaction is one of
    A + B <=> C       reversible association
    A <=> B           reversible conversion
    A + E -> B + E    conversion catalysed by E, which stays on both sides
with A, B, C distinct. The same arguments always give the same file.
"""
import random
import sys


def species_xml(i, amount):
    return (f'      <species id="s{i}" name="S{i}" compartment="cell" '
            f'initialAmount="{amount}"/>\n')


def reference_list(tag, element, ids):
    refs = "".join(f'<{element} species="s{i}"/>' for i in ids)
    return f"        <{tag}>{refs}</{tag}>\n"


def reaction_xml(rid, reactants, products, reversible):
    flag = "true" if reversible else "false"
    return (f'      <reaction id="r{rid}" reversible="{flag}">\n'
            + reference_list("listOfReactants", "speciesReference", reactants)
            + reference_list("listOfProducts", "speciesReference", products)
            + "      </reaction>\n")


def distinct(draw, count):
    chosen = []
    while len(chosen) < count:
        s = draw()
        if s not in chosen:
            chosen.append(s)
    return chosen


def reactions(species, count, skew, rng):
    weights = [1.0 / (rank ** skew) for rank in range(1, species + 1)]
    order = list(range(1, species + 1))
    rng.shuffle(order)  # the hubs are spread over the species list
    cumulative, total = [], 0.0
    for w in weights:
        total += w
        cumulative.append(total)

    def draw():
        pick = rng.random() * total
        lo, hi = 0, species - 1
        while lo < hi:
            mid = (lo + hi) // 2
            if cumulative[mid] < pick:
                lo = mid + 1
            else:
                hi = mid
        return order[lo]

    for rid in range(1, count + 1):
        kind = rng.random()
        if kind < 0.45:
            a, b, c = distinct(draw, 3)
            yield reaction_xml(rid, [a, b], [c], True)
        elif kind < 0.75:
            a, b = distinct(draw, 2)
            yield reaction_xml(rid, [a], [b], True)
        else:
            a, b, e = distinct(draw, 3)
            yield reaction_xml(rid, [a, e], [b, e], False)


def main():
    if len(sys.argv) not in (4, 5, 6):
        sys.exit(__doc__)
    species, count, path = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    skew = float(sys.argv[4]) if len(sys.argv) > 4 else 0.5
    rng = random.Random(int(sys.argv[5]) if len(sys.argv) > 5 else 1)
    with open(path, "w") as out:
        out.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                  '<sbml xmlns="http://www.sbml.org/sbml/level2/version4" level="2" version="4">\n'
                  f'  <model id="mass_action_{species}" name="Mass action {species}x{count}">\n'
                  '    <listOfCompartments><compartment id="cell" name="cell" size="1"/>'
                  '</listOfCompartments>\n    <listOfSpecies>\n')
        for i in range(1, species + 1):
            out.write(species_xml(i, 1 if i % 7 == 0 else 0.1))
        out.write("    </listOfSpecies>\n    <listOfReactions>\n")
        for text in reactions(species, count, skew, rng):
            out.write(text)
        out.write("    </listOfReactions>\n  </model>\n</sbml>\n")


if __name__ == "__main__":
    main()
