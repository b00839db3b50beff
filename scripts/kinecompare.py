#!/usr/bin/env python3
"""kinecompare: which kinetics explain the data. Generates a network's model under each method
pair (and, where the SBML has kinetic laws, its own kinetics through kinelaw), fits each to the
same data with kinefit (the same starts and seed), and ranks them.

    scripts/kinecompare.py --model NET.xml --data DATA.csv [--data DATA2.csv ...] --out DIR
                           [--pairs CMA/CMA,CMA/GMA,...] [--starts N] [--seed N] [--jobs N]
                           [--mpirun "mpirun -n 4"] [--bounds BOUNDS.txt] [--build BUILD]

The data files are kinefit's (docs/calibration.md), their columns the tags rxnconv gives
(S.cyt). Writes DIR/comparison.tsv (formulation, estimated parameters, best negative
log-likelihood, AIC, AICc, BIC, starts that reached the best, seconds, note; by AICc), prints it,
DIR/fits.png (every formulation's best fit against the data) and, per formulation, DIR/<name>/
with its files, report.txt and starts.png (the waterfall of its starts). With --mpirun every
formulation's fit is one program of a single MPI job (mpirun A : B : ...), each with the
processes the command gives (its options repeat for each program), so that formulations and
their starts spread over the job together; the seconds are then the job's. See
docs/comparison.md.
"""
import argparse
import csv
import math
import os
import re
import shlex
import subprocess
import sys
import time
import xml.etree.ElementTree as ElementTree

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(HERE)
PAIRS = ("CMA/CMA,CMA/GMA,CMA/MM,TPP_RAPID/CMA,TPP_RAPID/GMA,TPP_RAPID/MM,"
         "TPP_STEADYSTATE_1/CMA,TPP_STEADYSTATE_1/GMA,TPP_STEADYSTATE_1/MM")
# Default search bounds of a blank value, by the kind its tag begins with; any other kind
# (rate, binding, Michaelis constants) takes DEFAULT_BOUNDS.
KIND_BOUNDS = {"power_coefficient": (0.1, 3.0)}
DEFAULT_BOUNDS = (1e-3, 1e3)
# The model's own kinetics: every positive parameter value, estimated within this factor of it.
OWN_FACTOR = 1e3
OWN_KINETICS = "own kinetics"


class Failure(Exception):
    """A step that did not produce its files: the row's note."""


def run(command, cwd, log):
    """Runs a step; its standard output goes to `log`, and a failure's last message up."""
    with open(os.path.join(cwd, log), "w") as out:
        done = subprocess.run(command, cwd=cwd, stdout=out, stderr=subprocess.PIPE, text=True)
    if done.returncode != 0:
        lines = [l for l in done.stderr.strip().splitlines() if l.strip()] or ["exit %d" % done.returncode]
        raise Failure("%s: %s" % (os.path.basename(command[0]), lines[-1].strip()[:160]))


# --- estimation defaults -------------------------------------------------------------------------

def read_bounds(path):
    """`match lower upper` lines: a match is a tag, label[index], a label or a tag's kind prefix."""
    bounds = {}
    if path is None:
        return bounds
    for number, line in enumerate(open(path), 1):
        fields = line.split("#")[0].split()
        if not fields:
            continue
        try:
            lower, upper = float(fields[1]), float(fields[2])
        except (IndexError, ValueError):
            sys.exit("%s:%d: a line is '<tag, label or kind> <lower> <upper>'" % (path, number))
        if len(fields) != 3 or not 0 < lower < upper or math.isinf(upper):
            sys.exit("%s:%d: the bounds must satisfy 0 < lower < upper (finite)" % (path, number))
        bounds[fields[0]] = (lower, upper)
    return bounds


def bounds_of(label, index, tag, overrides):
    for key in (tag, "%s[%d]" % (label, index), label):
        if key in overrides:
            return overrides[key]
    for kind, pair in overrides.items():
        if tag.startswith(kind):
            return pair
    for kind, pair in KIND_BOUNDS.items():
        if tag.startswith(kind):
            return pair
    return DEFAULT_BOUNDS


def mark_estimated(source, target, choose):
    """Copies a parameter file, marking for estimation the PARAM rows `choose` gives bounds for
    (label, index, value text, tag -> (lower, upper) or None). The number of rows marked."""
    marked = 0
    with open(source) as inp, open(target, "w") as out:
        for line in inp:
            fields = line.rstrip("\n").split(";")
            if fields[0] == "PARAM   " and len(fields) >= 11 and "Not Used!!" not in line:
                tag = fields[10].split("\t")[0].split("#")[0].strip()
                pair = choose(fields[1].strip(), int(fields[2]), fields[3].strip(), tag)
                if pair is not None:
                    fields[6], fields[8], fields[9] = "R", "%.10g" % pair[0], "%.10g" % pair[1]
                    marked += 1
                    line = ";".join(fields) + "\n"
            out.write(line)
    return marked


