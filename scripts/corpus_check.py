#!/usr/bin/env python3
"""Runs a folder of SBML models through the chain and counts what comes out. Not a test.

    scripts/corpus_check.py CORPUS_DIR [--build BUILD] [--out OUT] [--jobs 2] [--timeout 120]
                            [--resume]
    scripts/corpus_check.py --compare BEFORE_OUT AFTER_OUT

Every model goes through rxnconv under four method pairs, and each DAE file through symcode (C)
and the system compiler against sim/kine.h (cc -fsyntax-only: every check of the compiler's front
end, without generating code, which for the largest models would take gigabytes). Code that
compiles is simulated by kinesim to t = 100 with its blank values filled (kinetic orders f
uniform in [0.5, 1.5], every other value log-uniform in [0.1, 10], the same for a model and pair
at every check). It prints how many models convert under at least one pair into C that compiles
and runs, how many conversions exit 0 with a DAE file without variables, and the refusals and
failed runs grouped by their first message (numbers and quoted names blanked out). OUT keeps every run's files, an outcome file per run and a
results.tsv; --resume keeps the runs of an earlier, interrupted check. --compare checks that the
DAE and usage files of every conversion that gave code in BEFORE are byte-identical in AFTER.
"""
import argparse
import collections
import concurrent.futures
import os
import random
import re
import shutil
import subprocess
import sys

PAIRS = [("-gCMA", "-mCMA"), ("-gCMA", "-mGMA"), ("-gTPP_RAPID", "-mMM"),
         ("-gTPP_STEADYSTATE_1", "-mGMA")]
ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FIELDS = ["model", "pair", "outcome", "message", "simulation", "simulation_message"]
SPAN, STEP = "-T0:100", "-S1"


def pair_name(pair):
    return (pair[0][2:] + "_" + pair[1][2:]).replace("TPP_STEADYSTATE_1", "TPP1")


def run(args, cwd, env, timeout):
    """Exit status of the command, or None when it ran out of time."""
    try:
        done = subprocess.run(args, cwd=cwd, env=env, stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, timeout=timeout)
    except subprocess.TimeoutExpired:
        return None, b""
    return done.returncode, done.stderr


def first_message(path):
    """The innermost failure: the first log line that is not a pass line."""
    if not os.path.exists(path):
        return ""
    with open(path, "rb") as handle:
        for line in handle.read().decode("latin-1").splitlines():
            if line.strip() and not line.startswith("## Pass"):
                return line.strip()
    return ""


def blank_details(message):
    message = re.sub(r"parseXML: \S+?: ", "parseXML: <file>: ", message)
    message = re.sub(r"'[^']*'", "'_'", message)
    message = re.sub(r"(variable \d+) \([^)]*\)", r"\1 (_)", message)
    return re.sub(r"\d+(\.\d+)?", "N", message)


def dae_variables(path):
    """Number of variable lines (x[...] or y[...]) in the DAE file's variable section."""
    count, inside = 0, False
    with open(path, "rb") as handle:
        for line in handle.read().decode("latin-1").splitlines():
            if line.startswith("== "):
                inside = line.startswith("== Variables")
            elif inside and re.match(r"[xy]\[", line):
                count += 1
    return count


