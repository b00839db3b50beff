#!/usr/bin/env python3
"""kinefit against SciPy's least_squares from the same starts, on a real network with wide bounds.

    fit/bench/bounded_bench.py BUILD_DIR MODEL.xml [--starts 20] [--estimate 20] [--observe 8]
                               [--noise 0.05] [--seed 1] [--scipy-starts N]

The model is converted under CMA/CMA, its rate constants drawn log-uniform in [0.1, 10] (seeded)
and simulated to t = 20 (21 points); the data observe the first `observe` species with
multiplicative normal noise of relative size `noise` and that standard deviation. The first
`estimate` rate constants are estimated on log scale in [1e-3, 1e3]. The starts are one Latin
hypercube; each start is given to kinefit as val_start (-N1) and to least_squares (trust region
reflective, the same weighted residuals, a BDF simulation of the same generated code) as x0.
Prints per start both chi2 and seconds, then per method: starts within 1% of the best chi2 either
method found, starts ending within 1% of the chi2 at the true values, and the total time.
"""
import argparse
import csv
import math
import os
import random
import subprocess
import sys
import tempfile
import time

import numpy as np
from scipy.integrate import solve_ivp
from scipy.optimize import least_squares
from scipy.stats import qmc

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from scipy_fit import Model, read_param_file  # noqa: E402

LOW, HIGH = 1e-3, 1e3
RATE_LABELS = ("ka", "kd", "kx", "kpd")


def run(args, cwd, env=None, out=None):
    done = subprocess.run(args, cwd=cwd, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                          text=True)
    if done.returncode != 0 and out is None:
        sys.exit("failed: %s\n%s%s" % (" ".join(args), done.stdout, done.stderr))
    return done