def generated_choice(overrides):
    """A generated model: every blank value is estimated."""
    def choose(label, index, value, tag):
        return bounds_of(label, index, tag, overrides) if value == "" else None
    return choose


def own_choice(overrides):
    """The model's own kinetics: its parameters (label par) with a positive value."""
    def choose(label, index, value, tag):
        if label != "par" or value == "":
            return None
        given = [key for key in (tag, "%s[%d]" % (label, index)) if key in overrides]
        if given:
            return overrides[given[0]]
        number = float(value)
        return (number / OWN_FACTOR, number * OWN_FACTOR) if number > 0 else None
    return choose


# --- the model's own kinetics: data columns renamed to SBML ids -----------------------------------

def sbml_children(root, name):
    return [e for e in root.iter() if e.tag.split("}")[-1] == name]


def has_kinetic_laws(model):
    return bool(sbml_children(ElementTree.parse(model).getroot(), "kineticLaw"))


def species_of_tags(model):
    """rxnconv's tag <name>.<compartment prefix> -> the SBML species id."""
    root = ElementTree.parse(model).getroot()
    compartments = {c.get("id"): (c.get("id"), c.get("name") or c.get("id"))
                    for c in sbml_children(root, "compartment")}
    found = {}
    for species in sbml_children(root, "species"):
        name = species.get("name") or species.get("id")
        names = compartments.get(species.get("compartment"), ("", ""))
        found[(name, names)] = species.get("id")
    def lookup(tag):
        name, _, prefix = tag.rpartition(".")
        ids = [i for (n, names), i in found.items()
               if n == name and prefix and any(x.startswith(prefix) for x in names)]
        return ids[0] if len(ids) == 1 else None
    return lookup


def rename_data(path, target, lookup):
    """A data file with its tags (columns, sd(...) columns and '# tag = value' lines) as ids."""
    def renamed(tag):
        new = lookup(tag)
        if new is None:
            raise Failure("%s: the column %s names no single species of the SBML" % (path, tag))
        return new
    lines = open(path).read().splitlines()
    out = []
    header_done = False
    for line in lines:
        setting = re.match(r"^#\s*(\S+)\s*=(.*)$", line)
        if setting:
            out.append("# %s =%s" % (renamed(setting.group(1)), setting.group(2)))
        elif not header_done and line.strip() and not line.startswith("#"):
            cells = []
            for cell in line.split(","):
                sd = re.match(r"^sd\((.*)\)$", cell.strip())
                name = cell.strip()
                cells.append(name if name == "time" else
                             "sd(%s)" % renamed(sd.group(1)) if sd else renamed(name))
            out.append(",".join(cells))
            header_done = True
        else:
            out.append(line)
    open(target, "w").write("\n".join(out) + "\n")


# --- one formulation ------------------------------------------------------------------------------

class Formulation:
    def __init__(self, name, folder):
        self.name, self.folder = name, folder
        self.data = []        # the data files as this formulation's tags name them
        self.rename = None    # own kinetics: rxnconv tag -> SBML id
        self.row = {"formulation": name, "parameters": "", "nllh": None, "reached": "",
                    "seconds": "", "note": ""}


def generate(formulation, model, pair, bins):
    gene, metabolic = pair.split("/")
    environment = ["env", "TELUV_HOME=" + os.path.dirname(bins), "XERCES_HOME=" + os.path.dirname(bins)]
    run(environment + [os.path.join(bins, "rxnconv"), "-N" + model, "-Uusage.txt", "-Dmodel.dae",
                       "-g" + gene, "-m" + metabolic], formulation.folder, "rxnconv.log")
    run([os.path.join(bins, "symcode"), "-Dmodel.dae", "-Pgenerated.txt", "-Fmodel.c",
         "-Ttemp.c", "-Ggh.c", "-Sssys.c", "-Qfpar.c"], formulation.folder, "symcode.log")


