"""Runs the mutants of a list: each line is file, text, replacement, suite, what it breaks, with
tabs between; the texts stand as they are, with ⏎ for a line break (a fault that moves a line).
Lines starting with # are notes."""
import os
import subprocess
import sys
import tempfile
import time

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
    build = subprocess.run(["cmake", "--build", "--preset", preset, "--target", SUITES[suite]],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if build.returncode != 0:
        return "refused: does not build"
    # The program under test is rebuilt too, for the driver tests.
    if suite == "e2e":
        subprocess.run(["cmake", "--build", "--preset", preset, "--target", "Kestrola", "KestrolaHook"],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    wine = "/usr/lib/wine/wine64" if os.environ.get("WINEARCH") == "win64" else "wine"
    args = [wine, os.path.abspath(os.path.join(binary_dir, SUITES[suite] + ".exe")), "--gtest_brief=1"]
    if gtest_filter:
        args.append("--gtest_filter=" + gtest_filter)
    # In a folder of its own: what the suites write to their current folder (a log) stays out of the tree.
    with tempfile.TemporaryDirectory() as scratch:
        ran = subprocess.run(args, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=900, cwd=scratch)
    return "killed" if ran.returncode != 0 else "SURVIVED"


def sampled(count, seed):
    """A sample of faults drawn by rule, as list entries: number, file, text, replacement, suite, what."""
    sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
    import mutants_sample

    total, picked = mutants_sample.sample(".", count, seed)
    print("%d faults drawn by rule; a sample of %d with seed %d" % (total, len(picked), seed), flush=True)
    mutants = []
    for path, number, line, mutated, what, (suite, tests) in picked:
        # The whole line with its neighbours, so that the text is found once.
        lines = open(path, encoding="utf-8").read().split("\n")
        before = "\n".join(lines[max(0, number - 3): number])
        after_lines = lines[max(0, number - 3): number - 1] + [mutated]
        mutants.append((number, path, before, "\n".join(after_lines), suite + (":" + tests if tests else ""),
                        what + ": " + mutated.strip()[:60]))
    return mutants


def main(preset, binary_dir, listing, *only):
    if only and only[0] == "--sample":
        count = int(only[1])
        seed = int(only[3]) if len(only) > 3 and only[2] == "--seed" else 1
        mutants = sampled(count, seed)
    else:
        mutants = load(listing)
    if only and only[0] != "--sample":
        mutants = [m for m in mutants if str(m[0]) in only]
    sampled_run = bool(only) and only[0] == "--sample"
    start = time.time()
    # A suite that fails as the sources stand would kill every mutant: none is counted then.
    for suite in sorted({m[4] for m in mutants}):
        if run_suite(preset, binary_dir, suite) != "SURVIVED":
            sys.exit("the suite %s does not pass without a mutant" % suite)
    counts = {}
    for number, path, text, replacement, suite, behaviour in mutants:
        original = open(path, encoding="utf-8", newline="").read()
        found = original.count(text)
        if found != 1:
            result = "refused: text found %d times" % found
        else:
            try:
                open(path, "w", encoding="utf-8", newline="").write(original.replace(text, replacement))
                result = run_suite(preset, binary_dir, suite)
            finally:
                open(path, "w", encoding="utf-8", newline="").write(original)
        key = result.split(":")[0]
        counts[key] = counts.get(key, 0) + 1
        print("%-8s line %3d  %-5s %s (%s)" % (key, number, suite, behaviour, path), flush=True)
    # Put the builds back to the sources as they are.
    for suite in sorted({m[4].split(":")[0] for m in mutants}):
        subprocess.run(["cmake", "--build", "--preset", preset, "--target", SUITES[suite]],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    print("total %d: %s; %.0f s" % (len(mutants), ", ".join("%s %d" % kv for kv in sorted(counts.items())),
                                     time.time() - start))
    return 1 if counts.get("SURVIVED") or (counts.get("refused") and not sampled_run) else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
