"""Census (not a test): how many parameter files of real models valfuse refuses for a repeated tag.

    python3 converter/bench/tag_census.py --build build --corpus /work/corpus/biomodels [--jobs 2]
                                          [--methods "-gCMA -mGMA" ...]

Every model file of the corpus folder goes through rxnconv under four method pairs, symcode
writes its parameter file, and valfuse merges that file with a copy of itself. The table counts
per method pair the models rxnconv converted, the parameter files symcode wrote, and how many of
those valfuse refused because two rows share a tag (and for any other reason). --keep DIR leaves
the working folders of the refused files there; --methods takes only the method pairs named.
"""
import argparse
import concurrent.futures
import os
import shutil
import subprocess
import sys
import tempfile

METHOD_PAIRS = [("-gCMA", "-mCMA"), ("-gCMA", "-mGMA"), ("-gTPP_RAPID", "-mMM"),
                ("-gTPP_STEADYSTATE_1", "-mGMA")]
TIMEOUT_SECONDS = 300


def run(command, folder, env):
    try:
        return subprocess.run(command, cwd=folder, env=env, stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=TIMEOUT_SECONDS).returncode
    except subprocess.TimeoutExpired:
        return None


def read_log(folder):
    path = os.path.join(folder, "system.log")
    if not os.path.exists(path):
        return ""
    with open(path, errors="replace") as log:
        return log.read()


def one_run(bin_dir, build, model, pair, keep):
    """The outcome of one model under one method pair: 'not converted', 'not compiled',
    'merged', 'tag duplication' or 'refused'."""
    folder = tempfile.mkdtemp(prefix="tag-census-")
    env = dict(os.environ, TELUV_HOME=build, XERCES_HOME=build,
               ZYMORAX_SYSLOG=os.path.join(folder, "system.log"), LC_ALL="C")
    env.pop("ZYMORAX_DBGLOG", None)
    try:
        if run([os.path.join(bin_dir, "rxnconv"), "-N" + model, "-Uu.txt", "-Dm.dae", *pair],
               folder, env) != 0:
            return "not converted"
        if run([os.path.join(bin_dir, "symcode"), "-Dm.dae", "-Pp.txt", "-Fm.c", "-Tt.c",
                "-Gg.c", "-Ss.c"], folder, env) != 0:
            return "not compiled"
        shutil.copyfile(os.path.join(folder, "p.txt"), os.path.join(folder, "ref.txt"))
        open(os.path.join(folder, "system.log"), "w").close()
        if run([os.path.join(bin_dir, "valfuse"), "-Ip.txt", "-Rref.txt"], folder, env) == 0:
            return "merged"
        outcome = "tag duplication" if "tag duplication" in read_log(folder) else "refused"
        if keep:
            name = "%s%s_%s" % (os.path.basename(model)[:-4], pair[0], pair[1])
            shutil.copytree(folder, os.path.join(keep, name), dirs_exist_ok=True)
        return outcome
    finally:
        shutil.rmtree(folder, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--corpus", required=True)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--keep")
    parser.add_argument("--methods", nargs="+", help="method pairs, each as '-g<X> -m<Y>'")
    args = parser.parse_args()
    pairs = METHOD_PAIRS
    if args.methods:
        pairs = [tuple(pair.split()) for pair in args.methods]
    build = os.path.abspath(args.build)
    bin_dir = os.path.join(build, "bin")
    models = sorted(os.path.join(os.path.abspath(args.corpus), name)
                    for name in os.listdir(args.corpus) if name.endswith(".xml"))
    if args.keep:
        os.makedirs(args.keep, exist_ok=True)
    with concurrent.futures.ThreadPoolExecutor(args.jobs) as pool:
        runs = {(pair, model): pool.submit(one_run, bin_dir, build, model, pair, args.keep)
                for pair in pairs for model in models}
        outcomes = {key: future.result() for key, future in runs.items()}
    print("%-28s %7s %9s %11s %7s %7s" % ("methods", "models", "converted", "param files",
                                          "tag dup", "other"))
    totals = [0, 0, 0, 0]
    for pair in pairs:
        mine = [outcomes[(pair, model)] for model in models]
        converted = sum(1 for o in mine if o != "not converted")
        files = sum(1 for o in mine if o in ("merged", "tag duplication", "refused"))
        duplicated = mine.count("tag duplication")
        other = mine.count("refused")
        for i, value in enumerate((converted, files, duplicated, other)):
            totals[i] += value
        print("%-28s %7d %9d %11d %7d %7d" % (" ".join(pair), len(models), converted, files,
                                              duplicated, other))
    print("%-28s %7d %9d %11d %7d %7d" % ("all", len(models) * len(pairs), *totals))


if __name__ == "__main__":
    sys.exit(main())
