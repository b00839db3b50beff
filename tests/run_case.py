#!/usr/bin/env python3
"""Runs one case folder of tests/cases and compares what the programs did with what it expects.

A case is a folder tests/cases/<program>/<case>/ holding:
  cmd                 the command, run by /bin/sh in a scratch copy of the case folder;
                      $BIN is the build's bin/, $BUILD the build tree, $SRC the source root
  <anything else>     input files, copied into the scratch folder with `cmd`
  expected/status     the exit status (0 when the file is missing)
  expected/log        the system log (ZYMORAX_SYSLOG), byte for byte
  expected/stdout     standard output, byte for byte; expected/stderr likewise
  expected/files/...  files the run must leave in the scratch folder, byte for byte
  expected/absent     names (one a line) the run must not leave in the scratch folder
Only what expected/ holds is compared. In the texts compared, the scratch folder reads as $WORK,
the source root as $SRC and the build tree as $BUILD. rxnconv finds its installation in the build
tree (TELUV_HOME, XERCES_HOME) and runs without a debug log or JVM options unless `cmd` says so.

ZYMORAX_UPDATE_CASES=1 rewrites expected/ from the run instead (status and log always, the other
entries where they exist): review the difference with git before committing it.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile

TIMEOUT_SECONDS = 300


def read_bytes(path):
    with open(path, "rb") as handle:
        return handle.read()


def write_bytes(path, content):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as handle:
        handle.write(content)


def neutral(content, places):
    for path, name in places:
        content = content.replace(path.encode(), name.encode())
    return content


def run(case, work, log, build, source):
    env = dict(os.environ)
    for name in ("ZYMORAX_DBGLOG", "JAVA_TOOL_OPTIONS"):
        env.pop(name, None)
    env.update(BIN=os.path.join(build, "bin"), BUILD=build, SRC=source, ZYMORAX_SYSLOG=log,
               TELUV_HOME=build, XERCES_HOME=build, LC_ALL="C")
    # In a session of its own, so that a run that does not end is stopped with all it started.
    shell = subprocess.Popen(["/bin/sh", os.path.join(case, "cmd")], cwd=work, env=env,
                             stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                             stderr=subprocess.PIPE, start_new_session=True)
    try:
        stdout, stderr = shell.communicate(timeout=TIMEOUT_SECONDS)
    except subprocess.TimeoutExpired:
        os.killpg(shell.pid, signal.SIGKILL)
        shell.communicate()
        return None, b"", b""
    return shell.returncode, stdout, stderr


def actual_outputs(case, work, log, status, stdout, stderr, places):
    """What the run produced, under the names of expected/."""
    outputs = {"status": b"%d\n" % status, "stdout": stdout, "stderr": stderr,
               "log": read_bytes(log) if os.path.exists(log) else b""}
    outputs = {name: neutral(content, places) for name, content in outputs.items()}
    files = os.path.join(case, "expected", "files")
    for folder, _, names in os.walk(files):
        for name in names:
            relative = os.path.relpath(os.path.join(folder, name), files)
            produced = os.path.join(work, relative)
            outputs["files/" + relative] = (read_bytes(produced) if os.path.isfile(produced)
                                            else None)
    return outputs


def compare(case, work, outputs):
    expected_dir = os.path.join(case, "expected")
    failures = []
    expected_status = b"0\n"
    if os.path.exists(os.path.join(expected_dir, "status")):
        expected_status = read_bytes(os.path.join(expected_dir, "status"))
    if outputs["status"].strip() != expected_status.strip():
        failures.append("exit status %s, expected %s" % (outputs["status"].decode().strip(),
                                                         expected_status.decode().strip()))
    for name, content in outputs.items():
        path = os.path.join(expected_dir, name)
        if name == "status" or not os.path.exists(path):
            continue
        wanted = read_bytes(path)
        if content is None:
            failures.append("%s: not written" % name)
        elif content != wanted:
            failures.append("%s differs:\n--- expected\n%s\n--- actual\n%s" % (
                name, wanted.decode(errors="replace"), content.decode(errors="replace")))
    absent = os.path.join(expected_dir, "absent")
    if os.path.exists(absent):
        for name in read_bytes(absent).decode().split():
            if os.path.lexists(os.path.join(work, name)):
                failures.append("%s: written, expected absent" % name)
    return failures


def update(case, outputs):
    expected_dir = os.path.join(case, "expected")
    for name, content in outputs.items():
        path = os.path.join(expected_dir, name)
        if name in ("status", "log") or os.path.exists(path):
            if content is not None:
                write_bytes(path, content)


def main():
    if len(sys.argv) != 4:
        sys.exit("usage: run_case.py <case folder> <build tree> <source root>")
    case, build, source = (os.path.realpath(argument) for argument in sys.argv[1:])
    with tempfile.TemporaryDirectory(prefix="zymorax-case-") as scratch:
        work = os.path.join(scratch, "work")
        log = os.path.join(scratch, "system.log")
        shutil.copytree(case, work, symlinks=True, ignore=shutil.ignore_patterns("expected"))
        status, stdout, stderr = run(case, work, log, build, source)
        if status is None:
            sys.exit("%s: no end after %d s" % (case, TIMEOUT_SECONDS))
        places = [(work, "$WORK"), (build, "$BUILD"), (source, "$SRC")]
        outputs = actual_outputs(case, work, log, status if status >= 0 else 128 - status,
                                 stdout, stderr, places)
        if os.environ.get("ZYMORAX_UPDATE_CASES") == "1":
            update(case, outputs)
            return
        failures = compare(case, work, outputs)
    if failures:
        sys.exit("%s:\n%s" % (case, "\n".join(failures)))


if __name__ == "__main__":
    main()
