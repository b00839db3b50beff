#!/usr/bin/env python3
"""Benchmark (not a test): symcode in C mode on generated mass-action networks.

    python3 compiler/bench/network_bench.py [--build BUILD] [--symcode SYMCODE] [--work DIR]
                                            [NETWORK ...]

A network is SPECIES:REACTIONS[:SKEW] (see make_mass_action.py), converted once with
rxnconv -gCMA -mCMA. The default list is the size of the B-cell receptor model (1122:24388), the
same with equation lines of over 300,000 characters (1122:24388:0.9), and 10,000 and 100,000
species at three reactions per species. Printed per network: the DAE file's size and longest
line, symcode's wall-clock and CPU seconds, its peak memory and the megabytes it wrote.
--symcode times another build on the same files; --work keeps the generated files for a later
run (converting 100,000 species takes minutes). Nothing is asserted.
"""
import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
DEFAULT_NETWORKS = ["1122:24388", "1122:24388:0.9", "10000:30000", "100000:300000"]
OUTPUTS = ["p.txt", "u.c", "t.c", "g.c", "s.c"]


def dae_of(network, work, build):
    """The DAE file of a network, generated and converted once."""
    dae = os.path.join(work, network.replace(":", "_") + ".dae")
    if os.path.exists(dae):
        return dae
    model = os.path.join(work, "model.xml")
    subprocess.run([sys.executable, os.path.join(HERE, "make_mass_action.py")]
                   + network.split(":")[:2] + [model] + network.split(":")[2:], check=True)
    env = dict(os.environ, TELUV_HOME=build, XERCES_HOME=build,
               ZYMORAX_SYSLOG=os.path.join(work, "rxnconv.log"))
    subprocess.run([os.path.join(build, "bin", "rxnconv"), "-N" + model,
                    "-U" + os.path.join(work, "u.txt"), "-D" + dae, "-gCMA", "-mCMA"],
                   env=env, check=True, stdout=subprocess.DEVNULL)
    return dae


def time_symcode(symcode, dae, work):
    """Wall-clock seconds, CPU seconds, peak memory in MB and megabytes written."""
    run = os.path.join(work, "run")
    shutil.rmtree(run, ignore_errors=True)
    os.makedirs(run)
    shutil.copy(dae, os.path.join(run, "model.dae"))
    start = time.perf_counter()
    child = subprocess.Popen([symcode, "-Dmodel.dae", "-Pp.txt", "-Fu.c", "-Tt.c", "-Gg.c",
                              "-Ss.c"], cwd=run,
                             env=dict(os.environ, ZYMORAX_SYSLOG=os.path.join(run, "sys.log")))
    _, status, usage = os.wait4(child.pid, 0)  # the resources of this run alone
    seconds = time.perf_counter() - start
    if os.waitstatus_to_exitcode(status) != 0:
        sys.exit("symcode failed on %s, see %s/sys.log" % (dae, run))
    written = sum(os.path.getsize(os.path.join(run, name)) for name in OUTPUTS)
    return seconds, usage.ru_utime + usage.ru_stime, usage.ru_maxrss / 1024, written / 1048576


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", default=os.path.join(ROOT, "build"))
    parser.add_argument("--symcode")
    parser.add_argument("--work")
    parser.add_argument("networks", nargs="*", default=DEFAULT_NETWORKS)
    args = parser.parse_args()
    build = os.path.realpath(args.build)
    symcode = os.path.realpath(args.symcode or os.path.join(build, "bin", "symcode"))
    work = args.work or tempfile.mkdtemp()
    os.makedirs(work, exist_ok=True)
    print("%-16s %10s %8s %8s %7s %8s %10s" % ("network", "DAE bytes", "longest", "seconds",
                                               "CPU s", "peak MB", "written MB"))
    try:
        for network in args.networks:
            dae = dae_of(network, work, build)
            with open(dae, "rb") as text:
                longest = max(len(line.rstrip(b"\n")) for line in text)
            seconds, cpu, peak, written = time_symcode(symcode, dae, work)
            print("%-16s %10d %8d %8.2f %7.2f %8.0f %10.0f" % (
                network, os.path.getsize(dae), longest, seconds, cpu, peak, written), flush=True)
    finally:
        if not args.work:
            shutil.rmtree(work)


if __name__ == "__main__":
    main()
