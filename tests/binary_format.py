#!/usr/bin/env python3
"""Checks the shipped images: the 32-bit program and hook library import only what Windows XP has;
the 64-bit program is a PE32+ image for x86-64 that imports only what the oldest 64-bit Windows the
README names (Windows XP Professional x64 Edition, NT 5.2) has.

    binary_format.py --x86 Kestrola.exe Kestrola.dll --x64 Kestrola.exe
"""
import struct
import sys

ALLOWED = {"kernel32.dll", "user32.dll", "gdi32.dll", "advapi32.dll", "shell32.dll", "shfolder.dll",
           "ole32.dll", "comctl32.dll", "gdiplus.dll", "uxtheme.dll", "msvcrt.dll"}
# Functions that exist only from Vista on; importing one would stop the program loading on XP.
NEWER_THAN_XP = {"GetTickCount64", "InitializeSRWLock", "AcquireSRWLockExclusive", "AcquireSRWLockShared",
                 "InitializeConditionVariable", "SleepConditionVariableCS", "WakeConditionVariable",
                 "InitOnceExecuteOnce", "InitializeCriticalSectionEx", "GetFinalPathNameByHandleA",
                 "GetFinalPathNameByHandleW", "CreateSymbolicLinkA", "CreateSymbolicLinkW",
                 "FlsAlloc", "FlsGetValue", "FlsSetValue", "FlsFree", "GetLocaleInfoEx", "CompareStringEx",
                 "SetThreadErrorMode", "CancelIoEx", "GetSystemTimePreciseAsFileTime",
                 "CreateEventExW", "CreateMutexExW", "CreateSemaphoreExW", "WaitOnAddress"}

# Imports whose absence is a fault: the foreground is handed on by the process that got the input.
REQUIRED = {"kestrola.exe": {"AllowSetForegroundWindow"}, "kestrola.dll": {"AllowSetForegroundWindow"}}


# Per word size: machine, optional-header magic, thunk size and its ordinal flag, newest system.
FORMATS = {
    "x86": (0x14C, 0x10B, 4, 0x80000000, (5, 1)),
    "x64": (0x8664, 0x20B, 8, 0x8000000000000000, (5, 2)),
}


def check(path, kind):
    want_machine, want_magic, thunk_size, ordinal_flag, newest = FORMATS[kind]
    data = open(path, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[pe:pe + 4] == b"PE\0\0", "no PE signature"
    machine, nsections = struct.unpack_from("<HH", data, pe + 4)
    opt_size = struct.unpack_from("<H", data, pe + 20)[0]
    opt = pe + 24
    magic = struct.unpack_from("<H", data, opt)[0]
    errors = []
    if machine != want_machine:
        errors.append("machine %#x is not %s" % (machine, kind))
    if magic != want_magic:
        errors.append("optional header %#x is not the %s format" % (magic, kind))
    subsystem = struct.unpack_from("<H", data, opt + 68)[0]
    if path.lower().endswith(".exe") and subsystem != 2:
        errors.append("subsystem %d is not the GUI subsystem" % subsystem)
    os_major, os_minor = struct.unpack_from("<HH", data, opt + 40)
    sub_major, sub_minor = struct.unpack_from("<HH", data, opt + 48)
    if (os_major, os_minor) > newest or (sub_major, sub_minor) > newest:
        errors.append("needs Windows %d.%d / subsystem %d.%d, newer than %d.%d"
                      % (os_major, os_minor, sub_major, sub_minor, newest[0], newest[1]))

    sections = []
    for i in range(nsections):
        s = pe + 24 + opt_size + 40 * i
        vsize, va, rawsize, rawptr = struct.unpack_from("<IIII", data, s + 8)
        sections.append((va, max(vsize, rawsize), rawptr))

    def offset(rva):
        for va, size, raw in sections:
            if va <= rva < va + size:
                return rva - va + raw
        raise ValueError("rva %#x outside sections" % rva)

    def cstr(off):
        return data[off:data.index(b"\0", off)].decode("ascii")

    # The data directories follow the fields that are 8 bytes wider in PE32+.
    directories = opt + (112 if magic == 0x20B else 96)
    import_rva = struct.unpack_from("<I", data, directories + 8)[0]
    d = offset(import_rva)
    dlls = []
    functions = set()
    while True:
        lookup, _, _, name_rva, thunk = struct.unpack_from("<IIIII", data, d)
        if name_rva == 0:
            break
        dll = cstr(offset(name_rva)).lower()
        dlls.append(dll)
        if dll not in ALLOWED:
            errors.append("imports %s, not a system DLL of XP" % dll)
        t = offset(lookup or thunk)
        while True:
            entry = struct.unpack_from("<Q" if thunk_size == 8 else "<I", data, t)[0]
            if entry == 0:
                break
            if not entry & ordinal_flag:
                fn = cstr(offset(entry & 0x7FFFFFFF) + 2)
                functions.add(fn)
                if fn in NEWER_THAN_XP:
                    errors.append("imports %s!%s, which XP lacks" % (dll, fn))
            t += thunk_size
        d += 20
    if "kernel32.dll" not in dlls or "user32.dll" not in dlls:
        errors.append("import table looks wrong: %s" % dlls)
    name = path.replace("\\", "/").rsplit("/", 1)[-1].lower()
    for fn in sorted(REQUIRED.get(name, set()) - functions):
        errors.append("does not import %s" % fn)
    print(kind, name, "imports:", ", ".join(dlls))
    for e in errors:
        print("FAIL:", kind, name, e)
    return errors


def main(args):
    kind, failed, checked = None, [], 0
    for a in args:
        if a in ("--x86", "--x64"):
            kind = a[2:]
        elif kind is None:
            print("FAIL: %s named before --x86 or --x64" % a)
            return 2
        else:
            failed += check(a, kind)
            checked += 1
    if checked == 0:
        print("FAIL: no image named")
        return 2
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
