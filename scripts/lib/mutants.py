"""Runs the mutants of a list: each line is file, text, replacement, suite, what it breaks, with
tabs between; the texts stand as they are, with ⏎ for a line break (a fault that moves a line).
Lines starting with # are notes."""
import os
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import mutants_coverage  # noqa: E402
import mutants_sample  # noqa: E402

SUITES = {"unit": "unit_tests", "win": "win_tests", "e2e": "e2e_tests"}


def load(path):
    mutants = []
    for number, line in enumerate(open(path, encoding="utf-8"), 1):
        line = line.rstrip("\n")
        if not line.strip() or line.startswith("#"):
            continue
        parts = line.split("\t")
        if len(parts) != 5 or parts[3].split(":")[0] not in SUITES:
            sys.exit("%s:%d: want file, text, replacement, suite (unit, win or e2e, with :tests to run only "
                     "those), behaviour" % (path, number))
        text, replacement = (part.replace("\u23ce", "\n") for part in parts[1:3])
        mutants.append((number, parts[0], text, replacement, parts[3], parts[4]))
    return mutants


def run_suite(preset, binary_dir, suite_and_filter):
    suite, _, gtest_filter = suite_and_filter.partition(":")
    if not build(preset, SUITES[suite]):
        return "refused: does not build"
    return run_cases(binary_dir, suite, gtest_filter.split(":") if gtest_filter else ["*"])


def build(preset, *targets):
    return subprocess.run(["cmake", "--build", "--preset", preset, "--target", *targets],
                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL).returncode == 0


def first_failure(output):
    for line in output.splitlines():
        if line.startswith("[  FAILED  ] ") and "." in line:
            name = line[len("[  FAILED  ] "):].split()[0]
            # A disabled case runs only in another case's child process, whose output that case
            # prints; the case to run again is the parent.
            if ".DISABLED_" not in name:
                return name
    return None


def run_cases(binary_dir, suite, cases):
    """killed (with the case) or SURVIVED; a case that failed once must fail again alone, since a
    driver case now and then misses its first input."""
    exe = os.path.abspath(os.path.join(binary_dir, SUITES[suite] + ".exe"))
    wine = "/usr/lib/wine/wine64" if os.environ.get("WINEARCH") == "win64" else "wine"

    def run(names, *extra):
        # The output goes to a file, not a pipe: a crash's debugger (winedbg --auto) inherits it and
        # may live on, which would hold a pipe open and the run with it.
        with tempfile.TemporaryDirectory() as scratch:
            out_path = os.path.join(scratch, "out.txt")
            with open(out_path, "w") as out:
                try:
                    code = subprocess.run([wine, exe, "--gtest_filter=" + ":".join(names), *extra], stdout=out,
                                          stderr=subprocess.STDOUT, timeout=120 + 30 * len(names),
                                          cwd=scratch).returncode
                except subprocess.TimeoutExpired:
                    code = None
            subprocess.run(["pkill", "-f", "^winedbg --auto"], check=False)
            with open(out_path, errors="replace") as f:
                text = f.read()
        return code == 0, (first_failure(text) if code is not None else None)

    for _ in range(2):
        passed, failed = run(cases, "--gtest_fail_fast", "--gtest_brief=1")
        if passed:
            return "SURVIVED"
        if failed is None or not run([failed])[0]:
            return "killed by " + (failed or "a crash or a hang")
    return "killed by two unrepeatable failures"


def run_sampled(preset, binary_dir, path, coverage):
    """Builds the fault and runs the cases that reach its line, cheapest suite first."""
    if not build(preset, "Kestrola", "KestrolaHook"):
        return "refused: does not build"
    number = coverage["at"]
    by_suite = mutants_coverage.cases_reaching(coverage["map"], path, number)
    if by_suite is None:
        by_suite = {suite: ["*"] for suite in SUITES}
    if not by_suite:
        return "SURVIVED: no case runs the line"
    for suite in ("unit", "win", "e2e"):
        if suite in by_suite:
            if not build(preset, SUITES[suite]):
                return "refused: does not build"
            result = run_cases(binary_dir, suite, by_suite[suite])
            if result.startswith("killed"):
                return result
    return "SURVIVED"


