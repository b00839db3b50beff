#!/usr/bin/env python3
"""Mutation fuzzer for rxnconv's model reader: runs rxnconv on mutated model files for a bounded
time and keeps every input that makes it misbehave.

    fuzz/model_reader_fuzz.py BUILD SECONDS FINDINGS_DIR [SEED_FILE...]

BUILD is a build tree (its bin/rxnconv and Tools/, ideally built with the sanitizers). Without
seed files the models of examples/, tests/models/ and the case folders are used. A finding
is a run that ends other than with status 0 or 255 (a signal, 254), runs out of time, writes a
sanitizer report or a Java exception, or exits 0 with a DAE file that has no variables although
no method is NONE. Each finding is kept as <n>.xml with <n>.txt (the command, status and output)
in FINDINGS_DIR; the exit status is 1 when there was one.
"""
import glob
import os
import random
import re
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RUN_SECONDS = 60
PAIRS = [("-gCMA", "-mCMA"), ("-gCMA", "-mGMA"), ("-gTPP_RAPID", "-mMM"),
         ("-gTPP_STEADYSTATE_2", "-mNONE"), ("-gNONE", "-mGMA")]
ODD_NUMBERS = ["-1", "0", "-0", "1e309", "-1e309", "NaN", "INF", "1e-320", "2147483648", "",
               "abc", "1 2", "0x10", "3.5", "-3", "1e-5", "99999999999999999999"]
ANNOTATIONS = [
    '<zx:species xmlns:zx="urn:zymorax:network:1" class="{c}" massBalance="{o}" '
    'totalAmount="{o}" decomposition="{o}"/>',
    '<zx:reaction xmlns:zx="urn:zymorax:network:1" type="{t}" layer="{l}" group="g"/>',
    '<zx:species xmlns:zx="urn:zymorax:network:1" class="complex"><zx:element species="{i}" '
    'stoichiometry="{n}"/></zx:species>',
    '<zx:reaction xmlns:zx="urn:zymorax:network:1"><zx:modifierComplex species="{i}"/>'
    '</zx:reaction>',
]
TOKENS = ["complex", "protein", "DNA_promoter", "RNA", "metabolite", "binding", "transcription",
          "degradation", "reversible_conversion", "ON", "OFF", "1", "2", "3", "Gene-Protein",
          "Metabolic", "none", "7", "99"]
BAD_OUTPUT = re.compile(r"AddressSanitizer|LeakSanitizer|runtime error:|Exception in thread|"
                        r"hs_err_pid|A fatal error has been detected|Segmentation fault")


def seeds(arguments):
    if arguments:
        return arguments
    patterns = ["examples/*.xml", "tests/models/*.xml", "tests/models/real/*.xml",
                "tests/cases/*/*/*.xml"]
    found = [path for pattern in patterns for path in glob.glob(os.path.join(ROOT, pattern))]
    return sorted(path for path in found if os.path.getsize(path) < 200000)


def ids_of(text):
    return re.findall(r'\bid="([^"]*)"', text) or ["x"]


def replace_random(text, pattern, make):
    """Replaces one random match of the pattern by make(match)."""
    matches = list(re.finditer(pattern, text))
    if not matches:
        return text
    match = random.choice(matches)
    return text[:match.start()] + make(match) + text[match.end():]


def mutate_number(text):
    return replace_random(text, r'(\b(?:initialAmount|initialConcentration|stoichiometry|size|'
                                r'denominator|sboTerm)=")[^"]*"',
                          lambda m: m.group(1) + random.choice(ODD_NUMBERS) + '"')


def mutate_reference(text):
    ids = ids_of(text) + ["missing", ""]
    return replace_random(text, r'(\b(?:species|compartment)=")[^"]*"',
                          lambda m: m.group(1) + random.choice(ids) + '"')


def mutate_sbo(text):
    term = random.choice([177, 179, 180, 183, 184, 185, 243, 250, 252, 253, 247, 459, 20, 13, 0])
    return replace_random(text, r'<(species|reaction|modifierSpeciesReference|speciesReference)\b',
                          lambda m: m.group(0) + ' sboTerm="SBO:%07d"' % term)


def mutate_annotation(text):
    fill = {key: random.choice(TOKENS) for key in "colt"}
    fill.update(i=random.choice(ids_of(text)), n=random.choice(ODD_NUMBERS))
    annotation = random.choice(ANNOTATIONS).format(**fill)
    return replace_random(text, r'<(species|reaction|modifierSpeciesReference)\b[^>]*?(/?)>',
                          lambda m: m.group(0)[:-2] + "><annotation>" + annotation +
                          "</annotation></" + m.group(1) + ">" if m.group(2) else
                          m.group(0) + "<annotation>" + annotation + "</annotation>")


def mutate_lines(text):
    lines = text.split("\n")
    i, j = random.randrange(len(lines)), random.randrange(len(lines))
    choice = random.randrange(3)
    if choice == 0:
        del lines[i]
    elif choice == 1:
        lines.insert(j, lines[i])
    else:
        lines[i], lines[j] = lines[j], lines[i]
    return "\n".join(lines)


