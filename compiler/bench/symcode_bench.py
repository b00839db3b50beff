"""Benchmark: symcode against a SymPy script on the same generated DAE files.

    python3 compiler/bench/symcode_bench.py --symcode build/bin/symcode [--sizes 1000,10000]

Each size gets a DAE file from make_dae.py in a scratch folder; symcode writes the C code,
parameter file and flux function there, SymPy forms the same Jacobian and prints it as C.
Wall-clock seconds are printed per size; nothing is asserted.
"""
import argparse
import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import make_dae  # noqa: E402


def time_symcode(symcode, folder):
    start = time.perf_counter()
    result = subprocess.run([symcode, "-Dmodel.dae", "-Pparam.txt", "-Fusrfunc.c",
                             "-Ttemp.c", "-Ggh.c", "-Sssys.c"], cwd=folder,
                            env=dict(os.environ, ZYMORAX_SYSLOG=os.path.join(folder, "sys.log")))
    elapsed = time.perf_counter() - start
    if result.returncode != 0:
        sys.exit("symcode failed, see %s/sys.log" % folder)
    return elapsed


def time_sympy(folder):
    start = time.perf_counter()
    result = subprocess.run([sys.executable, os.path.join(HERE, "sympy_jacobian.py"),
                             os.path.join(folder, "model.dae"),
                             os.path.join(folder, "sympy.c")],
                            capture_output=True, text=True, check=True)
    elapsed = time.perf_counter() - start
    parse, rest = (float(x) for x in result.stdout.split())
    return elapsed, parse, rest


def count_entries(path, prefix):
    with open(path) as code:
        return sum(1 for line in code if line.startswith(prefix))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--symcode", required=True)
    parser.add_argument("--sizes", default="1000,10000,50000")
    parser.add_argument("--skip-sympy", action="store_true")
    args = parser.parse_args()
    symcode = os.path.abspath(args.symcode)
    print("%8s %12s %12s %12s %12s %10s" % ("equations", "symcode s", "sympy s", "sympy parse",
                                          "sympy jac+C", "entries"))
    for n in (int(x) for x in args.sizes.split(",")):
        with tempfile.TemporaryDirectory() as folder:
            make_dae.write_dae(os.path.join(folder, "model.dae"), n)
            symcode_seconds = time_symcode(symcode, folder)
            entries = count_entries(os.path.join(folder, "usrfunc.c"), "\tfjac[")
            if args.skip_sympy:
                print("%8d %12.3f %12s %12s %12s %10d" % (n, symcode_seconds, "-", "-", "-",
                                                          entries))
                continue
            total, parse, rest = time_sympy(folder)
            print("%8d %12.3f %12.3f %12.3f %12.3f %10d" % (n, symcode_seconds, total, parse,
                                                            rest, entries))
            sys.stdout.flush()


if __name__ == "__main__":
    main()
