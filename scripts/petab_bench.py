#!/usr/bin/python3
"""Runs PEtab problems through kinelaw -> symcode -> kinefit -E and prints one table: problem,
estimated parameters, the published negative log-likelihood at the nominal values (peers' test
suites), the one computed here from the problem's simulatedData table (independently of
kinefit), kinefit's at the nominal values (integrated at rtol 1e-12), kinefit's best from N
starts, the starts that reached the published value (else the simulatedData one) within 1e-3,
and the seconds of the fit.

    scripts/petab_bench.py <Benchmark-Models folder> [--build B] [--starts N] [--jobs J]
                           [--problems A,B,...] [--nominal-only]

A benchmark, not a test: the collection is fetched, not bundled."""
import argparse
import csv
import math
import os
import re
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(HERE)
DEFAULT_PROBLEMS = ("Boehm_JProteomeRes2014,Crauste_CellSystems2017,Fiedler_BMCSystBiol2016,"
                    "Sneyd_PNAS2002,Perelson_Science1996,Rahman_MBS2016,Zhao_QuantBiol2020,"
                    "Fujita_SciSignal2010,Brannmark_JBC2010,Elowitz_Nature2000,"
                    "Borghans_BiophysChem1997,Bruno_JExpBot2016,Zheng_PNAS2012,Weber_BMC2015")


# Negative log-likelihoods at the nominal values as peers' test suites publish them.
PUBLISHED = {
    "Bachmann_MSB2011": -418.40573341425295,
    "Boehm_JProteomeRes2014": 138.22199693517703,
    "Brannmark_JBC2010": 141.889113770537,
    "Bruno_JExpBot2016": -46.688176988431806,
    "Crauste_CellSystems2017": 190.96521897435176,
    "Elowitz_Nature2000": -63.20279991419332,
    "Fiedler_BMCSystBiol2016": -58.58390161681,
    "Fujita_SciSignal2010": -53.08377736998929,
    "Lucarelli_CellSystems2018": 1681.6059879426584,
    "Sneyd_PNAS2002": -319.79177818768756,
    "Weber_BMC2015": 296.2017922646865,
    "Zheng_PNAS2012": -278.33353271001477,
}


def table(path):
    with open(path, newline="") as f:
        return list(csv.DictReader(f, delimiter="\t"))


def yaml_files(path):
    """The file lists of a PEtab YAML file of the collection's shape."""
    files, key = {}, None
    for line in open(path):
        text = line.split(" #")[0].rstrip()
        m = re.match(r"^\s*-?\s*(\w+):\s*(.*)$", text)
        if m:
            key = m.group(1)
            if m.group(2):
                files.setdefault(key, []).append(m.group(2).strip())
        elif text.strip().startswith("- ") and key:
            files.setdefault(key, []).append(text.strip()[2:].strip())
    return files


def formula_value(text, names):
    expression = text.replace("^", "**")
    scope = {"exp": math.exp, "log": math.log, "log10": math.log10, "sqrt": math.sqrt,
             "abs": abs, "__builtins__": {}}
    scope.update(names)
    return eval(expression, scope)  # the collection's own formulas, on numbers only


def reference_nllh(folder, yaml):
    """-log L of the simulatedData table, or None when the noise needs the model's state."""
    files = yaml_files(os.path.join(folder, yaml))
    simulated = [n for n in os.listdir(folder) if n.startswith("simulatedData")]
    if not simulated:
        return None
    nominal = {r["parameterId"]: float(r["nominalValue"])
               for r in table(os.path.join(folder, files["parameter_file"][0]))}
    observables = {}
    for name in files["observable_files"]:
        for row in table(os.path.join(folder, name)):
            observables[row["observableId"]] = row
    total = 0.0
    rows = table(os.path.join(folder, simulated[0]))
    measured = attach_measurements(folder, yaml)
    if len(measured) != len(rows):
        return None
    for row, measurement in zip(rows, measured):
        observable = observables[row["observableId"]]
        if (observable.get("noiseDistribution") or "normal") != "normal":
            return None
        h = float(row["simulation"])
        names = dict(nominal)
        names[row["observableId"]] = h
        # The measurement table's overrides: some simulatedData tables were made with others.
        for n, cell in enumerate((measurement.get("noiseParameters") or "").split(";")):
            if cell:
                names["noiseParameter%d_%s" % (n + 1, row["observableId"])] = (
                    nominal[cell] if cell in nominal else float(cell))
        try:
            sigma = formula_value(observable["noiseFormula"], names)
        except (NameError, KeyError, ValueError, ZeroDivisionError):
            return None
        m = float(measurement["measurement"])
        scale = observable.get("observableTransformation") or "lin"
        t = {"lin": lambda v: v, "log": math.log, "log10": math.log10}[scale]
        r = (t(m) - t(h)) / sigma
        total += 0.5 * math.log(2 * math.pi * sigma * sigma) + 0.5 * r * r
        if scale == "log":
            total += math.log(m)
        elif scale == "log10":
            total += math.log(m * math.log(10))
    return total