def rewrite_params(path, target, values, estimated, starts=None):
    """The parameter file with `values` (row -> value) filled and the rows `estimated` marked R."""
    lines = []
    for number, line in enumerate(open(path)):
        fields = line.split(";")
        if fields[0].strip() == "PARAM" and number in values:
            fields[3] = ("%.17g" % values[number]).rjust(12)
            if number in estimated:
                if starts is not None:  # val_start: kinefit's first start
                    fields[4] = "%.17g" % starts[estimated.index(number)]
                fields[6], fields[8], fields[9] = "R", "%g" % LOW, "%g" % HIGH
        lines.append(";".join(fields))
    open(target, "w").write("".join(lines))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build")
    parser.add_argument("model")
    parser.add_argument("--starts", type=int, default=20)
    parser.add_argument("--estimate", type=int, default=20)
    parser.add_argument("--observe", type=int, default=8)
    parser.add_argument("--noise", type=float, default=0.05)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--scipy-starts", type=int, default=None)
    args = parser.parse_args()
    build = os.path.abspath(args.build)
    bin_dir = os.path.join(build, "bin")
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    env = dict(os.environ, TELUV_HOME=build, XERCES_HOME=build)
    work = tempfile.mkdtemp(prefix="bounded_bench.")
    model = os.path.abspath(args.model)
    run([bin_dir + "/rxnconv", "-N" + model, "-Uu.txt", "-Dm.dae", "-gCMA", "-mCMA"], work, env)
    run([bin_dir + "/symcode", "-Dm.dae", "-Pp.txt", "-Fm.c", "-Tt.c", "-Gg.c", "-Ss.c",
         "-Qfpar.c"], work)

    rng = random.Random(args.seed)
    values, rates = {}, []
    for number, line in enumerate(open(os.path.join(work, "p.txt"))):
        fields = line.split(";")
        if fields[0].strip() != "PARAM" or fields[3].strip():
            continue
        label = fields[1].strip()
        values[number] = 10 ** rng.uniform(-1, 1) if label in RATE_LABELS else 1.0
        if label in RATE_LABELS:
            rates.append(number)
    estimated = rates[:args.estimate]
    truth = [values[n] for n in estimated]
    rewrite_params(os.path.join(work, "p.txt"), os.path.join(work, "true.txt"), values, [])
    run([bin_dir + "/kinesim", "-Cm.c", "-Ptrue.txt", "-T0:20", "-S1", "-Oclean.csv"], work)
    rows = list(csv.reader(open(os.path.join(work, "clean.csv"))))
    header, rows = rows[0], rows[1:]
    observed = header[1:1 + args.observe]
    noise = np.random.default_rng(args.seed)
    with open(os.path.join(work, "data.csv"), "w") as out:
        out.write(",".join(["time"] + observed + ["sd(%s)" % t for t in observed]) + "\n")
        for row in rows:
            clean = [float(row[1 + i]) for i in range(len(observed))]
            noisy = [v * (1 + args.noise * noise.standard_normal()) for v in clean]
            sd = [max(args.noise * abs(v), 1e-6) for v in clean]
            out.write(",".join([row[0]] + ["%.17g" % v for v in noisy + sd]) + "\n")

    points = qmc.scale(qmc.LatinHypercube(d=len(estimated), seed=args.seed).random(args.starts),
                       np.log(LOW), np.log(HIGH))
    kinefit = []
    for s, x0 in enumerate(points):
        rewrite_params(os.path.join(work, "p.txt"), os.path.join(work, "start.txt"), values,
                       estimated, list(np.exp(x0)))
        began = time.perf_counter()
        done = run([bin_dir + "/kinefit", "-Cm.c", "-Qfpar.c", "-Pstart.txt", "-Ddata.csv",
                    "-Otuned.txt", "-N1", "-j1"], work, out=True)
        seconds = time.perf_counter() - began
        chi2, outcome = math.inf, "failed"
        for line in done.stdout.splitlines():  # the start table: "%5d  %-15s  %-24s ..."
            if line[:5] == "    1" and len(line) > 24:
                outcome = line[7:22].strip()
                chi2 = float(line[24:48]) if line[24:48].strip() else math.inf
        kinefit.append((chi2, seconds, outcome))

    labels, y_starts, params = read_param_file(os.path.join(work, "true.txt"))
    sim = Model(os.path.join(work, "m.c"), labels, params, len(y_starts),
                os.path.join(root, "sim"))
    order = [(p[0], p[1]) for p in params]
    rows_of = [n for n, line in enumerate(open(os.path.join(work, "true.txt")))
               if line.split(";")[0].strip() == "PARAM"]
    est = [order[rows_of.index(n)] for n in estimated]
    for label, index, value, _ in params:
        sim.set(label, index, value)
    data = list(csv.DictReader(open(os.path.join(work, "data.csv"))))
    times = np.array([float(r["time"]) for r in data])
    y = np.array([[float(r[t]) for t in observed] for r in data])
    sd = np.array([[float(r["sd(%s)" % t]) for t in observed] for r in data])
    tags = [tag for _, tag in y_starts]
    which = [tags.index(t) for t in observed]
    y0 = np.array([v for v, _ in y_starts])

    def residuals(log_values):
        for (label, index), v in zip(est, log_values):
            sim.set(label, index, math.exp(v))
        course = solve_ivp(sim.rhs, (0, times[-1]), y0, method="BDF", t_eval=times,
                           jac=sim.jacobian, rtol=1e-8, atol=1e-10)
        if not course.success or course.y.shape[1] != len(times):
            return np.full(y.size, 1e6)
        return ((course.y[which].T - y) / sd).ravel()

    at_truth = float(np.sum(residuals(np.log(truth)) ** 2))
    scipy = []
    scipy_starts = args.starts if args.scipy_starts is None else args.scipy_starts
    for s, x0 in enumerate(points[:scipy_starts]):
        began = time.perf_counter()
        fit = least_squares(residuals, x0, bounds=(np.log(LOW), np.log(HIGH)), method="trf",
                            x_scale="jac", ftol=1e-12, xtol=1e-10, gtol=1e-14,
                            max_nfev=200 * len(x0))
        scipy.append((2 * fit.cost, time.perf_counter() - began, fit.status))

    best = min([c for c, _, _ in kinefit] + [c for c, _, _ in scipy] + [at_truth])
    print("chi2 at the true values %.6g, best found %.6g" % (at_truth, best))
    for s in range(len(points)):
        k = kinefit[s]
        line = "start %2d  kinefit %12.6g %6.2f s %-16s" % (s + 1, k[0], k[1], k[2])
        if s < len(scipy):
            line += "  scipy %12.6g %6.2f s" % scipy[s][:2]
        print(line)
    for name, results in (("kinefit", kinefit), ("scipy", scipy)):
        near_best = sum(c <= best * 1.01 for c, _, _ in results)
        near_truth = sum(c <= at_truth * 1.01 for c, _, _ in results)
        print("%-7s %d starts: %d within 1%% of the best, %d within 1%% of chi2 at the truth, "
              "%.1f s" % (name, len(results), near_best, near_truth,
                          sum(t for _, t, _ in results)))


if __name__ == "__main__":
    main()
