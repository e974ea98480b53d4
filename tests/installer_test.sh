#!/usr/bin/env bash
# The installer and uninstaller, silent, in a Wine prefix of their own on the session's display.
# Arguments: the folders of the 32-bit and of the 64-bit build (each with its Kestrola.exe and
# KestrolaSetup.dll, the 32-bit one with Kestrola.dll), the makensis target, and the folder of
# this build's setupprobe.exe.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin32=$1 bin64=$2 target=$3 probe=$4/setupprobe.exe
work=$(mktemp -d /tmp/kestrola-installer.XXXXXX)
export WINEPREFIX="$work/prefix"
failures=0
fail() { echo "FAILED: $*" >&2; failures=$((failures + 1)); }
wine_() { if [ "${WINEARCH:-win32}" = win64 ]; then /usr/lib/wine/wine64 "$@"; else wine "$@"; fi; }
cleanup() { wineserver -k >/dev/null 2>&1; rm -rf "$work"; }
trap cleanup EXIT
# Polls the condition every 0.2 s for at most $1 seconds.
within() {
  local seconds=$1; shift
  for _ in $(seq 1 $((seconds * 5))); do "$@" && return 0; sleep 0.2; done
  return 1
}
running() { pgrep -f 'Kestrola\\Kestrola\.exe' >/dev/null; }
stopped() { ! running; }
run_value() { wine_ reg query "$run_key" /v Kestrola >/dev/null 2>&1; }
tray_shown() { xwininfo -root -tree 2>/dev/null | grep -q '"Wine System Tray"'; }

printf 'Kestrola\r\n' > "$work/README.txt"
target_flag=()
[ "$target" = amd64-unicode ] && target_flag=(-DTARGET=amd64-unicode)
makensis -V2 -DVERSION=test -DBIN32="$bin32" -DBIN64="$bin64" -DREADME="$work/README.txt" \
  -DOUTFILE="$work/Kestrola-setup.exe" "${target_flag[@]}" \
  "$here/../packaging/Kestrola.nsi" || { echo "FAILED: makensis"; exit 1; }
wine_ wineboot -i >/dev/null 2>&1; wineserver -w

drive="$WINEPREFIX/drive_c"
installed="$drive/Program Files/Kestrola"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrola'

# The PE header's machine field: 8664 for x86-64, 014c for i386.
machine() { python3 -c 'import struct,sys; d=open(sys.argv[1],"rb").read(); print("%04x" % struct.unpack_from("<H", d, struct.unpack_from("<I", d, 0x3C)[0] + 4)[0])' "$1"; }

# An earlier 32-bit copy's hook library, still loaded by another program (as on XP after the
# running copy ended): it can be neither deleted nor overwritten, only renamed.
mkdir -p "$installed"
cp "$bin32/Kestrola.dll" "$installed/"
wine_ "$probe" hold 'C:\Program Files\Kestrola\Kestrola.dll' 60000 > "$work/hold.txt" 2>&1 &
holder=$!
within 20 grep -q holding "$work/hold.txt" || fail "the library held ($(cat "$work/hold.txt"))"

wine_ "$work/Kestrola-setup.exe" /S
[ ! -e "$installed/Kestrola.dll" ] || [ "$target" != amd64-unicode ] || fail "the loaded library set aside"
aside=$(find "$installed" -maxdepth 1 -iname 'ns*.tmp' | head -1)
[ -n "$aside" ] || fail "the loaded library kept under another name until the restart"
wine_ reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' /v PendingFileRenameOperations 2>/dev/null |
  tr -d '\r' | grep -qi "$(basename "${aside:-none}")" || fail "the set-aside library deleted at the next restart"
# The other program ends: the library is free again, and the uninstaller removes it at once.
pkill -f 'setupprobe\.exe' 2>/dev/null; wait "$holder" 2>/dev/null
within 10 bash -c "! pgrep -f 'setupprobe\.exe' >/dev/null" || fail "the holding program ended"
for f in Kestrola.exe README.txt Uninstall.exe; do
  [ -f "$installed/$f" ] || fail "installed: $f"
done
if [ "$target" = amd64-unicode ]; then
  # This installer runs on 64-bit Windows only, where the 64-bit program is the one installed.
  [ "$(machine "$installed/Kestrola.exe")" = 8664 ] || fail "the 64-bit program installed"
  [ ! -e "$installed/Kestrola.dll" ] || fail "no hook library beside the 64-bit program"
else
  [ "$(machine "$installed/Kestrola.exe")" = 014c ] || fail "the 32-bit program installed on 32-bit Windows"
  [ -f "$installed/Kestrola.dll" ] || fail "installed: Kestrola.dll"
fi
shortcut=$(find "$drive" -ipath '*start menu/programs/kestrola.lnk' | head -1)
[ -n "$shortcut" ] || fail "the Start Menu shortcut"
# Ctrl+Alt+F8: VK_F8 (0x77) with HOTKEYF_CONTROL (2) and HOTKEYF_ALT (4) in the high byte.
hotkey=$(wine_ "$probe" hotkey "$(wine_ winepath -w "$shortcut" 2>/dev/null | tr -d '\r')" | tr -d '\r')
[ "$hotkey" = 0x0677 ] || fail "the shortcut's hotkey is Ctrl+Alt+F8 (read $hotkey)"
wine_ reg query "$uninstall_key" /v UninstallString 2>/dev/null | tr -d '\r' | grep -q 'Uninstall.exe' ||
  fail "the Add/Remove Programs entry"
within 30 running || fail "the program started by the installer"
# Started by the desktop's Explorer, not by the elevated installer.
parent=$(wine_ "$probe" parent Kestrola.exe | tr -d '\r')
[ "$parent" = explorer.exe ] || fail "the program's parent is the desktop's explorer.exe (is $parent)"
within 30 tray_shown || fail "its tray icon"
# The program's first start adds its Run value and writes its catalogue.
data="$drive/users/${USER:-$(id -un)}/AppData/Roaming/Kestrola"
[ -d "$data" ] || data=$(find "$drive/users" -maxdepth 4 -type d -name Kestrola | head -1)
within 30 test -s "$data/tab1.ini" || fail "the catalogue written by the first start"
within 10 run_value || fail "the Run value written by the first start"
before=$(cd "$data" 2>/dev/null && md5sum ./*.ini)
printf 'a line\r\n' > "$data/log.txt"  # as where the program folder takes no log

wine_ "$installed/Uninstall.exe" /S
# The uninstaller copies itself away and returns at once; its work is done when the folder is.
within 30 test ! -e "$installed/Uninstall.exe" || fail "the uninstaller finished"
within 10 stopped || fail "the running program ended"
for f in Kestrola.exe Kestrola.dll README.txt; do
  [ ! -e "$installed/$f" ] || fail "removed: $f"
done
[ ! -e "$installed" ] || fail "the program folder removed (left: $(ls -A "$installed" 2>&1))"
[ -z "$(find "$drive" -ipath '*start menu/programs/kestrola.lnk')" ] || fail "the shortcut removed"
! wine_ reg query "$uninstall_key" >/dev/null 2>&1 || fail "the Add/Remove Programs entry removed"
! run_value || fail "the Run value removed"
after=$(cd "$data" 2>/dev/null && md5sum ./*.ini)
[ ! -e "$data/log.txt" ] || fail "the log in the data folder removed"
[ -n "$before" ] && [ "$before" = "$after" ] || fail "the catalogue files kept as they were"

if [ "$failures" -ne 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "installer: every check passed"
