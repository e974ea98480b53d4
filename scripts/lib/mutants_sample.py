"""Faults drawn by rule over src/ and hook/: each integer constant one up and one down, each
comparison and arithmetic operator swapped, each if/while condition negated, each statement
removed. A sample is drawn with a fixed seed; each fault runs the suite that covers its file
(the unit tests when they include its header, else the Windows tests that do, else the driver
tests), and a fault that does not build is skipped."""
import os
import random
import re

COMPARISONS = [(" < ", " <= "), (" <= ", " < "), (" > ", " >= "), (" >= ", " > "), (" == ", " != "),
               (" != ", " == ")]
ARITHMETIC = [(" + ", " - "), (" - ", " + "), (" * ", " / "), (" / ", " * ")]
NO_STATEMENT = re.compile(r"^\s*(return\b|case\b|default\b|break\b|continue\b|[{}]|#|//|using\b|namespace\b|"
                          r"public:|private:|protected:|template\b|static_assert\b|\w[\w:<>,\s*&]*\s\w+(\[.*\])?\s*[;={(])")


def masked(line):
    """The line with string and character literals blanked and a trailing comment cut, same length."""
    out, i, quote = [], 0, None
    while i < len(line):
        c = line[i]
        if quote:
            if c == "\\":
                out.append("__"[: len(line[i:i + 2])])
                i += 2
                continue
            out.append(quote if c == quote else "_")
            quote = None if c == quote else quote
        elif c in "\"'":
            quote = c
            out.append(c)
        elif line.startswith("//", i):
            out.append(" " * (len(line) - i))
            break
        else:
            out.append(c)
        i += 1
    return "".join(out)[: len(line)]


def closing(code, start):
    depth = 0
    for i in range(start, len(code)):
        depth += code[i] == "("
        depth -= code[i] == ")"
        if depth == 0:
            return i
    return -1


def faults_of_line(line):
    code = masked(line)
    stripped = code.strip()
    if not stripped or stripped.startswith(("#", "//", "*", "/*")):
        return []
    found = []
    for m in re.finditer(r"(?<![\w.'])(\d+)(?![\w.'])", code):
        for delta in (1, -1):
            value = int(m.group(1)) + delta
            if value >= 0:
                found.append((line[: m.start()] + str(value) + line[m.end():],
                              "constant %s -> %d" % (m.group(1), value)))
    for table, kind in ((COMPARISONS, "comparison"), (ARITHMETIC, "operator")):
        for op, replacement in table:
            for m in re.finditer(re.escape(op), code):
                found.append((line[: m.start()] + replacement + line[m.end():],
                              "%s%s->%s" % (kind, op.rstrip(), replacement.rstrip())))
    for m in re.finditer(r"\b(if|while) \(", code):
        open_at = m.end() - 1
        close_at = closing(code, open_at)
        if close_at > open_at:
            found.append((line[: open_at + 1] + "!(" + line[open_at + 1: close_at] + ")" + line[close_at:],
                          "condition negated"))
    if stripped.endswith(";") and not NO_STATEMENT.match(code) and stripped != ";":
        indent = line[: len(line) - len(line.lstrip())]
        found.append((indent + ";", "statement removed"))
    return found


def all_faults(root):
    faults = []
    for folder in ("src", "hook"):
        for base, _, names in sorted(os.walk(os.path.join(root, folder))):
            for name in sorted(names):
                if not name.endswith(".cpp"):
                    continue
                path = os.path.relpath(os.path.join(base, name), root)
                lines = open(os.path.join(root, path), encoding="utf-8").read().split("\n")
                for number, line in enumerate(lines, 1):
                    for mutated, what in faults_of_line(line):
                        faults.append((path, number, line, mutated, what))
    return faults


def test_names(paths):
    names = set()
    for path in paths:
        text = open(path, encoding="utf-8").read()
        names.update(re.findall(r"^TEST(?:_F|_P)?\((\w+),", text, re.M))
    return sorted(names)


def suite_of(root, path):
    """The suite and the gtest filter that cover the file."""
    text = open(os.path.join(root, path), encoding="utf-8").read()
    own = re.findall(r'^#include "((?:\w+/)*\w+\.h)"', text, re.M)
    header = own[0] if own else ""
    if path.startswith("hook/"):
        return "e2e", "HookLink*"
    for suite in ("unit", "win", "e2e"):
        folder = os.path.join(root, "tests", suite)
        users = [os.path.join(folder, f) for f in sorted(os.listdir(folder)) if f.endswith(".cpp") and header and
                 ('#include "%s"' % header) in open(os.path.join(folder, f), encoding="utf-8").read()]
        if users:
            return suite, ":".join(n + ".*" for n in test_names(users))
    return "e2e", ""


def sample(root, count, seed):
    faults = all_faults(root)
    picked = random.Random(seed).sample(faults, min(count, len(faults)))
    return len(faults), [(p, n, line, mutated, what, suite_of(root, p)) for p, n, line, mutated, what in picked]