def attach_measurements(folder, yaml):
    """simulatedData tables of the collection lack the measurement: join it by row order."""
    files = yaml_files(os.path.join(folder, yaml))
    measured = []
    for name in files["measurement_files"]:
        measured += table(os.path.join(folder, name))
    return measured


def run(command, cwd, timeout=3600):
    return subprocess.run(command, cwd=cwd, capture_output=True, text=True, timeout=timeout)


def problem_row(folder, name, reference, build, starts, jobs, nominal_only):
    bins = os.path.join(build, "bin")
    yaml = name + ".yaml"
    models = [n for n in os.listdir(folder) if n.endswith(".xml")]
    row = {"problem": name, "parameters": "", "nominal": "", "best": "",
           "reached": "", "seconds": "", "note": ""}
    with tempfile.TemporaryDirectory() as work:
        steps = [[os.path.join(bins, "kinelaw"), "-N" + os.path.join(folder, models[0]),
                  "-Dm.dae", "-Iinitial.txt", "-Eevents.txt"],
                 [os.path.join(bins, "symcode"), "-X", "-Dm.dae", "-Pparam.txt", "-Fm.c",
                  "-Ttemp.c", "-Ggh.c", "-Sssys.c", "-Qfpar.c"]]
        for step in steps:
            done = run(step, work)
            if done.returncode != 0:
                row["note"] = (done.stderr or done.stdout).strip().splitlines()[-1][:90]
                return row
        fit = [os.path.join(bins, "kinefit"), "-Cm.c", "-Qfpar.c", "-Pparam.txt",
               "-E" + os.path.join(folder, yaml), "-Otuned.txt", "-K" + os.path.join(SOURCE, "sim"),
               "--initial", "initial.txt", "--events", "events.txt"]
        done = run(fit + ["--nominal", "-R1e-12", "-A1e-14"], work)
        m = re.search(r"nominal values: (\S+)", done.stdout)
        if not m:
            row["note"] = done.stderr.strip().splitlines()[0][:120] if done.stderr else "?"
            return row
        row["nominal"] = float(m.group(1))
        if nominal_only:
            return row
        began = time.time()
        done = run(fit + ["-N%d" % starts, "-j%d" % jobs], work)
        row["seconds"] = "%.1f" % (time.time() - began)
        m = re.search(r"best negative log-likelihood: (\S+)", done.stdout)
        if not m:
            row["note"] = (done.stderr.strip().splitlines() or ["no fit"])[0][:120]
            return row
        row["best"] = float(m.group(1))
        row["parameters"] = re.search(r"(\d+) estimated parameters", done.stdout).group(1)
        target = reference if reference is not None else row["nominal"]
        row["reached"] = "%d/%d" % (reached_count(done.stdout, target), starts)
    return row


def reached_count(report, target):
    """Starts whose -log L lies within 1e-3 of the target (or below it)."""
    count = 0
    for line in report.splitlines():
        fields = line.split()
        if len(fields) >= 5 and fields[0].isdigit() and fields[1] in ("converged", "on", "iteration"):
            value = float(fields[-2])
            count += value <= target + 1e-3
    return count


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("collection")
    parser.add_argument("--build", default=os.path.join(SOURCE, "build"))
    parser.add_argument("--starts", type=int, default=50)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--problems", default=DEFAULT_PROBLEMS)
    parser.add_argument("--nominal-only", action="store_true")
    args = parser.parse_args()
    print("%-32s %4s %16s %16s %16s %16s %7s %7s  %s" % (
        "problem", "pars", "published", "simulatedData", "ours at nominal", "our best",
        "reached", "seconds", "note"))
    for name in args.problems.split(","):
        folder = os.path.join(args.collection, name)
        try:
            reference = reference_nllh(folder, name + ".yaml")
        except (OSError, KeyError, ValueError):
            reference = None
        published = PUBLISHED.get(name)
        target = published if published is not None else reference
        row = problem_row(folder, name, target, args.build, args.starts, args.jobs,
                          args.nominal_only)
        fmt = lambda v: "%.10g" % v if isinstance(v, float) else (v if v is not None else "n/a")
        print("%-32s %4s %16s %16s %16s %16s %7s %7s  %s" % (
            name, row["parameters"], fmt(published), fmt(reference), fmt(row["nominal"]),
            fmt(row["best"]), row["reached"], row["seconds"], row["note"]))
        sys.stdout.flush()


if __name__ == "__main__":
    main()
