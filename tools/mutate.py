#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Mutation check: how many small faults in the program's own source the tests notice.

A fixed seed picks a sample of mutation sites (a flipped comparison, + and -, && and ||, a
constant 0 or 1, a return value dropped, a call statement dropped) over engine/, execution/,
files/ and graph/. Each mutant is applied alone, the test programs are rebuilt in a build
folder of their own, and the tests run: a mutant is killed when a test fails, survives when all
pass, times out, or is stillborn when it does not compile. The report gives the counts per
folder and per file and lists the survivors.

    tools/mutate.py [--sample N] [--seed S] [--build DIR] [--report FILE] [--list]
                    [--resume LOG | --previous LOG]

--list only writes the sample; the sample and the last report are kept in tools/mutation/.
Both other options read the printed lines of an earlier run on the same source: --resume keeps
every outcome found there (an interrupted run goes on), --previous runs again only the mutants
it killed (after a change of the tests alone, a mutant that survived or did not compile keeps
its outcome). A smaller sample of the same seed is part of a larger one.
"""
import argparse
import ast
import os
import random
import re
import subprocess
import sys
import time
from collections import defaultdict

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FOLDERS = ["engine", "execution", "files", "graph"]
TARGETS = ["engine_tests", "execution_tests", "guide_tests", "orbex-batch", "shell_tests"]
TEST_TIMEOUT = 300   # seconds for the whole suite of one mutant

# Each operator: a name and a pattern whose first group is replaced by the second element.
OPERATORS = [
    ("<= to <", re.compile(r"(?<= )(<=)(?= )"), "<"),
    ("< to <=", re.compile(r"(?<= )(<)(?= )"), "<="),
    (">= to >", re.compile(r"(?<= )(>=)(?= )"), ">"),
    ("> to >=", re.compile(r"(?<= )(>)(?= )"), ">="),
    ("== to !=", re.compile(r"(==)"), "!="),
    ("!= to ==", re.compile(r"(!=)"), "=="),
    ("&& to ||", re.compile(r"(&&)"), "||"),
    ("|| to &&", re.compile(r"(\|\|)"), "&&"),
    ("+ to -", re.compile(r"(?<= )(\+)(?= )"), "-"),
    ("- to +", re.compile(r"(?<= )(-)(?= )"), "+"),
    ("0 to 1", re.compile(r"(?<![\w.])(0)(?![\w.])"), "1"),
    ("1 to 0", re.compile(r"(?<![\w.])(1)(?![\w.])"), "0"),
]
RETURN_VALUE = re.compile(r"^(\s*return )([^;{}]+)(;.*)$")
CALL_STATEMENT = re.compile(r"^(\s*)([A-Za-z_][\w:]*(?:->|\.)?[\w:]*\([^;]*\);)\s*(//.*)?$")


def sources():
    for folder in FOLDERS:
        for name in sorted(os.listdir(os.path.join(ROOT, folder))):
            if name.endswith(".cpp"):
                yield os.path.join(folder, name)


def code_part(line):
    """The line without its comment and string literals (blanked, so columns stay)."""
    out, quote, i = [], None, 0
    while i < len(line):
        c = line[i]
        if quote:
            out.append(" ")
            if c == "\\":
                out.append(" ")
                i += 1
            elif c == quote:
                quote = None
        elif c in "\"'":
            quote = c
            out.append(" ")
        elif line.startswith("//", i):
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)


def sites():
    """Every mutation site: (file, line number, column, operator name, old, new)."""
    found = []
    for path in sources():
        with open(os.path.join(ROOT, path)) as f:
            lines = f.read().split("\n")
        for number, line in enumerate(lines, 1):
            stripped = line.strip()
            if not stripped or stripped.startswith(("#", "//", "///", "*", "static_assert")):
                continue
            code = code_part(line)
            for name, pattern, new in OPERATORS:
                for match in pattern.finditer(code):
                    found.append((path, number, match.start(1), name, match.group(1), new))
            match = RETURN_VALUE.match(code)
            if match and match.group(2).strip() not in ("{}", "true", "false"):
                found.append((path, number, len(match.group(1)), "return value dropped", match.group(2), "{}"))
            elif CALL_STATEMENT.match(code) and not stripped.startswith(("return", "case", "else")):
                found.append((path, number, len(line) - len(line.lstrip()), "call dropped", stripped, ";"))
    return found


def apply(text, site):
    path, number, column, name, old, new = site
    lines = text.split("\n")
    line = lines[number - 1]
    if name == "call dropped":
        lines[number - 1] = line[:column] + ";"
    else:
        assert line[column:column + len(old)] == old, (site, line)
        lines[number - 1] = line[:column] + new + line[column + len(old):]
    return "\n".join(lines)


def run(command, timeout=None):
    try:
        return subprocess.run(command, cwd=ROOT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout).returncode
    except subprocess.TimeoutExpired:
        return None


def build(folder):
    return run(["cmake", "--build", folder, "--target", *TARGETS, "-j", str(os.cpu_count() or 2)]) == 0


def test(folder):
    """True when every test passes, False when one fails, None on a timeout."""
    code = run(["ctest", "--test-dir", folder, "-j", str(os.cpu_count() or 2), "-E", "window_e2e|window_without_display|_has_no_fltk",
                "--stop-on-failure", "--timeout", "120"], timeout=TEST_TIMEOUT)
    return None if code is None else code == 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--sample", type=int, default=120)
    parser.add_argument("--seed", type=int, default=20261207)
    parser.add_argument("--build", default=os.path.join(ROOT, "build-mutate"))
    parser.add_argument("--report", default=os.path.join(ROOT, "tools", "mutation", "report.md"))
    parser.add_argument("--list", action="store_true", help="only write the sample")
    parser.add_argument("--sample-from", help="the sample written by an earlier run (its sample.txt)")
    parser.add_argument("--resume", help="the printed lines of an interrupted run: its outcomes are kept")
    parser.add_argument("--previous", help="the printed lines of a run before the tests changed")
    args = parser.parse_args()

    every = sites()
    if args.sample_from:   # the same mutants, though other lines of the source changed since
        sample = read_sample(args.sample_from)
    else:
        sample = sorted(random.Random(args.seed).sample(every, min(args.sample, len(every))))
    os.makedirs(os.path.dirname(args.report), exist_ok=True)
    with open(os.path.join(os.path.dirname(args.report), "sample.txt"), "w") as f:
        f.write(f"# {len(sample)} of {len(every)} sites, seed {args.seed}\n")
        for site in sample:
            f.write("%s:%d:%d %s: %r -> %r\n" % site)
    if args.list:
        return 0

    subprocess.run(["cmake", "-S", ROOT, "-B", args.build, "-DCMAKE_BUILD_TYPE=Release"], check=True,
                   stdout=subprocess.DEVNULL)
    if not build(args.build) or not test(args.build):
        sys.exit("mutate: the unmutated program must build and pass its tests")
    earlier = read_outcomes(args.resume or args.previous)
    results = []   # (site, outcome)
    start = time.time()
    for index, site in enumerate(sample, 1):
        outcome = earlier.get(site_key(site))
        if outcome is not None and (args.resume or outcome != "killed"):
            results.append((site, outcome))
            continue
        path = os.path.join(ROOT, site[0])
        with open(path) as f:
            original = f.read()
        try:
            with open(path, "w") as f:
                f.write(apply(original, site))
            if not build(args.build):
                outcome = "stillborn"
            else:
                passed = test(args.build)
                outcome = "timed out" if passed is None else "survived" if passed else "killed"
        finally:
            with open(path, "w") as f:
                f.write(original)
        results.append((site, outcome))
        print(f"[{index}/{len(sample)} {time.time() - start:.0f} s] {site[0]}:{site[1]}:{site[2]} {site[3]}: {outcome}",
              flush=True)
    build(args.build)   # leave the folder built from the real source
    write_report(args, len(every), results)
    return 0


def read_sample(path):
    sample = []
    with open(path) as f:
        for line in f:
            match = re.match(r"([^\s:]+):(\d+):(\d+) (.+?): ('.*'|\".*\") -> ('.*'|\".*\")$", line.rstrip("\n"))
            if match:
                sample.append((match.group(1), int(match.group(2)), int(match.group(3)), match.group(4),
                               ast.literal_eval(match.group(5)), ast.literal_eval(match.group(6))))
    return sample


def site_key(site):
    return f"{site[0]}:{site[1]}:{site[2]} {site[3]}"


def read_outcomes(log):
    """Outcomes by site from the printed lines of a run; lines without a column (older runs)
    count where their file, line and operator name one site only."""
    outcomes = {}
    if not log:
        return outcomes
    sites_by_line = defaultdict(list)
    for site in sites():
        sites_by_line[f"{site[0]}:{site[1]} {site[3]}"].append(site)
    with open(log) as f:
        for line in f:
            match = re.match(r"\[\d+/\d+ \d+ s\] ([^\s:]+):(\d+)(:\d+)? (.+): (killed|survived|timed out|stillborn)$",
                             line.strip())
            if not match:
                continue
            path, number, column, name, outcome = match.groups()
            place = f"{path}:{number}"
            if column:
                outcomes[f"{place}{column} {name}"] = outcome
            elif len(sites_by_line[f"{place} {name}"]) == 1:
                outcomes[site_key(sites_by_line[f"{place} {name}"][0])] = outcome
    return outcomes


def write_report(args, total, results):
    by_folder, by_file = defaultdict(lambda: defaultdict(int)), defaultdict(lambda: defaultdict(int))
    for site, outcome in results:
        by_folder[site[0].split("/")[0]][outcome] += 1
        by_file[site[0]][outcome] += 1
    kinds = ["killed", "survived", "timed out", "stillborn"]

    def row(name, counts):
        live = counts["killed"] + counts["survived"] + counts["timed out"]
        score = 100.0 * (counts["killed"] + counts["timed out"]) / live if live else 0.0
        return f"| {name} | " + " | ".join(str(counts[k]) for k in kinds) + f" | {score:.0f} % |"

    header = "| | " + " | ".join(kinds) + " | score |\n|---|" + "---|" * (len(kinds) + 1)
    with open(args.report, "w") as f:
        f.write(f"# Mutation report\n\n{len(results)} mutants of {total} sites, seed {args.seed}, "
                f"{time.strftime('%Y-%m-%d')}. Score: killed or timed out, of those that compiled.\n\n")
        f.write(header + "\n")
        for folder in sorted(by_folder):
            f.write(row(folder, by_folder[folder]) + "\n")
        total_counts = defaultdict(int)
        for counts in by_folder.values():
            for k, v in counts.items():
                total_counts[k] += v
        f.write(row("all", total_counts) + "\n\n## Per file\n\n" + header + "\n")
        for path in sorted(by_file):
            f.write(row(path, by_file[path]) + "\n")
        f.write("\n## Survivors\n\n")
        for site, outcome in results:
            if outcome == "survived":
                f.write("- %s:%d %s: `%s` -> `%s`\n" % (site[0], site[1], site[3], site[4], site[5]))
    print(f"mutate: report in {os.path.relpath(args.report, ROOT)}")


if __name__ == "__main__":
    sys.exit(main())
