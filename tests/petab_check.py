#!/usr/bin/env python3
"""Checks a PEtab problem (format version 1) against the rules that can be checked without a
simulator: the YAML file's keys and the files it names; each table's required columns, its row
lengths, valid and unique ids, the allowed words of its scale, transformation, distribution and
estimate columns, numbers where numbers belong and bounds that fit the scale; and the references
between the tables and the SBML model: measurements name known observables and conditions, the
noise parameters of a measurement match the placeholders of its observable's noise formula,
condition columns are species or constant parameters of the model, and the parameter table
holds every constant parameter of the model that no condition sets, and nothing else.

    petab_check.py problem.yaml      prints one line per fault, or a summary; exit status 0 or 1
"""
import math
import os
import re
import sys
import xml.etree.ElementTree as ElementTree

import yaml

ID = re.compile(r"^[A-Za-z_][A-Za-z0-9_]*$")
SBML = "{http://www.sbml.org/sbml/level3/version2/core}"
faults = []


def number(text):
    try:
        return float(text)
    except ValueError:
        return None


def read_table(path, required, filled):
    """The header and the rows; `required` columns must stand in the header, `filled` ones hold
    a value in every row."""
    with open(path, encoding="utf-8") as handle:
        lines = handle.read().split("\n")
    if lines[-1] == "":
        lines.pop()
    header = lines[0].split("\t")
    for column in required:
        if column not in header:
            faults.append(f"{os.path.basename(path)}: no column {column}")
    rows = []
    for number_of_line, line in enumerate(lines[1:], 2):
        cells = line.split("\t")
        if len(cells) != len(header):
            faults.append(f"{os.path.basename(path)}:{number_of_line}: {len(cells)} cells, the header {len(header)}")
        row = dict(zip(header, cells))
        for column in filled:
            if row.get(column, "") == "":
                faults.append(f"{os.path.basename(path)}:{number_of_line}: {column} is empty")
        rows.append(row)
    return header, rows


def unique_ids(path, rows, column):
    ids = [row.get(column, "") for row in rows]
    for id_ in ids:
        if not ID.match(id_):
            faults.append(f"{path}: {column} '{id_}' is no valid id")
    for id_ in sorted({i for i in ids if ids.count(i) > 1}):
        faults.append(f"{path}: {column} '{id_}' appears twice")
    return set(ids)


def sbml_ids(path):
    """The model's species, its constant parameters, and every id of it."""
    model = ElementTree.parse(path).getroot().find(SBML + "model")
    def ids(element):
        return {e.get("id") for e in model.iter(SBML + element)}
    constant = {e.get("id") for e in model.iter(SBML + "parameter") if e.get("constant") == "true"}
    return ids("species"), constant, ids("parameter") | ids("species") | ids("compartment")


def check_parameters(path, rows):
    for row in rows:
        where = f"{path}: {row.get('parameterId')}"
        if row.get("estimate") not in ("0", "1"):
            faults.append(f"{where}: estimate is '{row.get('estimate')}', not 0 or 1")
        if row.get("parameterScale") not in ("lin", "log", "log10"):
            faults.append(f"{where}: parameterScale '{row.get('parameterScale')}'")
        lower, upper = number(row.get("lowerBound", "")), number(row.get("upperBound", ""))
        nominal = number(row.get("nominalValue", ""))
        if row.get("estimate") == "1":
            if lower is None or upper is None or not lower <= upper:
                faults.append(f"{where}: an estimated parameter needs bounds, lower <= upper")
            elif row.get("parameterScale") != "lin" and lower <= 0:
                faults.append(f"{where}: a log scale needs a lower bound above 0")
        elif nominal is None or not math.isfinite(nominal):
            faults.append(f"{where}: a fixed parameter needs a finite nominalValue")