def generate_own(formulation, model, bins):
    run([os.path.join(bins, "kinelaw"), "-N" + model, "-Dmodel.dae", "-Iinitial.txt",
         "-Eevents.txt"], formulation.folder, "kinelaw.log")
    run([os.path.join(bins, "symcode"), "-X", "-Dmodel.dae", "-Pgenerated.txt", "-Fmodel.c",
         "-Ttemp.c", "-Ggh.c", "-Sssys.c", "-Qfpar.c"], formulation.folder, "symcode.log")


def code_body(folder):
    """The generated code without its header comment: equal for equal formulations."""
    text = open(os.path.join(folder, "model.c")).read()
    return text[text.find("#include"):]


def kinefit_command(formulation, args, bins):
    command = [os.path.join(bins, "kinefit"), "-Cmodel.c", "-Qfpar.c", "-Pestimated.txt",
               "-Otuned.txt", "-N%d" % args.starts, "--seed", str(args.seed),
               "-j%d" % (1 if args.mpirun else args.jobs), "-Wstarts.png",
               "-K" + os.path.join(SOURCE, "sim")]
    command += ["-D" + path for path in formulation.data]
    if os.path.exists(os.path.join(formulation.folder, "initial.txt")):
        command += ["--initial", "initial.txt", "--events", "events.txt"]
    return command


def read_report(formulation):
    """The table's fit columns from kinefit's report; Failure when it holds no finished fit."""
    path = os.path.join(formulation.folder, "report.txt")
    report = open(path).read() if os.path.exists(path) else ""
    head = re.search(r"(\d+) estimated parameters, \d+ experiments, (\d+) measured values", report)
    best = re.search(r"^Best: start \d+, chi2 = \S+, -log L = (\S+)", report, re.M)
    reached = re.search(r"^Starts that reached it: (\d+) of (\d+)", report, re.M)
    if not (head and best and reached):
        raise Failure("kinefit: no finished fit in report.txt (see kinefit.log)")
    formulation.row.update(parameters=int(head.group(1)), values=int(head.group(2)),
                           nllh=float(best.group(1)),
                           reached="%s/%s" % (reached.group(1), reached.group(2)))


def fit(formulation, args, bins):
    began = time.time()
    run(kinefit_command(formulation, args, bins), formulation.folder, "report.txt")
    formulation.row["seconds"] = "%.1f" % (time.time() - began)
    read_report(formulation)


def fit_in_one_job(formulations, args, bins):
    """Every formulation's kinefit as one program of a single MPI job (mpirun A : B : ...), each
    with the processes --mpirun gives, in its own folder: formulations x starts over the job's
    processes. Each program's root writes the report; the job's seconds are every row's."""
    launcher = shlex.split(args.mpirun)
    command = [launcher[0]]
    for number, f in enumerate(formulations):
        for name in ("report.txt", "kinefit.log"):
            if os.path.exists(os.path.join(f.folder, name)):
                os.remove(os.path.join(f.folder, name))
        fit_line = " ".join(shlex.quote(a) for a in kinefit_command(f, args, bins))
        command += ([":"] if number else []) + launcher[1:] + [
            "--wdir", f.folder, "sh", "-c", "exec %s >> report.txt 2>> kinefit.log" % fit_line]
    began = time.time()
    subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
    seconds = "%.1f" % (time.time() - began)
    for f in formulations:
        f.row["seconds"] = seconds
        try:
            read_report(f)
            information_criteria(f.row)
        except Failure as failure:
            f.row["note"] = str(failure)
            f.row["nllh"] = None


def information_criteria(row):
    k, n, nllh = row["parameters"], row["values"], row["nllh"]
    aic = 2 * k + 2 * nllh
    aicc = aic + 2.0 * k * (k + 1) / (n - k - 1) if n - k - 1 > 0 else math.inf
    row.update(aic=aic, aicc=aicc, bic=k * math.log(n) + 2 * nllh)


# --- the figure of every best fit -----------------------------------------------------------------

def read_data(path):
    """(settings {tag: value}, columns, rows of floats or None) of a kinefit data file."""
    settings, header, rows = {}, None, []
    for line in open(path):
        setting = re.match(r"^#\s*(\S+)\s*=\s*(\S+)", line)
        if setting:
            settings[setting.group(1)] = float(setting.group(2))
        elif line.strip() and not line.startswith("#"):
            cells = [c.strip() for c in line.strip().split(",")]
            if header is None:
                header = cells
            else:
                rows.append([float(c) if c not in ("", "NA", "nan") else None for c in cells])
    return settings, header, rows


