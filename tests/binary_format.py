#!/usr/bin/env python3
"""Checks that the program and its hook library are 32-bit GUI images importing only what Windows XP has."""
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


def check(path):
    data = open(path, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    assert data[pe:pe + 4] == b"PE\0\0", "no PE signature"
    machine, nsections = struct.unpack_from("<HH", data, pe + 4)
    opt_size = struct.unpack_from("<H", data, pe + 20)[0]
    opt = pe + 24
    magic = struct.unpack_from("<H", data, opt)[0]
    errors = []
    if machine != 0x14C:
        errors.append("machine %#x is not i386" % machine)
    if magic != 0x10B:
        errors.append("optional header %#x is not PE32" % magic)
    subsystem = struct.unpack_from("<H", data, opt + 68)[0]
    if path.lower().endswith(".exe") and subsystem != 2:
        errors.append("subsystem %d is not the GUI subsystem" % subsystem)
    os_major, os_minor = struct.unpack_from("<HH", data, opt + 40)
    sub_major, sub_minor = struct.unpack_from("<HH", data, opt + 48)
    if (os_major, os_minor) > (5, 1) or (sub_major, sub_minor) > (5, 1):
        errors.append("needs Windows %d.%d / subsystem %d.%d, newer than XP" % (os_major, os_minor, sub_major, sub_minor))

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

    import_rva = struct.unpack_from("<I", data, opt + 96 + 8)[0]
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
            entry = struct.unpack_from("<I", data, t)[0]
            if entry == 0:
                break
            if not entry & 0x80000000:
                fn = cstr(offset(entry) + 2)
                functions.add(fn)
                if fn in NEWER_THAN_XP:
                    errors.append("imports %s!%s, which XP lacks" % (dll, fn))
            t += 4
        d += 20
    if "kernel32.dll" not in dlls or "user32.dll" not in dlls:
        errors.append("import table looks wrong: %s" % dlls)
    name = path.replace("\\", "/").rsplit("/", 1)[-1].lower()
    for fn in sorted(REQUIRED.get(name, set()) - functions):
        errors.append("does not import %s" % fn)
    print(name, "imports:", ", ".join(dlls))
    for e in errors:
        print("FAIL:", name, e)
    return errors


def main(paths):
    failed = [e for p in paths for e in check(p)]
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