def check_references(tables, model):
    species, constants, every_id = model
    observables = {row["observableId"]: row for row in tables["observable"][1]}
    conditions = {row["conditionId"] for row in tables["condition"][1]}
    parameters = {row["parameterId"] for row in tables["parameter"][1]}
    set_by_conditions = set(tables["condition"][0]) - {"conditionId", "conditionName"}
    for column in sorted(set_by_conditions - species - constants):
        faults.append(f"condition column {column} is no species or constant parameter")
    for id_ in sorted(parameters & set_by_conditions):
        faults.append(f"{id_} is in the parameter table and set by conditions")
    for id_ in sorted(constants - set_by_conditions - parameters):
        faults.append(f"the model's parameter {id_} is missing from the parameter table")
    for id_ in sorted(parameters - constants):
        faults.append(f"the parameter table's {id_} is no constant parameter of the model")
    for id_ in sorted(set(observables) & every_id):
        faults.append(f"the observable id {id_} is an id of the model")
    for row in observables.values():
        for symbol in re.findall(r"[A-Za-z_][A-Za-z0-9_]*", row["observableFormula"]):
            if symbol not in every_id:
                faults.append(f"observable {row['observableId']} names the unknown {symbol}")
    for line, row in enumerate(tables["measurement"][1], 2):
        where = f"measurements:{line}"
        observable = observables.get(row["observableId"])
        if observable is None:
            faults.append(f"{where}: unknown observable {row['observableId']}")
            continue
        if row["simulationConditionId"] not in conditions:
            faults.append(f"{where}: unknown condition {row['simulationConditionId']}")
        time = number(row["time"])
        if number(row["measurement"]) is None or time is None or time < 0:
            faults.append(f"{where}: measurement and time must be numbers, time at least 0")
        placeholders = set(re.findall(r"noiseParameter\d+_" + row["observableId"] + r"\b",
                                      observable["noiseFormula"]))
        given = [cell for cell in row.get("noiseParameters", "").split(";") if cell != ""]
        if len(given) != len(placeholders):
            faults.append(f"{where}: {len(given)} noise parameters for {len(placeholders)}")
        for cell in given:
            if number(cell) is None and cell not in parameters:
                faults.append(f"{where}: noise parameter {cell} is no number or parameter")


def check(yaml_path):
    folder = os.path.dirname(os.path.abspath(yaml_path))
    with open(yaml_path, encoding="utf-8") as handle:
        problem = yaml.safe_load(handle)
    if problem.get("format_version") != 1 or len(problem.get("problems", [])) != 1:
        faults.append("format_version must be 1, with one problem")
        return
    files = dict(problem["problems"][0], parameter_files=[problem["parameter_file"]])
    required = {"parameter": ["parameterId", "parameterScale", "lowerBound", "upperBound",
                              "nominalValue", "estimate"],
                "observable": ["observableId", "observableFormula", "noiseFormula"],
                "condition": ["conditionId"],
                "measurement": ["observableId", "simulationConditionId", "measurement", "time"]}
    filled = dict(required, parameter=["parameterId", "parameterScale", "estimate"])
    tables = {}
    for kind in list(required) + ["sbml"]:
        paths = [os.path.join(folder, p) for p in files.get(kind + "_files", [])]
        if len(paths) != 1 or not os.path.isfile(paths[0]):
            faults.append(f"{kind}_files must name one file that exists")
            return
        if kind != "sbml":
            tables[kind] = read_table(paths[0], required[kind], filled[kind])
            if kind != "measurement":
                unique_ids(kind, tables[kind][1], kind + "Id")
    check_parameters("parameters", tables["parameter"][1])
    if not faults:
        check_references(tables, sbml_ids(os.path.join(folder, files["sbml_files"][0])))
    return tables


if __name__ == "__main__":
    tables = check(sys.argv[1])
    for fault in faults:
        print(fault)
    if not faults:
        print("PEtab rules hold: " + ", ".join(f"{len(rows)} {kind} rows"
                                               for kind, (_, rows) in tables.items()))
    sys.exit(1 if faults else 0)