def main(preset, binary_dir, listing, *only):
    if only and only[0] == "--sample":
        return main_sampled(preset, binary_dir, int(only[1]),
                            int(only[3]) if len(only) > 3 and only[2] == "--seed" else 1)
    mutants = load(listing)
    if only:
        mutants = [m for m in mutants if str(m[0]) in only]
    start = time.time()
    # A suite that fails as the sources stand would kill every mutant: none is counted then.
    for suite in sorted({m[4] for m in mutants}):
        if run_suite(preset, binary_dir, suite) != "SURVIVED":
            sys.exit("the suite %s does not pass without a mutant" % suite)
    counts = {}
    for number, path, text, replacement, suite, behaviour in mutants:
        result = with_fault(path, text, replacement, lambda: run_suite(preset, binary_dir, suite))
        key = result.split(":")[0]
        counts[key] = counts.get(key, 0) + 1
        print("%-8s line %3d  %-5s %s (%s)" % (key, number, suite, behaviour, path), flush=True)
    rebuild(preset, {m[4].split(":")[0] for m in mutants})
    print("total %d: %s; %.0f s" % (len(mutants), ", ".join("%s %d" % kv for kv in sorted(counts.items())),
                                     time.time() - start))
    return 1 if counts.get("SURVIVED") or counts.get("refused") else 0


def with_fault(path, text, replacement, body):
    original = open(path, encoding="utf-8", newline="").read()
    found = original.count(text)
    if found != 1:
        return "refused: text found %d times" % found
    try:
        open(path, "w", encoding="utf-8", newline="").write(original.replace(text, replacement))
        return body()
    finally:
        open(path, "w", encoding="utf-8", newline="").write(original)


def rebuild(preset, suites):
    """Puts the builds back to the sources as they are."""
    for suite in sorted(suites):
        build(preset, SUITES[suite])


def main_sampled(preset, binary_dir, count, seed):
    """Draws faults by rule until count of them build; each runs the cases that reach its line."""
    total, drawn = mutants_sample.shuffled(".", seed)
    print("%d faults drawn by rule; the first %d that build, with seed %d" % (total, count, seed), flush=True)
    keep = os.environ.get("KESTROLA_MUTANTS_KEEP", os.path.dirname(os.path.abspath(binary_dir)))
    coverage = {"map": mutants_coverage.coverage_map(os.path.abspath("."), preset, keep)}
    if coverage["map"]["failing"]:
        print("coverage: failing without a fault, left out: " + " ".join(coverage["map"]["failing"]), flush=True)
    start, counts, built = time.time(), {}, 0
    for path, number, line, mutated, what in drawn:
        if built == count:
            break
        lines = open(path, encoding="utf-8").read().split("\n")
        # The whole line with its neighbours, so that the text is found once.
        before = "\n".join(lines[max(0, number - 3): number])
        after = "\n".join(lines[max(0, number - 3): number - 1] + [mutated])
        coverage["at"] = number
        result = with_fault(path, before, after, lambda: run_sampled(preset, binary_dir, path, coverage))
        key = result.split(":")[0].split(" ")[0]
        if key == "refused":
            continue
        built += 1
        counts[key] = counts.get(key, 0) + 1
        print("%3d %-8s %s:%d  %s: %s  [%s]" % (built, key, path, number, what, mutated.strip()[:70], result),
              flush=True)
    rebuild(preset, SUITES)
    print("total %d: %s; %.0f s" % (built, ", ".join("%s %d" % kv for kv in sorted(counts.items())),
                                     time.time() - start))
    return 1 if counts.get("SURVIVED") else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
