#!/usr/bin/env python3
"""Writes a combinatorial receptor-signalling network of mass-action reactions as plain SBML, for
the chain benchmark (rxnconv -mCMA reads it: every reaction is a reversible or irreversible
conversion).

A receptor has three sites, each with its own states:
  Y1: 0, L (Lyn associated), P (phosphorylated), PL (phosphorylated with Lyn bound)
  Y2: 0, P, PS (Syk bound), PSp (bound Syk phosphorylated)
  Y3: 0, P, PG (the adaptor Grb bound)
Every combination is a receptor species (48), and every unordered pair of them a
ligand-crosslinked dimer (1,176); Lyn, Syk and Grb are free as well. Each site changes state
alone (basal phosphorylation, dephosphorylation, binding and release of Lyn, Syk or Grb,
dephosphorylation of a bound site releasing its partner, Syk phosphorylation) in monomers and in
dimers alike. The kinases a receptor holds (associated or bound Lyn, bound Syk) phosphorylate the
free sites and the bound Syk of their own receptor and of its partner in a dimer, and the
phosphatase that bound Grb recruits dephosphorylates them: a reaction per enzyme. Two receptors
join into a dimer and part again.

This gives 1,227 species and 16,562 reactions, 20,874 one-way. --extra-site adds a fourth site
with the states 0 and P (phosphorylated by the kinases like the others), for a network larger
than the largest published receptor networks. --kinetic-laws K writes each reaction's mass-action
law with one rate constant k = K for every direction (what rxnconv -gCMA -mCMA gives when every
kx is K), for kinelaw.
Usage: make_bcr_network.py [--extra-site] [--kinetic-laws K] OUT.xml
"""
import itertools
import sys

SITES = [["0", "L", "P", "PL"], ["0", "P", "PS", "PSp"], ["0", "P", "PG"]]
PARTNER = {"PL": "Lyn", "PS": "Syk", "PG": "Grb"}  # the free molecule a bound state took up


def site_steps(site, state):
    """(new state, partner taken up or None, partner released or None, reversible) for one
    site of one receptor."""
    steps = []
    if state == "0":
        steps.append(("P", None, None, False))  # basal phosphorylation
        if site == 0:
            steps.append(("L", "Lyn", None, True))  # Lyn's weak constitutive association
    if state == "L":
        steps.append(("PL", None, None, False))  # the associated Lyn phosphorylates its site
    if state == "P":
        steps.append(("0", None, None, False))  # dephosphorylation
        for bound, partner in PARTNER.items():
            if bound in SITES[site]:
                steps.append((bound, partner, None, True))
    if state in PARTNER:
        steps.append(("0", None, PARTNER[state], False))  # dephosphorylated, the partner leaves
    if state == "PS":
        steps.append(("PSp", None, None, True))
    return steps


def monomer_steps(receptor):
    """(new receptor, taken, released, reversible, kind): the sites' own steps, then the
    changes by the enzymes the receptor itself holds (kind names the enzyme)."""
    for site, state in enumerate(receptor):
        for new, taken, released, reversible in site_steps(site, state):
            changed = receptor[:site] + (new,) + receptor[site + 1:]
            yield changed, taken, released, reversible, ""
    for changed, enzyme in trans_steps(receptor, receptor):
        yield changed, None, None, False, "cis " + enzyme


def trans_steps(enzyme, target):
    """Changes of `target` by what is bound to its partner `enzyme` in a dimer, each a reaction
    with a rate of its own: the kinases (associated or bound Lyn, bound Syk)
    phosphorylate free sites and bound Syk; the phosphatase that bound Grb recruits removes
    phosphates from sites that bind nothing."""
    for kinase in ("L", "PL", "PS", "PSp"):
        if kinase not in enzyme:
            continue
        for site, state in enumerate(target):
            if state == "0":
                yield target[:site] + ("P",) + target[site + 1:], kinase
        if target[1] == "PS":
            yield target[:1] + ("PSp",) + target[2:], kinase
    if "PG" in enzyme:
        for site, state in enumerate(target):
            if state == "P":
                yield target[:site] + ("0",) + target[site + 1:], "PG"


