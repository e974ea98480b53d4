# Sourced by the scripts: which build the tests run on, a private X display and a fresh Wine prefix.
# Everything started here is stopped again when the calling script exits.

# Two programs are shipped from the same sources: the 32-bit one (XP and 32-bit Windows) and the
# 64-bit one (64-bit Windows). The tests run the 64-bit build under 64-bit Wine, which needs no
# 32-bit side on the host; the 32-bit program is built and checked beside it. KESTROLA_TEST_ARCH=32
# runs the tests on the 32-bit build instead, where the host runs 32-bit programs natively and has
# 32-bit Wine (scripts/setup --with-32bit).
kestrola_preset() {
  if [ "${KESTROLA_TEST_ARCH:-64}" = 32 ]; then
    if ! runs_32bit_natively; then
      echo "KESTROLA_TEST_ARCH=32: this machine runs no 32-bit programs natively" >&2
      return 1
    fi
    echo mingw
  else
    echo mingw64
  fi
}

# A qemu-i386 entry of binfmt_misc makes 32-bit programs run, slowly, through an emulator.
i386_emulator_registered() {
  local entry
  for entry in /proc/sys/fs/binfmt_misc/*; do
    [ -f "$entry" ] || continue
    case "$(basename "$entry")" in register|status) continue ;; esac
    grep -qx enabled "$entry" 2>/dev/null && grep -q '^interpreter .*qemu-i386' "$entry" 2>/dev/null && return 0
  done
  return 1
}

# True when the kernel itself runs a 32-bit program: a 96-byte static i386 program that only exits
# with code 7, and no emulator registered that would run it instead.
runs_32bit_natively() {
  i386_emulator_registered && return 1
  local probe
  probe=$(mktemp /tmp/kestrola-i386.XXXXXX)
  printf '\177ELF\1\1\1\0\0\0\0\0\0\0\0\0\2\0\3\0\1\0\0\0\124\200\4\10\64\0\0\0\0\0\0\0\0\0\0\0\64\0\40\0\1\0\0\0\0\0\0\0\1\0\0\0\0\0\0\0\0\200\4\10\0\200\4\10\140\0\0\0\140\0\0\0\5\0\0\0\0\20\0\0\270\1\0\0\0\273\7\0\0\0\315\200' > "$probe"
  chmod +x "$probe"
  local rc=0
  "$probe" 2>/dev/null || rc=$?
  rm -f "$probe"
  [ "$rc" = 7 ]
}

# Configures and builds the given targets (all when none) for the tests' build, and the other
# word size's shipped program beside it (the installer and binary_format take both).
# Sets KESTROLA_PRESET and KESTROLA_BIN.
kestrola_build() {
  KESTROLA_PRESET=$(kestrola_preset) || exit 1
  local other=mingw other_dir=build
  [ "$KESTROLA_PRESET" = mingw ] && { other=mingw64; other_dir=build64; }
  cmake --preset "$other" >/dev/null
  cmake --build --preset "$other" --target Kestrola KestrolaHook KestrolaSetup
  local this_dir=build64
  [ "$KESTROLA_PRESET" = mingw ] && this_dir=build
  if [ "$other" = mingw ]; then
    cmake --preset "$KESTROLA_PRESET" -DKESTROLA_X86_BIN="$PWD/$other_dir/bin" >/dev/null
  else
    cmake --preset "$KESTROLA_PRESET" -DKESTROLA_X64_BIN="$PWD/$other_dir/bin" >/dev/null
  fi
  cmake --build --preset "$KESTROLA_PRESET" ${1:+--target "$@"}
  KESTROLA_BIN=$this_dir/bin
}

# Runs a Windows program or Wine tool in the session's prefix.
kwine() {
  if [ "${WINEARCH:-win32}" = win64 ]; then /usr/lib/wine/wine64 "$@"; else wine "$@"; fi
}

# The settings every Wine run of the scripts takes, over the prefix given.
wine_env() {
  export WINEPREFIX="$1"
  if [ "$(kestrola_preset)" = mingw ]; then
    export WINEARCH=win32
  else
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  fi
  export WINEDEBUG=${WINEDEBUG:--all}
  # Wine spells file names in the locale's character set: under C or POSIX (a bare CI shell) a name
  # outside ASCII cannot be made at all, and Start Menus hold such names.
  if [ "$(locale charmap 2>/dev/null)" != UTF-8 ]; then
    export LC_ALL=C.UTF-8
  fi
  # No Mono or Gecko prompts; no menu builder run for every shortcut saved under the Start Menu
  # (about a tenth of a second each), nor desktop entries left behind on the host.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# A private X screen of 1280 x 1024; its number, process and log go into the folder given, and
# DISPLAY names it. It lives on after the caller unless the caller stops it.
xvfb_start() {
  local dir=$1
  mkdir -p "$dir"
  exec 3> "$dir/display"
  setsid Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$dir/xvfb.log" 2>&1 < /dev/null &
  echo $! > "$dir/xvfb.pid"
  exec 3>&-
  for _ in $(seq 1 100); do
    [ -s "$dir/display" ] && break
    sleep 0.1
  done
  [ -s "$dir/display" ] || { echo "Xvfb did not start" >&2; cat "$dir/xvfb.log" >&2; return 1; }
  export DISPLAY=":$(head -n1 "$dir/display")"
}

wine_session_start() {
  KESTROLA_SESSION_DIR=$(mktemp -d /tmp/kestrola-session.XXXXXX)
  wine_env "$KESTROLA_SESSION_DIR/prefix"
  trap wine_session_stop EXIT
  if [ -z "${KESTROLA_USE_DISPLAY:-}" ]; then
    xvfb_start "$KESTROLA_SESSION_DIR" || exit 1
    KESTROLA_XVFB_PID=$(cat "$KESTROLA_SESSION_DIR/xvfb.pid")
  fi

  if ! kwine wineboot -i >"$KESTROLA_SESSION_DIR/wineboot.log" 2>&1; then
    echo "wineboot failed:" >&2
    tail -20 "$KESTROLA_SESSION_DIR/wineboot.log" >&2
    exit 1
  fi
  wineserver -w
  # A crashing test prints its backtrace and ends instead of waiting for a debugger dialog.
  kwine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 1 /f >/dev/null 2>&1
  if [ -n "${KESTROLA_WINE_VERSION:-}" ]; then
    kwine reg add 'HKCU\Software\Wine' /v Version /d "$KESTROLA_WINE_VERSION" /f >/dev/null 2>&1
    wineserver -w
  fi
  # A console program that waits for the whole session: without one, Wine ends its system
  # processes after each program and starts them again for the next, about two seconds a test.
  mkfifo "$KESTROLA_SESSION_DIR/hold"
  kwine cmd.exe /c "set /p x=" < "$KESTROLA_SESSION_DIR/hold" >/dev/null 2>&1 &
  sleep 7200 > "$KESTROLA_SESSION_DIR/hold" 2>/dev/null < /dev/null &
  KESTROLA_HOLD_PID=$!
  # The desktop's own process, made now by a program that needs it and waits until it is up: made
  # by the first test that shows a window, it would live on with that test's output pipe open, and
  # the test would never end. A desktop merely started beside the tests loses that race now and then.
  kwine rundll32.exe user32.dll,GetDesktopWindow >/dev/null 2>&1 < /dev/null
}

wine_session_stop() {
  [ -n "${KESTROLA_HOLD_PID:-}" ] && kill "$KESTROLA_HOLD_PID" >/dev/null 2>&1 || true
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${KESTROLA_XVFB_PID:-}" ] && kill "$KESTROLA_XVFB_PID" >/dev/null 2>&1 || true
  [ -n "${KESTROLA_SESSION_DIR:-}" ] && rm -rf "$KESTROLA_SESSION_DIR"
}
