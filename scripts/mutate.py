#!/usr/bin/env python3
"""Mutation run over the natively tested logic: scripts/mutate.py [--seed 4217] [--count 170] [--ids 3,40-169] [--list]."""
# Each mutant is one small change to one line of src/: applied, the native unit
# tests rebuilt without sanitizers and run, and the file put back. A mutant the
# tests fail on is killed; one they pass survived; one that does not compile is
# left out of the ratio. Comments, string literals, asserts and logging are not
# mutated. Files are put back even on Ctrl-C; the run refuses a dirty src/.

import argparse
import random
import re
import signal
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = ROOT / "build" / "mutants"
# The product code the native unit tests link (tests/CMakeLists.txt). The
# Windows layer is tested under Wine only; the pulldown tool's signal handling
# and its entry point only by the stream tests; the window layouts are tables
# of positions, not logic. Only .cpp files: a changed header would rebuild
# most of the tree for each mutant.
FOLDERS = ["src/workflow", "src/settings", "src/main_window", "src/about", "src/platform", "src/pulldown"]
LEFT_OUT = {"src/pulldown/main_posix.cpp", "src/pulldown/posix_interrupts.cpp"}
UNIT_TESTS = "morvane_unit_tests"
PULLDOWN_TESTS = "morvane_pulldown_tests"
TEST_SECONDS = 60  # a hang counts as killed
BUILD_SECONDS = 900

RELATIONAL = ["<=", ">=", "==", "!=", "<", ">"]
SKIPPED_LINE = re.compile(r"^\s*#|\bassert\s*\(|\bstatic_assert\b|\blog\w*\s*\(|\bLOG\b")
KEYWORDS = {"return", "if", "while", "for", "switch", "case", "else", "do", "delete", "throw", "co_return",
            "new", "using", "namespace", "template", "typedef", "goto", "const", "static", "auto"}
CALL_STATEMENT = re.compile(r"^\s*(?:::)?[A-Za-z_][\w:]*(?:(?:\.|->)[A-Za-z_]\w*|\[[^\]]*\]|\(\))*(?:<[\w:, ]*>)?\s*\(.*\);\s*$")


@dataclass
class Mutant:
    path: str   # relative to ROOT
    line: int   # 0-based
    start: int  # column span replaced in the line
    end: int
    new: str
    kind: str

    def apply(self, lines):
        text = lines[self.line]
        if self.kind == "swap calls":
            lines[self.line], lines[self.line + 1] = lines[self.line + 1], lines[self.line]
        else:
            lines[self.line] = text[:self.start] + self.new + text[self.end:]
        return lines

    def describe(self, lines):
        old = lines[self.line][self.start:self.end]
        if self.kind == "delete call":
            return f"delete call `{lines[self.line].strip()}`"
        if self.kind == "swap calls":
            return f"swap `{lines[self.line].strip()}` with the next line"
        return f"{self.kind}: `{old}` -> `{self.new}`"


def code_only(source):
    """The source with comments and the insides of string and character literals blanked, same positions."""
    out, i, n = list(source), 0, len(source)
    while i < n:
        two = source[i:i + 2]
        if two == "//":
            while i < n and source[i] != "\n":
                out[i] = " "
                i += 1
        elif two == "/*":
            end = source.find("*/", i + 2)
            end = n if end < 0 else end + 2
            for j in range(i, end):
                if source[j] != "\n":
                    out[j] = " "
            i = end
        elif source[i] in "\"'" and not (source[i] == "'" and i > 0 and source[i - 1].isalnum()):
            raw = source[i] == '"' and i > 0 and source[i - 1] == "R"
            if raw:
                close = ")" + source[i + 1:source.index("(", i)] + '"'
                end = source.index(close, i) + len(close)
            else:
                end = i + 1
                while end < n and source[end] != source[i]:
                    end += 2 if source[end] == "\\" else 1
                end += 1
            for j in range(i + 1, end - 1):
                if source[j] != "\n":
                    out[j] = " "
            i = end
        else:
            i += 1
    return "".join(out)


def is_call_statement(code):
    match = CALL_STATEMENT.match(code)
    if not match:
        return False
    first = re.match(r"\s*(?:::)?([A-Za-z_]\w*)", code).group(1)
    head = code[:code.index("(")]
    return first not in KEYWORDS and "=" not in head and " " not in head.strip()