class Network:
    def __init__(self):
        self.receptors = list(itertools.product(*SITES))
        self.index = {r: i for i, r in enumerate(self.receptors)}
        self.reactions = {}  # (reactants, products) -> reversible

    def monomer(self, r):
        return "R%d" % self.index[r]

    def dimer(self, a, b):
        i, j = sorted((self.index[a], self.index[b]))
        return "D%d_%d" % (i, j)

    def add(self, reactants, products, reversible, kind=""):
        key = (tuple(sorted(reactants)), tuple(sorted(products)), kind)
        back = (key[1], key[0], kind)
        if key not in self.reactions and not (reversible and back in self.reactions):
            self.reactions[key] = reversible

    def build(self):
        for r in self.receptors:
            for new, taken, released, reversible, kind in monomer_steps(r):
                self.add([self.monomer(r)] + ([taken] if taken else []),
                         [self.monomer(new)] + ([released] if released else []), reversible,
                         kind)
        for a, b in itertools.combinations_with_replacement(self.receptors, 2):
            d = self.dimer(a, b)
            self.add([self.monomer(a), self.monomer(b)], [d], True)
            for first, second in ((a, b), (b, a)):
                for new, taken, released, reversible, kind in monomer_steps(first):
                    self.add([d] + ([taken] if taken else []),
                             [self.dimer(new, second)] + ([released] if released else []),
                             reversible, kind)
                for new, enzyme in trans_steps(second, first):
                    self.add([d], [self.dimer(new, second)], False, enzyme)

    def species(self):
        names = ["Lyn", "Syk", "Grb"] + [self.monomer(r) for r in self.receptors]
        names += [self.dimer(a, b)
                  for a, b in itertools.combinations_with_replacement(self.receptors, 2)]
        return names


def species_xml(name, amount):
    return (f'      <species id="{name}" name="{name}" compartment="cell" '
            f'initialAmount="{amount}"/>\n')


def reference(names):
    counts = {}
    for name in names:
        counts[name] = counts.get(name, 0) + 1
    return "".join(f'<speciesReference species="{n}" stoichiometry="{c}"/>'
                   for n, c in counts.items())


def mass_action(names):
    """k times each reactant, as often as its stoichiometry."""
    return "<apply><times/><ci>k</ci>" + "".join(f"<ci>{n}</ci>" for n in names) + "</apply>"


def kinetic_law(reactants, products, reversible):
    rate = mass_action(reactants)
    if reversible:
        rate = f"<apply><minus/>{rate}{mass_action(products)}</apply>"
    return ('<kineticLaw><math xmlns="http://www.w3.org/1998/Math/MathML">'
            f"{rate}</math></kineticLaw>")


def write(network, path, rate_constant=None):
    starts = {"Lyn": 10, "Syk": 10, "Grb": 10, "R0": 100}
    with open(path, "w") as out:
        out.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                  '<sbml xmlns="http://www.sbml.org/sbml/level2/version4" level="2" version="4">\n'
                  '  <model id="receptor_network" name="Combinatorial receptor network">\n'
                  '    <listOfCompartments><compartment id="cell" name="cell" size="1"/>'
                  '</listOfCompartments>\n    <listOfSpecies>\n')
        for name in network.species():
            out.write(species_xml(name, starts.get(name, 0)))
        out.write('    </listOfSpecies>\n')
        if rate_constant is not None:
            out.write(f'    <listOfParameters><parameter id="k" value="{rate_constant}"/>'
                      '</listOfParameters>\n')
        out.write('    <listOfReactions>\n')
        for k, ((reactants, products, _), reversible) in enumerate(network.reactions.items()):
            out.write(f'      <reaction id="r{k + 1}" reversible="{str(reversible).lower()}">'
                      f'<listOfReactants>{reference(reactants)}</listOfReactants>'
                      f'<listOfProducts>{reference(products)}</listOfProducts>'
                      + (kinetic_law(reactants, products, reversible) if rate_constant else "")
                      + '</reaction>\n')
        out.write('    </listOfReactions>\n  </model>\n</sbml>\n')


def main():
    rate_constant = None
    if sys.argv[1] == "--extra-site":
        SITES.append(["0", "P"])
        del sys.argv[1]
    if sys.argv[1] == "--kinetic-laws":
        rate_constant = sys.argv[2]
        del sys.argv[1:3]
    network = Network()
    network.build()
    write(network, sys.argv[1], rate_constant)
    one_way = sum(2 if reversible else 1 for reversible in network.reactions.values())
    print(f"{len(network.species())} species, {len(network.reactions)} reactions "
          f"({one_way} one-way)", file=sys.stderr)


if __name__ == "__main__":
    main()