def set_values(source, target, settings):
    """A parameter file with Y_START and PARAM rows set by tag, as a data file's settings say."""
    with open(source) as inp, open(target, "w") as out:
        for line in inp:
            fields = line.rstrip("\n").split(";")
            kind = fields[0].strip()
            at = {"Y_START": (2, 3), "PARAM": (3, 10)}.get(kind)
            if at and len(fields) > at[1]:
                tag = fields[at[1]].split("\t")[0].split("#")[0].strip()
                if tag in settings:
                    fields[at[0]] = "%.17g" % settings[tag]
                    line = ";".join(fields) + "\n"
            out.write(line)


def simulate_best(formulation, data_files, bins):
    """Per data file, the best fit's course (columns by rxnconv's tags), or None."""
    courses = []
    for k, path in enumerate(formulation.data):
        settings, _, rows = read_data(path)
        end = max(r[0] for r in rows)
        start = "start%d.txt" % k
        set_values(os.path.join(formulation.folder, "tuned.txt"),
                   os.path.join(formulation.folder, start), settings)
        command = [os.path.join(bins, "kinesim"), "-Cmodel.c", "-P" + start,
                   "-T0:%.17g" % end, "-S%.17g" % (end / 200), "-Ocourse%d.csv" % k,
                   "-K" + os.path.join(SOURCE, "sim")]
        if os.path.exists(os.path.join(formulation.folder, "initial.txt")):
            command += ["--initial", "initial.txt", "-Eevents.txt"]
        try:
            run(command, formulation.folder, "kinesim.log")
        except Failure:
            return None
        courses.append(os.path.join(formulation.folder, "course%d.csv" % k))
    return courses


def numbers_only(path, target):
    """The rows of numbers of a CSV file, for gnuplot: no header, no comments, NaN for blanks."""
    _, _, rows = read_data(path)
    with open(target, "w") as out:
        for row in rows:
            out.write(",".join("NaN" if v is None else "%.17g" % v for v in row) + "\n")
    return target


