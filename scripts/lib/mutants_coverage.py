"""Which test cases run which source lines: a coverage build of the tree, each case of the unit,
Windows and driver suites run alone in it, and gcov's count of the lines each case ran (the program
the driver starts writes its counts too). A drawn fault then runs only the cases that reach it.
The map is kept beside the tests' build under the hash of the sources it was made from."""
import glob
import gzip
import hashlib
import json
import os
import subprocess
import tempfile

SUITES = ("unit", "win", "e2e")
CASE_TIMEOUT = 300


def wine():
    return "/usr/lib/wine/wine64" if os.environ.get("WINEARCH") == "win64" else "wine"


def sources_hash(root):
    digest = hashlib.sha256()
    for folder in ("src", "hook", "tests", "cmake"):
        for base, _, names in sorted(os.walk(os.path.join(root, folder))):
            for name in sorted(names):
                path = os.path.join(base, name)
                digest.update(os.path.relpath(path, root).encode())
                digest.update(open(path, "rb").read())
    digest.update(open(os.path.join(root, "CMakeLists.txt"), "rb").read())
    return digest.hexdigest()


def build(root, preset, folder):
    presets = json.load(open(os.path.join(root, "CMakePresets.json")))
    toolchain = next(p["toolchainFile"] for p in presets["configurePresets"] if p["name"] == preset)
    flags = "-O0 --coverage"
    subprocess.run(["cmake", "-S", root, "-B", folder, "-DCMAKE_BUILD_TYPE=Coverage",
                    "-DCMAKE_TOOLCHAIN_FILE=" + toolchain.replace("${sourceDir}", root),
                    "-DCMAKE_CXX_FLAGS_COVERAGE=" + flags, "-DCMAKE_C_FLAGS_COVERAGE=" + flags,
                    "-DCMAKE_EXE_LINKER_FLAGS=--coverage", "-DCMAKE_SHARED_LINKER_FLAGS=--coverage"],
                   check=True, stdout=subprocess.DEVNULL)
    subprocess.run(["cmake", "--build", folder, "-j2", "--target", "unit_tests", "win_tests", "e2e_tests"],
                   check=True, stdout=subprocess.DEVNULL)


def cases(exe):
    listed = subprocess.run([wine(), exe, "--gtest_list_tests"], capture_output=True, text=True, check=True)
    found, suite = [], None
    for line in listed.stdout.splitlines():
        if not line.strip() or line.startswith("Running main"):
            continue
        if not line.startswith(" "):
            suite = line.strip()
        elif "DISABLED_" not in suite + line:
            found.append(suite + line.split("#")[0].strip())
    return found


def lines_run(root, folder):
    """{source file: ([lines gcov counts], [lines run])} for the .cpp files of src/ and hook/."""
    counts = glob.glob(os.path.join(folder, "**", "*.gcda"), recursive=True)
    if not counts:
        return {}
    out = subprocess.run(["x86_64-w64-mingw32-gcov" if "x86_64" in open(os.path.join(folder, "CMakeCache.txt")).read()
                          else "i686-w64-mingw32-gcov", "--json-format", "--stdout"] + counts,
                         capture_output=True, text=True, cwd=folder).stdout
    found = {}
    for line in out.splitlines():
        for entry in json.loads(line)["files"]:
            path = os.path.relpath(entry["file"], root)
            if not (path.startswith(("src/", "hook/")) and path.endswith(".cpp")):
                continue
            known, ran = found.setdefault(path, (set(), set()))
            for counted in entry["lines"]:
                known.add(counted["line_number"])
                if counted["count"]:
                    ran.add(counted["line_number"])
    return found


def run_case(folder, suite, case):
    for stale in glob.glob(os.path.join(folder, "**", "*.gcda"), recursive=True):
        os.remove(stale)
    exe = os.path.join(folder, "bin", suite + "_tests.exe")
    with tempfile.TemporaryDirectory() as scratch:
        try:
            ran = subprocess.run([wine(), exe, "--gtest_filter=" + case], stdout=subprocess.DEVNULL,
                                 stderr=subprocess.DEVNULL, cwd=scratch, timeout=CASE_TIMEOUT)
            return ran.returncode == 0
        except subprocess.TimeoutExpired:
            return False


def collect(root, folder):
    """{"lines": {file: {line: [suite:case...]}}, "known": {file: [lines]}, "failing": [...]}."""
    reached, known, failing = {}, {}, []
    for suite in SUITES:
        listed = cases(os.path.join(folder, "bin", suite + "_tests.exe"))
        print("coverage: %d %s cases" % (len(listed), suite), flush=True)
        for case in listed:
            # A driver case started alone now and then misses its first input: once more before it counts as failing.
            passed = run_case(folder, suite, case) or run_case(folder, suite, case)
            if not passed:
                failing.append(suite + ":" + case)
            for path, (lines, ran) in lines_run(root, folder).items():
                known.setdefault(path, set()).update(lines)
                for line in ran:
                    reached.setdefault(path, {}).setdefault(str(line), []).append(suite + ":" + case)
    return {"lines": reached, "known": {p: sorted(v) for p, v in known.items()}, "failing": failing}


def coverage_map(root, preset, keep_dir):
    """The map for the tree at root, made once per state of its sources."""
    key = sources_hash(root)
    kept = os.path.join(keep_dir, "mutants-coverage-%s.json.gz" % preset)
    if os.path.exists(kept):
        stored = json.load(gzip.open(kept, "rt"))
        if stored.get("key") == key:
            return stored
    folder = os.path.join(root, "build-coverage")
    print("coverage: building and running each case alone (some minutes; kept for these sources)", flush=True)
    build(root, preset, folder)
    made = collect(root, folder)
    made["key"] = key
    os.makedirs(keep_dir, exist_ok=True)
    json.dump(made, gzip.open(kept, "wt"))
    return made


def cases_reaching(coverage, path, line):
    """The cases that run the line, by suite; for a line gcov does not count (a declaration, a
    constant), the cases that run any line of its file; None when the file was never counted."""
    reached = coverage["lines"].get(path)
    if path not in coverage["known"]:
        return None
    if line in coverage["known"][path]:
        names = reached.get(str(line), []) if reached else []
    else:
        names = sorted({n for ran in (reached or {}).values() for n in ran})
    by_suite = {}
    for name in names:
        if name not in coverage["failing"]:
            suite, case = name.split(":", 1)
            by_suite.setdefault(suite, []).append(case)
    return by_suite