def sites(path, rng):
    """Every mutant of one file, each with one replacement chosen by rng."""
    source = (ROOT / path).read_text(encoding="utf-8")
    lines, code = source.split("\n"), code_only(source).split("\n")
    found = []

    def add(number, match, new, kind, group=0):
        found.append(Mutant(path, number, match.start(group), match.end(group), new, kind))

    for number, text in enumerate(code):
        if not text.strip() or SKIPPED_LINE.search(text):
            continue
        for m in re.finditer(r"(?<=\s)(<=|>=|==|!=|<|>)(?=\s)", text):
            add(number, m, rng.choice([op for op in RELATIONAL if op != m.group(1)]), "relational")
        for m in re.finditer(r"(?<=\s)([-+*/])=?(?=\s)", text):
            add(number, m, {"+": "-", "-": "+", "*": "/", "/": "*"}[m.group(1)], "arithmetic", 1)
        for m in re.finditer(r"(?<![\w.'])(0[xX][0-9A-Fa-f]+|\d+)(?![\w.'])", text):
            literal = m.group(1)
            form = "x" if literal[1:2] in ("x", "X") else "o" if len(literal) > 1 and literal[0] == "0" else "d"
            value = int(literal, {"x": 16, "o": 8, "d": 10}[form])
            value += rng.choice([-1, 1]) if value > 0 else 1
            add(number, m, {"x": hex, "o": lambda v: "0" + format(v, "o"), "d": str}[form](value),
                "constant off by one")
        for m in re.finditer(r"!(?!=)", text):
            add(number, m, "", "negation removed")
        for m in re.finditer(r"\b(if|while) \(", text):
            depth, close = 0, None
            for j in range(m.end() - 1, len(text)):
                depth += {"(": 1, ")": -1}.get(text[j], 0)
                if depth == 0:
                    close = j
                    break
            declares = close is not None and re.search(r"(?<![=!<>])=(?!=)|;", text[m.end():close])
            if close is not None and not declares:
                inner = lines[number][m.end():close]
                found.append(Mutant(path, number, m.end(), close, f"!({inner})", "negation added"))
        for m in re.finditer(r"\b(true|false)\b", text):
            add(number, m, "false" if m.group(1) == "true" else "true", "boolean")
        for m in re.finditer(r"&&|\|\|", text):
            add(number, m, "||" if m.group(0) == "&&" else "&&", "and/or")
        # A call that is a whole statement of its own: the line before ends one.
        previous = code[number - 1].rstrip() if number else ""
        if is_call_statement(text) and (not previous or previous[-1] in ";{}:)"):
            indent = len(text) - len(text.lstrip())
            found.append(Mutant(path, number, 0, len(lines[number]), " " * indent + "{}", "delete call"))
            following = code[number + 1] if number + 1 < len(code) else ""
            if (is_call_statement(following) and len(following) - len(following.lstrip()) == indent
                    and following != text):
                found.append(Mutant(path, number, 0, 0, "", "swap calls"))
    return found


def product_files():
    files = []
    for folder in FOLDERS:
        for path in sorted((ROOT / folder).glob("*.cpp")):
            relative = path.relative_to(ROOT).as_posix()
            if relative not in LEFT_OUT and not relative.endswith("_layout.cpp"):
                files.append(relative)
    return files


def run(command, seconds):
    try:
        return subprocess.run(command, cwd=ROOT, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=seconds).returncode
    except subprocess.TimeoutExpired:
        return None


def build():
    return run(["cmake", "--build", str(BUILD), "-j2", "--target", UNIT_TESTS, PULLDOWN_TESTS], BUILD_SECONDS) == 0


def tests_pass(path):
    program = PULLDOWN_TESTS if path.startswith("src/pulldown/") else UNIT_TESTS
    code = run([str(BUILD / "tests" / "unit" / program), "--gtest_fail_fast", "--gtest_brief=1"], TEST_SECONDS)
    return code == 0


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--seed", type=int, default=4217)
    parser.add_argument("--count", type=int, default=170)
    parser.add_argument("--ids", help="run only these mutants of the sample, as 3,17 or 40-169")
    parser.add_argument("--list", action="store_true", help="print the sample and build nothing")
    args = parser.parse_args()
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(130))

    # The sample is drawn from the committed sources, so that a seed names the same mutants.
    if subprocess.run(["git", "status", "--porcelain", "--", "src"], cwd=ROOT, capture_output=True,
                      text=True).stdout.strip():
        sys.exit("src/ has uncommitted changes; commit or stash them first")
    rng = random.Random(args.seed)
    every = [m for path in product_files() for m in sites(path, rng)]
    sample = rng.sample(every, min(args.count, len(every)))
    chosen = range(len(sample)) if not args.ids else [
        i for part in args.ids.split(",") for i in range(int(part.split("-")[0]), int(part.split("-")[-1]) + 1)]
    print(f"{len(every)} possible mutants; {len(sample)} chosen with seed {args.seed}", flush=True)
    if args.list:
        for index in chosen:
            lines = (ROOT / sample[index].path).read_text(encoding="utf-8").split("\n")
            print(f"#{index} {sample[index].path}:{sample[index].line + 1} {sample[index].describe(lines)}")
        return

    if not (BUILD / "build.ninja").exists():
        subprocess.run(["cmake", "-S", str(ROOT), "-B", str(BUILD), "-G", "Ninja", "-DCMAKE_BUILD_TYPE=Debug",
                        "-DMORVANE_SANITIZE=OFF"], check=True, capture_output=True)
    if not build() or not tests_pass("src/") or not tests_pass("src/pulldown/"):
        sys.exit("the unmutated build or its tests fail")

    results, survivors, began = {"killed": 0, "survived": 0, "compile error": 0}, [], time.monotonic()
    for index in chosen:
        mutant = sample[index]
        file = ROOT / mutant.path
        original = file.read_text(encoding="utf-8")
        lines = original.split("\n")
        what = f"#{index} {mutant.path}:{mutant.line + 1} {mutant.describe(lines)}"
        try:
            file.write_text("\n".join(mutant.apply(lines)), encoding="utf-8")
            outcome = "compile error" if not build() else "survived" if tests_pass(mutant.path) else "killed"
        finally:
            file.write_text(original, encoding="utf-8")
        results[outcome] += 1
        if outcome == "survived":
            survivors.append(what)
        print(f"{outcome:13} {what}", flush=True)

    changing = results["killed"] + results["survived"]
    print(f"\n{len(chosen)} mutants in {time.monotonic() - began:.0f} s: {results['killed']} killed, "
          f"{results['survived']} survived, {results['compile error']} did not compile; "
          f"killed {100 * results['killed'] / max(changing, 1):.1f}% of those that built")
    for what in survivors:
        print("survived:", what)
    build()  # leave the build matching the sources


if __name__ == "__main__":
    main()
