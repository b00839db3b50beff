#!/usr/bin/env python3
"""Runs a folder of SBML models with their own kinetics: kinelaw, symcode -X, kinesim. Not a test.

    scripts/own_kinetics_check.py CORPUS_DIR [--build BUILD] [--jobs 2] [--timeout 120]
                                  [--out OUT] [--steady]

Each model is converted by kinelaw, compiled by symcode -X and simulated by kinesim from t = 0 to
100 (output step 1) with the model's own values. Prints how many models simulate, how many of
those whose SBML holds rate rules and no reactions, and the refusals (kinelaw) and failures
(symcode, kinesim) grouped by their first message with ids and numbers blanked. OUT, when given,
keeps each model's files and a results.tsv (model, rate rules only, outcome, message, seconds).
With --steady, kinesteady analyses each model at its steady state instead of kinesim (initial
values computed by their formulas); the analysed models are counted by whether the steady state
is reached from the initial state and by their stability, the others grouped by kinesteady's
message.
"""
import argparse
import collections
import concurrent.futures
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def run(command, cwd, timeout):
    env = dict(os.environ)
    env.pop("ZYMORAX_SYSLOG", None)
    try:
        result = subprocess.run(command, cwd=cwd, capture_output=True, text=True, env=env,
                                timeout=timeout)
    except subprocess.TimeoutExpired:
        return 1, "timed out after %d s" % timeout
    return result.returncode, (result.stdout + result.stderr).strip()


def first_message(log, last=False):
    notes = ("Lack of '['", "Warning!! in divide_variable", "Above warnings are meaningless")
    lines = [l for l in log.splitlines() if l.strip() and not any(n in l for n in notes)]
    return (lines[-1] if last else lines[0]) if lines else ""


def blank(message):
    message = re.sub(r"^\S+\.xml: ", "", message)
    message = re.sub(r"'[^']*'", "'…'", message)
    message = re.sub(r"\b(event|reaction|species|compartment|rule of|assignment to|value of) "
                     r"(?!is\b)([A-Za-z_]\w*)", r"\1 …", message)
    return re.sub(r"\b[0-9]+(\.[0-9]+)?(e[-+]?[0-9]+)?\b", "…", message)


def rate_rules_only(path):
    with open(path, errors="replace") as f:
        text = f.read()
    return "<rateRule" in text and "<reaction " not in text


def steady_command(bin_dir, work):
    """kinesteady on what symcode wrote, with the S-system and initial formulas where present."""
    command = [os.path.join(bin_dir, "kinesteady"), "-Cmodel.c", "-Pparam.txt", "-Qfpar.c",
               "-Ttemp.c", "-Rreport.txt", "-Osteady.csv"]
    if os.path.exists(os.path.join(work, "gh.c")):
        command += ["-Ggh.c", "-Sssys.c"]
    if os.path.getsize(os.path.join(work, "initial.txt")) > 0:
        command += ["--initial", "initial.txt"]
    return command


def steady_outcome(work):
    """'reached, stable' and the like, from the report."""
    with open(os.path.join(work, "report.txt")) as f:
        report = f.read()
    reached = "reached" if "reached from the initial state: yes" in report else "not reached"
    verdict = re.search(r"^Stability: (\w+)", report, re.M)
    return "%s, %s" % (reached, verdict.group(1) if verdict else "?")


def check(model, build, timeout, out, steady=False):
    name = os.path.basename(model)
    bin_dir = os.path.join(build, "bin")
    work = tempfile.mkdtemp(prefix="own_kinetics_")
    started = time.time()
    steps = [
        ("refused", [os.path.join(bin_dir, "kinelaw"), "-N" + os.path.abspath(model),
                     "-Dmodel.dae", "-Eevents.txt"] + (["-Iinitial.txt"] if steady else [])),
        ("symcode", [os.path.join(bin_dir, "symcode"), "-X", "-Dmodel.dae", "-Pparam.txt",
                     "-Fmodel.c", "-Ttemp.c", "-Ggh.c", "-Sssys.c"] +
                    (["-Qfpar.c"] if steady else [])),
        ("kinesteady" if steady else "kinesim",
         None if steady else [os.path.join(bin_dir, "kinesim"), "-Cmodel.c", "-Pparam.txt",
                              "-T0:100", "-S1", "-Oout.csv", "-Eevents.txt"]),
    ]
    outcome, message = "simulated", ""
    for failure, command in steps:
        rc, log = run(command or steady_command(bin_dir, work), work, timeout)
        if rc != 0:
            # kinelaw's refusal is its last line, after any notes on what it read past
            # kinelaw's refusal is its last line, kinesteady's the one before "Nothing was written."
            lines = [l for l in log.splitlines() if l.strip() and l != "Nothing was written."]
            outcome, message = failure, (lines[-1] if steady and failure == "kinesteady" and lines
                                         else first_message(log, last=failure == "refused"))
            break
    if steady and outcome == "simulated":
        outcome, message = "analysed", steady_outcome(work)
    seconds = time.time() - started
    if out:
        shutil.copytree(work, os.path.join(out, name), dirs_exist_ok=True)
    shutil.rmtree(work, ignore_errors=True)
    return name, rate_rules_only(model), outcome, message, seconds


def summarise_steady(rows):
    analysed = [r for r in rows if r[2] == "analysed"]
    print("%d of %d models analysed at a steady state" % (len(analysed), len(rows)))
    for outcome, count in collections.Counter(r[3] for r in analysed).most_common():
        print("   %4d  %s" % (count, outcome))


def summarise(rows, steady=False):
    if steady:
        summarise_steady(rows)
    total = len(rows)
    simulated = sum(1 for r in rows if r[2] == "simulated")
    rules = [r for r in rows if r[1]]
    rules_ok = sum(1 for r in rules if r[2] == "simulated")
    if not steady:
        print("%d of %d models simulate to t = 100 with their own values (%.1f%%)"
              % (simulated, total, 100.0 * simulated / max(total, 1)))
        print("%d of %d models with rate rules and no reactions simulate" % (rules_ok, len(rules)))
    for outcome in ("refused", "symcode", "kinesim", "kinesteady"):
        chosen = [r for r in rows if r[2] == outcome]
        if not chosen:
            continue
        print("== %s: %d" % (outcome, len(chosen)))
        groups = collections.Counter(blank(r[3]) for r in chosen)
        for message, count in groups.most_common(30):
            example = next(r[0] for r in chosen if blank(r[3]) == message)
            print("   %4d  %s  (%s)" % (count, message, example))
    slowest = max(rows, key=lambda r: r[4]) if rows else None
    if slowest:
        print("slowest: %s, %.1f s" % (slowest[0], slowest[4]))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("corpus")
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--timeout", type=int, default=120)
    parser.add_argument("--out")
    parser.add_argument("--steady", action="store_true")
    args = parser.parse_args()
    models = sorted(os.path.join(args.corpus, f) for f in os.listdir(args.corpus)
                    if f.endswith(".xml"))
    build = os.path.abspath(args.build)
    if args.out:
        os.makedirs(args.out, exist_ok=True)
    with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
        rows = list(pool.map(lambda m: check(m, build, args.timeout, args.out, args.steady),
                             models))
    if args.out:
        with open(os.path.join(args.out, "results.tsv"), "w") as f:
            for r in rows:
                f.write("%s\t%d\t%s\t%s\t%.2f\n" % (r[0], r[1], r[2], r[3].replace("\t", " "), r[4]))
    summarise(rows, args.steady)
    return 0


if __name__ == "__main__":
    sys.exit(main())
