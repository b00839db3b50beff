#!/usr/bin/env python3
"""The route a Python user would take to fit the same model: SciPy's least_squares (trust region
reflective, finite-difference Jacobian) on a solve_ivp BDF simulation of the generated C code
(compiled with cc and called through ctypes, with usr_fjac as the BDF Jacobian), from a Latin
hypercube of starts in the log bounds. Only ODE models (N_ALGEBR 0).

Usage: scipy_fit.py MODEL.c PARAM.txt DATA.csv STARTS SEED KINE_H_DIR
Prints one line per start (chi2, seconds) and a summary line.
"""
import ctypes
import csv
import math
import os
import subprocess
import sys
import tempfile
import time

import numpy as np
from scipy.integrate import solve_ivp
from scipy.optimize import least_squares
from scipy.stats import qmc


def read_param_file(path):
    labels, starts, params = [], [], []
    for line in open(path):
        f = line.split(";")
        kind = f[0].strip()
        if kind == "PARAM_NAME":
            labels.append(f[1].split("#")[0].strip())
        elif kind == "Y_START":
            starts.append((float(f[2]), f[3].split("#")[0].strip()))
        elif kind == "PARAM":
            value = float(f[3]) if f[3].strip() else math.nan
            bounds = (float(f[8]), float(f[9])) if f[6].strip() in ("R", "S") else None
            params.append((f[1].strip(), int(f[2]), value, bounds))
    return labels, starts, params


class Model:
    def __init__(self, code, labels, params, n, kine_dir):
        self.n = n
        lib = os.path.join(tempfile.mkdtemp(), "model.so")
        subprocess.run(["cc", "-O2", "-shared", "-fPIC", f"-DMAX_VAR_NUM={n + 1}",
                        f"-I{kine_dir}", code, "-o", lib, "-lm"], check=True)
        self.lib = ctypes.CDLL(lib)
        size = {label: 0 for label in labels}
        for label, index, _, _ in params:
            size[label] = max(size[label], index)
        self.arrays = [None] + [(ctypes.c_double * (size[l] + 1))() for l in labels]
        self.pointers = (ctypes.POINTER(ctypes.c_double) * (len(labels) + 1))()
        for slot in range(1, len(labels) + 1):
            self.pointers[slot] = ctypes.cast(self.arrays[slot], ctypes.POINTER(ctypes.c_double))
        self.record = (ctypes.POINTER(ctypes.POINTER(ctypes.c_double)) * 1)(self.pointers)
        self.slots = {label: slot for slot, label in enumerate(labels, 1)}
        self.y = (ctypes.c_double * (n + 1))()
        self.f = (ctypes.c_double * (n + 1))()
        self.jac = (ctypes.c_double * ((n + 1) * (n + 1)))()

    def set(self, label, index, value):
        self.arrays[self.slots[label]][index] = value

    def rhs(self, t, y):
        self.y[1:] = y
        self.lib.usr_fvec(self.f, self.y, ctypes.c_double(0), self.record)
        return np.array(self.f[1:])

    def jacobian(self, t, y):
        self.y[1:] = y
        ctypes.memset(self.jac, 0, ctypes.sizeof(self.jac))
        self.lib.usr_fjac(self.jac, self.y, ctypes.c_double(0), self.record)
        return np.array(self.jac).reshape(self.n + 1, self.n + 1)[1:, 1:]


def main():
    code, param_path, data_path, count, seed, kine_dir = sys.argv[1:7]
    labels, starts, params = read_param_file(param_path)
    tags = [tag for _, tag in starts]
    y0 = np.array([value for value, _ in starts])
    model = Model(code, labels, params, len(starts), kine_dir)
    estimated = [(label, index, bounds) for label, index, _, bounds in params if bounds]
    for label, index, value, bounds in params:
        if not bounds:
            model.set(label, index, value)
    rows = list(csv.DictReader(open(data_path)))
    columns = [c for c in rows[0] if c != "time"]
    times = np.array([float(r["time"]) for r in rows])
    data = np.array([[float(r[c]) for c in columns] for r in rows])
    which = [tags.index(c) for c in columns]

    def residuals(log_values):
        for (label, index, _), v in zip(estimated, log_values):
            model.set(label, index, math.exp(v))
        run = solve_ivp(model.rhs, (0, times[-1]), y0, method="BDF", t_eval=times,
                        jac=model.jacobian, rtol=1e-8, atol=1e-10)
        if not run.success:
            return np.full(data.size, 1e6)
        return (run.y[which].T - data).ravel()

    low = np.log([b[0] for _, _, b in estimated])
    high = np.log([b[1] for _, _, b in estimated])
    points = qmc.scale(qmc.LatinHypercube(d=len(estimated), seed=int(seed)).random(int(count)),
                       low, high)
    began = time.perf_counter()
    for s, x0 in enumerate(points):
        t0 = time.perf_counter()
        fit = least_squares(residuals, x0, bounds=(low, high), method="trf", x_scale="jac",
                            ftol=1e-12, xtol=1e-10, gtol=1e-14, max_nfev=200 * len(x0))
        print("start %d chi2 %.6e  %.2f s" % (s + 1, 2 * fit.cost, time.perf_counter() - t0))
    print("scipy total %.2f s" % (time.perf_counter() - began))


if __name__ == "__main__":
    main()
