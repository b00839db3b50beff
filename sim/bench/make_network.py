#!/usr/bin/env python3
"""Writes a mass-action model file of N species (N a multiple of 4) for the chain benchmark.

Unit i: the enzyme E_i turns S_i into P_i through the complex E_i:S_i; P_i decays and turns into
S_(i+1), so the units form a chain. Usage: make_network.py SPECIES OUT.xml
"""
import sys

ZX = 'xmlns:zx="urn:zymorax:network:1"'


def species(sid, name, amount, klass, extra=""):
    return (f'      <species id="{sid}" name="{name}" compartment="cell" initialAmount="{amount}">\n'
            f'        <annotation><zx:species {ZX} class="{klass}"{extra}</annotation>\n'
            f'      </species>\n')


def reaction(rid, reactant, product, modifier=None, complex_id=None):
    text = f'      <reaction id="{rid}" reversible="false">\n        <annotation>'
    text += f'<zx:reaction {ZX} type="irreversible_conversion">'
    if complex_id:
        text += f'<zx:modifierComplex species="{complex_id}"/>'
    text += '</zx:reaction></annotation>\n'
    text += f'        <listOfReactants><speciesReference species="{reactant}"/></listOfReactants>\n'
    text += f'        <listOfProducts><speciesReference species="{product}"/></listOfProducts>\n'
    if modifier:
        text += ('        <listOfModifiers><modifierSpeciesReference species="'
                 f'{modifier}" sboTerm="SBO:0000460"/></listOfModifiers>\n')
    return text + '      </reaction>\n'


def main():
    count, path = int(sys.argv[1]), sys.argv[2]
    units = count // 4
    body = []
    for i in range(1, units + 1):
        body.append(species(f"S{i}", f"S{i}", 1 if i == 1 else 0.1, "protein", "/>"))
        body.append(species(f"E{i}", f"E{i}", 0.5, "protein", "/>"))
        body.append(species(f"C{i}", f"E{i}:S{i}", 0, "complex",
                            f'><zx:element species="E{i}"/><zx:element species="S{i}"/></zx:species>'))
        body.append(species(f"P{i}", f"P{i}", 0, "protein", ' decomposition="ON"/>'))
    reactions = []
    for i in range(1, units + 1):
        reactions.append(reaction(f"r{i}", f"S{i}", f"P{i}", f"E{i}", f"C{i}"))
        if i < units:
            reactions.append(reaction(f"t{i}", f"P{i}", f"S{i + 1}"))
    with open(path, "w") as out:
        out.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                  '<sbml xmlns="http://www.sbml.org/sbml/level2/version4" level="2" version="4">\n'
                  f'  <model id="chain{count}" name="Enzyme chain of {count} species">\n'
                  '    <listOfCompartments><compartment id="cell" name="cell" size="1"/>'
                  '</listOfCompartments>\n    <listOfSpecies>\n')
        out.write("".join(body))
        out.write('    </listOfSpecies>\n    <listOfReactions>\n')
        out.write("".join(reactions))
        out.write('    </listOfReactions>\n  </model>\n</sbml>\n')


if __name__ == "__main__":
    main()