def convert(model, pair, work, build, timeout):
    """One model under one method pair: (outcome, message)."""
    os.makedirs(work, exist_ok=True)
    env = dict(os.environ, TELUV_HOME=build, XERCES_HOME=build, LC_ALL="C",
               ZYMORAX_SYSLOG=os.path.join(work, "rxnconv.log"))
    env.pop("ZYMORAX_DBGLOG", None)
    status, _ = run([os.path.join(build, "bin", "rxnconv"), "-N" + model, "-Uusage.txt",
                     "-Dmodel.dae", pair[0], pair[1]], work, env, timeout)
    if status is None:
        return "rxnconv-timeout", ""
    if status != 0:
        return "rxnconv-refused", first_message(env["ZYMORAX_SYSLOG"])
    variables = dae_variables(os.path.join(work, "model.dae"))
    if variables == 0:
        return "empty-dae", ""
    env["ZYMORAX_SYSLOG"] = os.path.join(work, "symcode.log")
    status, _ = run([os.path.join(build, "bin", "symcode"), "-Dmodel.dae", "-Pparam.txt",
                     "-Fmodel.c", "-Tflux.c", "-Ggh.c", "-Sssys.c"], work, env, timeout)
    if status != 0:
        outcome = "symcode-timeout" if status is None else "symcode-refused"
        return outcome, first_message(env["ZYMORAX_SYSLOG"])
    status, errors = run(["cc", "-fsyntax-only", "-I" + os.path.join(ROOT, "sim"),
                          "-DMAX_VAR_NUM=%d" % (variables + 1), "model.c"], work, env, timeout)
    for name in ("gh.c", "ssys.c", "flux.c"):
        if os.path.exists(os.path.join(work, name)):
            os.remove(os.path.join(work, name))
    if status != 0:
        lines = errors.decode("latin-1").splitlines()
        return "cc-failed", next((l for l in lines if "error" in l), "")
    return "code", ""


def fill_blanks(path, filled, seed):
    """The parameter file with every blank PARAM value filled; the same for the same seed."""
    draw = random.Random(seed)
    lines = []
    with open(path, encoding="latin-1") as handle:
        for line in handle:
            fields = line.split(";")
            if line.startswith("PARAM") and len(fields) > 4 and not fields[3].strip():
                name = fields[1].strip()
                value = draw.uniform(0.5, 1.5) if name == "f" else 10 ** draw.uniform(-1, 1)
                fields[3] = " %.6g" % value
            lines.append(";".join(fields))
    with open(filled, "w", encoding="latin-1") as handle:
        handle.write("".join(lines))


def simulate(work, build, timeout, seed):
    """kinesim on the conversion's code with filled values: (outcome, message)."""
    fill_blanks(os.path.join(work, "param.txt"), os.path.join(work, "filled.txt"), seed)
    env = dict(os.environ, LC_ALL="C", ZYMORAX_SYSLOG=os.path.join(work, "kinesim.log"))
    status, _ = run([os.path.join(build, "bin", "kinesim"), "-Cmodel.c", "-Pfilled.txt", SPAN,
                     STEP, "-Oout.csv"], work, env, timeout)
    if status is None:
        return "sim-timeout", ""
    if status != 0:
        return "sim-failed", first_message(env["ZYMORAX_SYSLOG"])
    return "runs", ""


def check_model(model, out, build, timeout):
    name = os.path.splitext(os.path.basename(model))[0]
    rows = []
    for pair in PAIRS:
        work = os.path.join(out, name, pair_name(pair))
        done = os.path.join(work, "outcome")
        if os.path.exists(done):
            with open(done, encoding="utf-8") as handle:
                rows.append(tuple(handle.read().rstrip("\n").split("\t")))
            continue
        shutil.rmtree(work, ignore_errors=True)
        outcome, message = convert(model, pair, work, build, timeout)
        for leftover in os.listdir(work):
            if leftover.endswith(".tmp"):
                os.remove(os.path.join(work, leftover))
        simulation, simulation_message = "", ""
        if outcome == "code":
            simulation, simulation_message = simulate(work, build, timeout,
                                                      name + pair_name(pair))
        rows.append((name, pair_name(pair), outcome, message.replace("\t", " "), simulation,
                     simulation_message.replace("\t", " ")))
        with open(done, "w", encoding="utf-8") as handle:
            handle.write("\t".join(rows[-1]) + "\n")
    return rows


