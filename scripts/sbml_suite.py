#!/usr/bin/env python3
"""Runs the semantic cases of the SBML Test Suite through kinelaw, symcode -X and kinesim.

    scripts/sbml_suite.py <cases folder> [--build B] [--jobs N] [--cases LIST] [--strict]

Each case's highest-level SBML file is converted, compiled and simulated at the case's settings;
the requested variables (as amounts or concentrations) are compared with the expected results by
the suite's rule |expected - ours| <= absolute + relative * |expected| at every time point. A case
passes, fails (numbers that disagree, or a step that broke on a model kinelaw accepted) or is
refused (kinelaw names a construct it does not support). Prints the fails and refusals grouped by
the case's component and test tags, then "N passed, N failed, N refused". With --strict, cases
whose expected results come from an analytic solution are held to 1e-6 of each value (plus 1e-9
of the column's largest) instead of the case's own tolerances. A benchmark, not a test.
"""
import argparse
import collections
import concurrent.futures
import csv
import math
import os
import re
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
SIMULATION_TIMEOUT = 120
STRICT_RELATIVE, STRICT_OF_LARGEST = 1e-6, 1e-9


def parse_case_list(text):
    """'00003,17,20-30' -> set of case numbers."""
    numbers = set()
    for part in text.split(","):
        part = part.strip()
        if not part:
            continue
        if "-" in part:
            low, high = part.split("-", 1)
            numbers.update(range(int(low), int(high) + 1))
        else:
            numbers.add(int(part))
    return numbers


def read_settings(path):
    settings = {}
    with open(path) as f:
        for line in f:
            if ":" in line:
                key, value = line.split(":", 1)
                settings[key.strip()] = value.strip()
    return settings


def names(text):
    return [n.strip() for n in (text or "").split(",") if n.strip()]


def read_tags(path):
    tags = {"componentTags": [], "testTags": [], "testType": "", "generatedBy": ""}
    with open(path, errors="replace") as f:
        for line in f:
            for key in tags:
                if line.startswith(key + ":"):
                    value = line.split(":", 1)[1].strip()
                    tags[key] = value if key in ("testType", "generatedBy") else names(value)
    return tags


def highest_level_file(folder, case):
    best = None
    for name in os.listdir(folder):
        m = re.match(r"%s-sbml-l(\d)v(\d)\.xml$" % case, name)
        if m:
            key = (int(m.group(1)), int(m.group(2)))
            if best is None or key > best[0]:
                best = (key, name)
    return os.path.join(folder, best[1]) if best else None


def run(command, cwd):
    env = dict(os.environ)
    env.pop("ZYMORAX_SYSLOG", None)  # the messages are read from standard error
    try:
        result = subprocess.run(command, cwd=cwd, capture_output=True, text=True, env=env,
                                timeout=SIMULATION_TIMEOUT)
    except subprocess.TimeoutExpired:
        return 1, "timed out after %d s" % SIMULATION_TIMEOUT
    return result.returncode, (result.stdout + result.stderr).strip()


def first_error(log):
    """The log's first line that is not one of symcode's notes on temporary names."""
    notes = ("Lack of '['", "Warning!! in divide_variable", "Above warnings are meaningless")
    lines = [l for l in log.splitlines() if l.strip() and not any(n in l for n in notes)]
    return " | ".join(lines[:3])


def read_usage(path):
    uses = {}
    with open(path) as f:
        for line in f:
            if line.startswith("#"):
                continue
            fields = line.rstrip("\n").split("\t")
            uses[fields[0]] = fields
    return uses


def read_dae_values(path):
    """Tag -> value of every parameter element and constant player of the DAE file."""
    values = {}
    with open(path) as f:
        for line in f:
            m = re.match(r"\s*[A-Za-z]\w*\[\d+\]\s*=\s*([^;]+);\s*(\S+)\s*$", line)
            if m:
                values[m.group(2)] = float(m.group(1))
    return values


def read_course(path):
    with open(path) as f:
        rows = list(csv.reader(f))
    header = [h.strip() for h in rows[0]]
    return header, [[float(x) for x in row] for row in rows[1:] if row]


class Course:
    """Our time course, with the values of constants and unit conversions of species."""

    def __init__(self, header, rows, uses, params):
        self.columns = {name: i for i, name in enumerate(header) if i > 0}
        self.rows = rows
        self.uses = uses
        self.params = params

    def symbol(self, name, row):
        if name in self.columns:
            return row[self.columns[name]]
        if name in self.params:
            return self.params[name]
        raise KeyError(name)

    def value(self, name, row, as_amount):
        use = self.uses.get(name)
        value = self.symbol(name, row)
        if use is None or use[2] != "species":
            return value
        in_amount = use[4] == "amount"
        if as_amount == in_amount:
            return value
        size = self.symbol(use[3], row)
        return value * size if as_amount else value / size


def last_digit_unit(text):
    """The value of one unit in the last digit of a number as printed ("1.17994" -> 1e-5)."""
    mantissa, _, exponent = text.strip().lower().partition("e")
    decimals = len(mantissa.split(".")[1]) if "." in mantissa else 0
    return 10.0 ** (int(exponent or 0) - decimals)


