#!/usr/bin/env python3
"""Checks a fit of kinefit's case folders against the true values of its synthetic data.

check_fit.py param.txt tuned.txt report.txt [--chi2 <most>] [--relative <tol> | --se <k>]
             <tag>=<true value> ...

Prints one line per check and exits 1 when one fails:
- tuned.txt differs from param.txt only in the value fields of the PARAM rows marked R or S;
- the best chi2 of the report is below --chi2;
- each tag's fitted value (from tuned.txt) lies within --relative of its true value, or within
  --se standard errors (from the report's table of estimated parameters).
"""
import argparse
import re
import sys


def fields(line):
    return line.rstrip("\n").split(";")


def estimated(line):
    f = fields(line)
    return line.startswith("PARAM ") and len(f) > 6 and f[6].strip() in ("R", "S")


def tag_of(line):
    return fields(line)[10].split("#")[0].strip()


def check_layout(param, tuned):
    if len(param) != len(tuned):
        return "tuned.txt has %d lines, param.txt %d" % (len(tuned), len(param))
    for number, (old, new) in enumerate(zip(param, tuned), 1):
        if old == new:
            continue
        a, b = fields(old), fields(new)
        if not estimated(old) or len(a) != len(b) or a[:3] + a[4:] != b[:3] + b[4:]:
            return "line %d differs beyond the value of an estimated row" % number
    return None


def standard_errors(report):
    errors = {}
    rows = re.findall(r"^ *\d+  \S+ +\S+ +(not determined|\S+) +(\S+)$", report, re.M)
    for error, tag in rows:
        errors[tag] = float("inf") if error == "not determined" else float(error)
    return errors


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("param")
    parser.add_argument("tuned")
    parser.add_argument("report")
    parser.add_argument("--chi2", type=float)
    parser.add_argument("--relative", type=float)
    parser.add_argument("--se", type=float)
    parser.add_argument("truths", nargs="+")
    args = parser.parse_args()
    param = open(args.param).readlines()
    tuned = open(args.tuned).readlines()
    report = open(args.report).read()
    failed = False

    def say(ok, text):
        nonlocal failed
        failed = failed or not ok
        print(("ok: " if ok else "FAILED: ") + text)

    fault = check_layout(param, tuned)
    say(fault is None, fault or "tuned.txt keeps every byte but the estimated values")
    if args.chi2 is not None:
        chi2 = float(re.search(r"^Best: start \d+, chi2 = (\S+),", report, re.M).group(1))
        say(chi2 < args.chi2, "best chi2 below %g" % args.chi2 + ("" if chi2 < args.chi2
                                                              else " (it is %g)" % chi2))
    values = {tag_of(line): float(fields(line)[3]) for line in tuned if estimated(line)}
    errors = standard_errors(report)
    for truth in args.truths:
        tag, true = truth.split("=")
        true = float(true)
        value = values[tag]
        if args.relative is not None:
            ok = abs(value - true) <= args.relative * abs(true)
            say(ok, "%s within %g relative of %g" % (tag, args.relative, true) +
                ("" if ok else " (fitted %.17g)" % value))
        else:
            ok = abs(value - true) <= args.se * errors[tag]
            say(ok, "%s within %g standard errors of %g" % (tag, args.se, true) +
                ("" if ok else " (fitted %.17g, se %g)" % (value, errors[tag])))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