def mutate_nesting(text):
    depth = random.choice([50, 499, 501, 2000, 20000])
    nest = '<a xmlns="urn:fuzz">' + "<a>" * (depth - 1) + "</a>" * depth
    return replace_random(text, r"<annotation>", lambda m: m.group(0) + nest)


def mutate_bytes(text):
    data = bytearray(text.encode("utf-8", "surrogateescape"))
    for _ in range(random.randint(1, 8)):
        if not data:
            break
        position = random.randrange(len(data))
        choice = random.randrange(3)
        if choice == 0:
            data[position] = random.randrange(256)
        elif choice == 1:
            del data[position]
        else:
            data[position:position] = bytes([random.choice(b"<>\"'&;=/ \x00\xe3\x81")])
    return data.decode("utf-8", "surrogateescape")


def mutate_name(text):
    names = ["A", "A B", "x[1]", "k;1", "\u65e5\u672c", "\U0001f600", "a" * 300, "", "#", "T_A"]
    return replace_random(text, r'(\bname=")[^"]*"', lambda m: m.group(1) + random.choice(names) + '"')


def truncate(text):
    return text[:random.randrange(len(text) + 1)]


MUTATORS = [mutate_number, mutate_number, mutate_reference, mutate_sbo, mutate_annotation,
            mutate_annotation, mutate_lines, mutate_nesting, mutate_bytes, mutate_name, truncate]


def mutant(seed_text):
    text = seed_text
    for _ in range(random.randint(1, 4)):
        text = random.choice(MUTATORS)(text)
    return text


def dae_has_variables(path):
    with open(path, "rb") as handle:
        section = handle.read().split(b"== Variables ==", 1)[-1].split(b"== Used Parameters", 1)[0]
    return re.search(rb"^[xy]\[", section, re.M) is not None


def run_rxnconv(build, work, model):
    pair = random.choice(PAIRS)
    listing = random.random() < 0.2
    command = [os.path.join(build, "bin", "rxnconv"), "-N" + model, "-Uusage.txt",
               "-Dmodel.dae", pair[0], pair[1]]
    if listing:
        command = [command[0], "-C" + model, "-Plist.xml"]
    env = dict(os.environ, TELUV_HOME=build, XERCES_HOME=build, LC_ALL="C",
               ZYMORAX_SYSLOG=os.path.join(work, "sys.log"))
    for name in ("model.dae", "sys.log"):
        if os.path.exists(os.path.join(work, name)):
            os.remove(os.path.join(work, name))
    try:
        done = subprocess.run(command, cwd=work, env=env, stdin=subprocess.DEVNULL,
                              capture_output=True, timeout=RUN_SECONDS)
    except subprocess.TimeoutExpired:
        return command, None, "timed out after %d s" % RUN_SECONDS
    output = (done.stdout + done.stderr).decode("utf-8", "replace")
    if os.path.exists(env["ZYMORAX_SYSLOG"]):
        with open(env["ZYMORAX_SYSLOG"], "rb") as handle:
            output += handle.read().decode("latin-1")
    return command, done.returncode, output


def verdict(work, command, status, output):
    """Why the run is a finding, or None."""
    if status is None:
        return output
    if status not in (0, 255):
        return "exit status %d" % status
    if BAD_OUTPUT.search(output):
        return "sanitizer report or JVM failure in the output"
    # A layer left out on request (method NONE) may leave the file without variables.
    converts_all = "-Dmodel.dae" in command and not any(arg.endswith("NONE") for arg in command)
    if status == 0 and converts_all and not dae_has_variables(os.path.join(work, "model.dae")):
        return "exit 0 with a DAE file without variables"
    return None


def keep(findings, text, command, status, output, reason):
    os.makedirs(findings, exist_ok=True)
    number = len(glob.glob(os.path.join(findings, "*.xml"))) + 1
    base = os.path.join(findings, "%d" % number)
    with open(base + ".xml", "w", encoding="utf-8", errors="surrogateescape") as handle:
        handle.write(text)
    with open(base + ".txt", "w", encoding="utf-8") as handle:
        handle.write("%s\n%s\nstatus %s\n%s" % (reason, " ".join(command), status, output))
    print("finding %d: %s" % (number, reason))


def main():
    if len(sys.argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    build, seconds, findings = os.path.abspath(sys.argv[1]), float(sys.argv[2]), sys.argv[3]
    texts = []
    for path in seeds(sys.argv[4:]):
        with open(path, encoding="utf-8", errors="surrogateescape") as handle:
            texts.append(handle.read())
    random.seed(os.environ.get("FUZZ_SEED", time.time()))
    runs = found = 0
    end = time.time() + seconds
    with tempfile.TemporaryDirectory() as work:
        model = os.path.join(work, "model.xml")
        while time.time() < end:
            text = mutant(random.choice(texts))
            with open(model, "w", encoding="utf-8", errors="surrogateescape") as handle:
                handle.write(text)
            command, status, output = run_rxnconv(build, work, model)
            runs += 1
            reason = verdict(work, command, status, output)
            if reason:
                found += 1
                keep(findings, text, command, status, output, reason)
    print("model_reader_fuzz: %d runs, %d findings" % (runs, found))
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main())
