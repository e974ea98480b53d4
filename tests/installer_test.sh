#!/usr/bin/env bash
# The installer and uninstaller, silent, in a Wine prefix of their own on the session's display.
# Arguments: the folder with Kestrola.exe and Kestrola.dll to pack, and the makensis target.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bin=$1 target=$2
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

mkdir -p "$work/bin"
cp "$bin/Kestrola.exe" "$bin/Kestrola.dll" "$work/bin/"
printf 'Kestrola\r\n' > "$work/bin/README.txt"
target_flag=()
[ "$target" = amd64-unicode ] && target_flag=(-DTARGET=amd64-unicode)
makensis -V2 -DVERSION=test -DBIN="$work/bin" -DOUTFILE="$work/Kestrola-setup.exe" "${target_flag[@]}" \
  "$here/../packaging/Kestrola.nsi" || { echo "FAILED: makensis"; exit 1; }
wine_ wineboot -i >/dev/null 2>&1; wineserver -w

drive="$WINEPREFIX/drive_c"
installed="$drive/Program Files/Kestrola"
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrola'

wine_ "$work/Kestrola-setup.exe" /S
for f in Kestrola.exe Kestrola.dll README.txt Uninstall.exe; do
  [ -f "$installed/$f" ] || fail "installed: $f"
done
shortcut=$(find "$drive" -ipath '*start menu/programs/kestrola.lnk' | head -1)
[ -n "$shortcut" ] || fail "the Start Menu shortcut"
wine_ reg query "$uninstall_key" /v UninstallString 2>/dev/null | tr -d '\r' | grep -q 'Uninstall.exe' ||
  fail "the Add/Remove Programs entry"
within 30 running || fail "the program started by the installer"
within 30 tray_shown || fail "its tray icon"
# The program's first start adds its Run value and writes its catalogue.
data="$drive/users/${USER:-$(id -un)}/AppData/Roaming/Kestrola"
[ -d "$data" ] || data=$(find "$drive/users" -maxdepth 4 -type d -name Kestrola | head -1)
within 30 test -s "$data/tab1.ini" || fail "the catalogue written by the first start"
within 10 run_value || fail "the Run value written by the first start"
before=$(cd "$data" 2>/dev/null && md5sum ./*.ini)

wine_ "$installed/Uninstall.exe" /S
# The uninstaller copies itself away and returns at once; its work is done when the folder is.
within 30 test ! -e "$installed/Uninstall.exe" || fail "the uninstaller finished"
within 10 stopped || fail "the running program ended"
for f in Kestrola.exe Kestrola.dll README.txt; do
  [ ! -e "$installed/$f" ] || fail "removed: $f"
done
[ ! -e "$installed" ] || fail "the program folder removed"
[ -z "$(find "$drive" -ipath '*start menu/programs/kestrola.lnk')" ] || fail "the shortcut removed"
! wine_ reg query "$uninstall_key" >/dev/null 2>&1 || fail "the Add/Remove Programs entry removed"
! run_value || fail "the Run value removed"
after=$(cd "$data" 2>/dev/null && md5sum ./*.ini)
[ -n "$before" ] && [ "$before" = "$after" ] || fail "the catalogue files kept as they were"

if [ "$failures" -ne 0 ]; then echo "$failures check(s) failed"; exit 1; fi
echo "installer: every check passed"