def compare(expected_path, course, settings, strict=False):
    with open(expected_path) as f:
        rows = list(csv.reader(f))
    header = [h.strip() for h in rows[0]]
    texts = [row for row in rows[1:] if row]
    expected = [[float(x) for x in row] for row in texts]
    if len(expected) != len(course.rows):
        return "%d time points, expected %d" % (len(course.rows), len(expected))
    absolute = float(settings.get("absolute") or 0)
    relative = float(settings.get("relative") or 0)
    amounts = set(names(settings.get("amount")))
    for column, name in enumerate(header):
        if column == 0:
            continue
        if strict:
            finite = [abs(row[column]) for row in expected if math.isfinite(row[column])]
            relative, absolute = STRICT_RELATIVE, STRICT_OF_LARGEST * max(finite or [0.0])
        for ours_row, row, text in zip(course.rows, expected, texts):
            try:
                ours = course.value(name, ours_row, name in amounts)
            except KeyError:
                return "no value for %s" % name
            want = row[column]
            if math.isnan(want) and math.isnan(ours):
                continue
            if math.isinf(want) and ours == want:
                continue
            allowed = absolute + relative * abs(want)
            if strict:  # an expected value printed with few digits is only that close
                allowed += last_digit_unit(text[column]) / 2
            if not abs(want - ours) <= allowed:
                return "%s at t=%g: %.10g, expected %.10g" % (name, ours_row[0], ours, want)
    return None


def run_case(cases_dir, case, build, strict=False):
    folder = os.path.join(cases_dir, case)
    tags = read_tags(os.path.join(folder, case + "-model.m"))
    settings = read_settings(os.path.join(folder, case + "-settings.txt"))
    if tags["testType"] != "TimeCourse":
        return case, "refused", "test type %s" % tags["testType"], tags
    model = highest_level_file(folder, case)
    if model is None:
        return case, "refused", "no SBML file", tags
    bin_dir = os.path.join(build, "bin")
    with tempfile.TemporaryDirectory(prefix="sbml_suite_") as work:
        rc, log = run([os.path.join(bin_dir, "kinelaw"), "-N" + model, "-Dmodel.dae",
                       "-Uusage.txt", "-Eevents.txt"], work)
        if rc != 0:
            # the refusal is kinelaw's last line, after any notes on what it left out
            return case, "refused", log.splitlines()[-1] if log else "kinelaw failed", tags
        rc, log = run([os.path.join(bin_dir, "symcode"), "-X", "-Dmodel.dae", "-Pparam.txt",
                       "-Fmodel.c", "-Ttemp.c", "-Ggh.c", "-Sssys.c"], work)
        if rc != 0:
            return case, "failed", "symcode: " + first_error(log), tags
        start = float(settings.get("start") or 0)
        duration = float(settings["duration"])
        steps = int(float(settings["steps"]))
        absolute = float(settings.get("absolute") or 1e-10)
        rtol, atol = (1e-12, 1e-16) if strict else (1e-10, min(absolute * 1e-4, 1e-10))
        rc, log = run([os.path.join(bin_dir, "kinesim"), "-Cmodel.c", "-Pparam.txt",
                       "-T%.17g:%.17g" % (start, start + duration),
                       "-S%.17g" % (duration / steps), "-Oout.csv", "-R%.3g" % rtol,
                       "-A%.3g" % atol, "-Eevents.txt"], work)
        if rc != 0:
            return case, "failed", "kinesim: " + first_error(log), tags
        header, rows = read_course(os.path.join(work, "out.csv"))
        course = Course(header, rows, read_usage(os.path.join(work, "usage.txt")),
                        read_dae_values(os.path.join(work, "model.dae")))
        problem = compare(os.path.join(folder, case + "-results.csv"), course, settings,
                          strict and tags["generatedBy"] == "Analytic")
    if problem:
        return case, "failed", problem, tags
    return case, "passed", "", tags


def reason_kind(why):
    """A message without the file and the ids of elements, so that alike ones group."""
    why = re.sub(r"^\S+\.xml: ", "", why)
    why = re.sub(r"\b(event|reaction|species|compartment|rule of|assignment to|value of) "
                 r"(?!is\b)([A-Za-z_]\w*)", r"\1 …", why)
    return re.sub(r"\b[0-9]+(\.[0-9]+)?(e[-+]?[0-9]+)?\b", "…", why)


def report(results):
    counts = collections.Counter(status for _, status, _, _ in results)
    for status in ("failed", "refused"):
        chosen = [r for r in results if r[1] == status]
        if not chosen:
            continue
        print("== %s: %d" % (status, len(chosen)))
        by_tag = collections.Counter()
        for _, _, _, tags in chosen:
            for tag in tags["componentTags"] + tags["testTags"]:
                by_tag[tag] += 1
        print("   by tag: " + ", ".join("%s %d" % kv for kv in sorted(by_tag.items())))
        reasons = collections.Counter(reason_kind(why) for _, _, why, _ in chosen)
        for why, n in reasons.most_common(25):
            print("   %4d  %s" % (n, why))
        if status == "failed":
            for case, _, why, _ in sorted(chosen):
                print("   %s  %s" % (case, why))
    print("%d passed, %d failed, %d refused" % (counts["passed"], counts["failed"], counts["refused"]))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("cases")
    parser.add_argument("--build", default=os.path.join(HERE, "..", "build"))
    parser.add_argument("--jobs", type=int, default=os.cpu_count() or 1)
    parser.add_argument("--cases", dest="selection")
    parser.add_argument("--strict", action="store_true")
    args = parser.parse_args()
    cases_dir = os.path.abspath(args.cases)
    cases = sorted(c for c in os.listdir(cases_dir) if re.fullmatch(r"\d{5}", c))
    if args.selection:
        chosen = parse_case_list(args.selection)
        cases = [c for c in cases if int(c) in chosen]
    build = os.path.abspath(args.build)
    with concurrent.futures.ThreadPoolExecutor(max_workers=args.jobs) as pool:
        results = list(pool.map(lambda c: run_case(cases_dir, c, build, args.strict), cases))
    report(results)
    return 0


if __name__ == "__main__":
    sys.exit(main())
