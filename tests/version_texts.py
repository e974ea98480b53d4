"""The texts that name the version by hand follow the project's one definition of it: the
README's examples, the package's README and the about box's "Version" line, which stays a
fixed text of the dialog."""
import re
import sys

version, files = sys.argv[1], sys.argv[2:]
faults = []
for path in files:
    text = open(path, encoding="utf-8").read()
    named = set(re.findall(r"Kestrola[ -](\d+\.\d+)", text)) | set(re.findall(r'"Version (\d+\.\d+)"', text))
    if not named:
        faults.append("%s names no version" % path)
    faults += ["%s names %s, the project is %s" % (path, v, version) for v in sorted(named - {version})]
print("\n".join(faults) or "all name %s" % version)
sys.exit(1 if faults else 0)