def draw_fits(out, data_files, fitted, bins):
    """One panel per data file and measured tag: the data and every formulation's best fit."""
    curves = [(f, simulate_best(f, data_files, bins)) for f in fitted]
    curves = [(f, c) for f, c in curves if c is not None]
    panels = []
    for k, path in enumerate(data_files):
        _, header, _ = read_data(path)
        panels += [(k, path, tag) for tag in header[1:] if not tag.startswith("sd(")]
    columns = min(3, len(panels)) or 1
    script = ["set terminal pngcairo size %d,%d noenhanced" % (420 * columns,
              60 + 320 * ((len(panels) + columns - 1) // columns)),
              "set output '%s'" % os.path.join(out, "fits.png"), "set datafile separator ','",
              "set multiplot layout %d,%d" % ((len(panels) + columns - 1) // columns, columns),
              "set key top right font ',8'", "set grid", "set xlabel 'time'"]
    for k, path, tag in panels:
        _, header, _ = read_data(path)
        value = header.index(tag) + 1
        sd = "sd(%s)" % tag
        numbers = numbers_only(path, os.path.join(out, "data%d.plot.csv" % k))
        points = ("'%s' using 1:%d:%d with yerrorbars pt 7 ps 0.5 lc 'black' title 'data'"
                  % (numbers, value, header.index(sd) + 1) if sd in header else
                  "'%s' using 1:%d with points pt 7 ps 0.5 lc 'black' title 'data'"
                  % (numbers, value))
        lines = [points]
        for colour, (formulation, courses) in enumerate(curves, 1):
            own = formulation.rename(tag) if formulation.rename else tag
            course_header = open(courses[k]).readline().strip().split(",")
            if own in course_header:
                course = numbers_only(courses[k], courses[k] + ".plot")
                lines.append("'%s' using 1:%d with lines lw 2 lc %d title '%s'" % (
                    course, course_header.index(own) + 1, colour, formulation.name))
        script += ["set title '%s: %s'" % (os.path.basename(path), tag), "plot " + ", ".join(lines)]
    script.append("unset multiplot")
    done = subprocess.run(["gnuplot"], input="\n".join(script) + "\n", text=True,
                          capture_output=True)
    if done.returncode != 0:
        print("fits.png is not drawn: %s" % done.stderr.strip()[:200], file=sys.stderr)


# --- the table ------------------------------------------------------------------------------------

COLUMNS = ["rank", "formulation", "parameters", "nllh", "AIC", "AICc", "BIC", "reached", "seconds",
           "note"]


def table_rows(formulations):
    """Fitted formulations by AICc (ties in the order of the pairs), then the others."""
    fitted = [f.row for f in formulations if f.row["nllh"] is not None]
    fitted.sort(key=lambda r: r["aicc"])
    rows = []
    for rank, r in enumerate(fitted, 1):
        rows.append([str(rank), r["formulation"], str(r["parameters"]), "%.10g" % r["nllh"],
                     "%.10g" % r["aic"], "%.10g" % r["aicc"], "%.10g" % r["bic"], r["reached"],
                     r["seconds"], r["note"]])
    for f in formulations:
        if f.row["nllh"] is None:
            rows.append(["", f.name, "", "", "", "", "", "", "", f.row["note"]])
    return rows


def write_table(out, rows):
    with open(os.path.join(out, "comparison.tsv"), "w") as tsv:
        tsv.write("\t".join(COLUMNS) + "\n")
        for row in rows:
            tsv.write("\t".join(row) + "\n")
    widths = [max(len(c), *(len(r[i]) for r in rows)) if rows else len(c)
              for i, c in enumerate(COLUMNS)]
    for row in [COLUMNS] + rows:
        print("  ".join(cell.ljust(w) for cell, w in zip(row, widths)).rstrip())


# --- the whole comparison -------------------------------------------------------------------------

def folder_name(pair):
    return pair.replace("/", "_")


def prepare(formulation, kind, model, args, bins, overrides, seen):
    """Generates, marks and names the data of one formulation; False when it is a duplicate."""
    os.makedirs(formulation.folder, exist_ok=True)
    if kind == OWN_KINETICS:
        generate_own(formulation, model, bins)
        choose = own_choice(overrides)
        formulation.rename = species_of_tags(model)
        for k, path in enumerate(args.data):
            target = os.path.join(formulation.folder, "data%d.csv" % k)
            rename_data(path, target, formulation.rename)
            formulation.data.append(target)
    else:
        generate(formulation, model, kind, bins)
        choose = generated_choice(overrides)
        formulation.data = list(args.data)
    body = code_body(formulation.folder)
    if body in seen:
        formulation.row["note"] = "the same model as " + seen[body]
        return False
    seen[body] = formulation.name
    if mark_estimated(os.path.join(formulation.folder, "generated.txt"),
                      os.path.join(formulation.folder, "estimated.txt"), choose) == 0:
        raise Failure("no value to estimate")
    return True


def compare(args):
    bins = os.path.join(os.path.abspath(args.build), "bin")
    model = os.path.abspath(args.model)
    args.data = [os.path.abspath(path) for path in args.data]
    overrides = read_bounds(args.bounds)
    os.makedirs(args.out, exist_ok=True)
    kinds = [p.strip() for p in args.pairs.split(",") if p.strip()]
    if has_kinetic_laws(model):
        kinds.append(OWN_KINETICS)
    formulations, seen, ready = [], {}, []
    for kind in kinds:
        f = Formulation(kind, os.path.join(os.path.abspath(args.out),
                                           "own" if kind == OWN_KINETICS else folder_name(kind)))
        formulations.append(f)
        try:
            if prepare(f, kind, model, args, bins, overrides, seen):
                ready.append(f)
                if not args.mpirun:
                    fit(f, args, bins)
                    information_criteria(f.row)
        except Failure as failure:
            f.row["note"] = str(failure)
            f.row["nllh"] = None
    if args.mpirun and ready:
        fit_in_one_job(ready, args, bins)
    write_table(args.out, table_rows(formulations))
    fitted = [f for f in formulations if f.row["nllh"] is not None]
    if fitted:
        draw_fits(os.path.abspath(args.out), args.data, fitted, bins)
    return 0 if fitted else 1


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--model", required=True, help="the network (SBML)")
    parser.add_argument("--data", action="append", required=True, help="a kinefit data file")
    parser.add_argument("--out", required=True, help="folder of the results")
    parser.add_argument("--pairs", default=PAIRS, help="gene/metabolic method pairs")
    parser.add_argument("--starts", type=int, default=10)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--jobs", type=int, default=2, help="kinefit's threads")
    parser.add_argument("--mpirun", default="",
                        help="every kinefit in one MPI job, each with these processes, "
                             "e.g. 'mpirun -n 4'")
    parser.add_argument("--bounds", help="search bounds: '<tag, label or kind> <lower> <upper>'")
    parser.add_argument("--build", default=os.path.join(SOURCE, "build"))
    args = parser.parse_args()
    for path in [args.model] + args.data + ([args.bounds] if args.bounds else []):
        if not os.path.isfile(path):
            sys.exit("kinecompare: cannot open %s" % path)
    return compare(args)


if __name__ == "__main__":
    sys.exit(main())
