"""Faults drawn by rule over src/ and hook/: each integer constant one up and one down, each
comparison and arithmetic operator swapped, each if/while condition negated, each statement
removed. They are taken in an order fixed by a seed; one that does not build is skipped."""
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


def shuffled(root, seed):
    """All faults, in an order fixed by the seed."""
    faults = all_faults(root)
    random.Random(seed).shuffle(faults)
    return len(faults), faults