def summarise(rows):
    models = sorted({row[0] for row in rows})
    with_code = {row[0] for row in rows if row[2] == "code"}
    empty = [row for row in rows if row[2] == "empty-dae"]
    print("models: %d" % len(models))
    print("models converting under at least one pair into C that compiles: %d (%.1f%%)"
          % (len(with_code), 100.0 * len(with_code) / max(len(models), 1)))
    running = {row[0] for row in rows if row[4:5] == ("runs",)}
    print("models converting under at least one pair into C that compiles and runs: %d (%.1f%%)"
          % (len(running), 100.0 * len(running) / max(len(models), 1)))
    print("conversions exiting 0 with a DAE file without variables: %d" % len(empty))
    outcomes = collections.Counter(row[2] for row in rows)
    print("conversions by outcome: " + ", ".join("%s %d" % item for item in sorted(outcomes.items())))
    for pair in PAIRS:
        code = [row for row in rows if row[1] == pair_name(pair) and row[2] == "code"]
        runs = sum(1 for row in code if row[4:5] == ("runs",))
        print("  %-22s code for %d models, of which %d run to t = 100" % (pair_name(pair),
                                                                       len(code), runs))
    print("\nfailed runs, by first message (runs, models):")
    failed = [(row[0], row[4] + ": " + blank_details(row[5])) for row in rows
              if row[2] == "code" and row[4:5] != ("runs",)]
    for key, count in collections.Counter(key for _, key in failed).most_common():
        names = sorted({name for name, k in failed if k == key})
        print("%5d %4d  %s   [%s]" % (count, len(names), key, ", ".join(names[:3])))
    print("\nrefusals of models without code under any pair, by first message "
          "(conversions, models):")
    groups = collections.defaultdict(set)
    counts = collections.Counter()
    for row in rows:
        if row[0] in with_code or row[2] == "code":
            continue
        key = row[2] + ": " + blank_details(row[3])
        groups[key].add(row[0])
        counts[key] += 1
    for key, count in counts.most_common():
        examples = ", ".join(sorted(groups[key])[:3])
        print("%5d %4d  %s   [%s]" % (count, len(groups[key]), key, examples))
    print("\nall refusals, by first message (conversions, models):")
    counts.clear()
    groups.clear()
    for row in rows:
        if row[2] == "code":
            continue
        key = row[2] + ": " + blank_details(row[3])
        groups[key].add(row[0])
        counts[key] += 1
    for key, count in counts.most_common():
        print("%5d %4d  %s" % (count, len(groups[key]), key))


def read_results(out):
    with open(os.path.join(out, "results.tsv"), encoding="utf-8") as handle:
        return [tuple(line.rstrip("\n").split("\t")) for line in handle][1:]


def compare(before, after):
    """DAE and usage files of the conversions that gave code before must not change."""
    changed, same = [], 0
    for row in read_results(before):
        if row[2] != "code":
            continue
        for name in ("model.dae", "usage.txt"):
            old = os.path.join(before, row[0], row[1], name)
            new = os.path.join(after, row[0], row[1], name)
            with open(old, "rb") as a:
                identical = os.path.exists(new) and open(new, "rb").read() == a.read()
            if identical:
                same += 1
            else:
                changed.append(new)
    print("files compared: %d identical, %d changed" % (same, len(changed)))
    for path in changed:
        print("  changed: " + path)
    return 1 if changed else 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("corpus", nargs="?")
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--out", default=os.path.join(ROOT, "build", "corpus-check"))
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--timeout", type=int, default=120, help="seconds per program run")
    parser.add_argument("--resume", action="store_true", help="keep the runs already in OUT")
    parser.add_argument("--compare", nargs=2, metavar=("BEFORE_OUT", "AFTER_OUT"))
    options = parser.parse_args()
    if options.compare:
        return compare(*options.compare)
    if not options.corpus:
        parser.error("give the corpus folder")
    models = sorted(os.path.join(options.corpus, name) for name in os.listdir(options.corpus)
                    if name.endswith(".xml"))
    out, build = os.path.abspath(options.out), os.path.abspath(options.build)
    if not options.resume:
        shutil.rmtree(out, ignore_errors=True)
    os.makedirs(out, exist_ok=True)
    rows = []
    with concurrent.futures.ThreadPoolExecutor(max_workers=options.jobs) as pool:
        futures = [pool.submit(check_model, os.path.abspath(model), out, build, options.timeout)
                   for model in models]
        for future in concurrent.futures.as_completed(futures):
            rows.extend(future.result())
    rows.sort()
    with open(os.path.join(out, "results.tsv"), "w", encoding="utf-8") as handle:
        handle.write("\t".join(FIELDS) + "\n")
        for row in rows:
            handle.write("\t".join(row) + "\n")
    summarise(rows)
    return 0


if __name__ == "__main__":
    sys.exit(main())
