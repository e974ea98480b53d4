# Sourced by the scripts: which build the tests run on, a private X display and a fresh Wine prefix.
# Everything started here is stopped again when the calling script exits.

# The program is 32-bit. Some kernels run 64-bit user code only; there the same sources are
# built and tested as 64-bit programs under 64-bit Wine, and the 32-bit program is built and
# checked but not run.
kestrola_preset() {
  if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then echo mingw; else echo mingw64; fi
}

# Configures and builds the given targets (all when none) for the tests' build, and the shipped
# 32-bit program beside it. Sets KESTROLA_PRESET and KESTROLA_BIN.
kestrola_build() {
  KESTROLA_PRESET=$(kestrola_preset)
  cmake --preset mingw >/dev/null
  if [ "$KESTROLA_PRESET" = mingw ]; then
    cmake --build --preset mingw ${1:+--target "$@"}
    KESTROLA_BIN=build/bin
  else
    echo "note: this machine runs no 32-bit programs; testing the 64-bit build under 64-bit Wine" >&2
    cmake --build --preset mingw --target Kestrola KestrolaHook
    cmake --preset mingw64 -DKESTROLA_PRODUCT_EXE="$PWD/build/bin/Kestrola.exe" >/dev/null
    cmake --build --preset mingw64 ${1:+--target "$@"}
    KESTROLA_BIN=build64/bin
  fi
}

# Runs a Windows program or Wine tool in the session's prefix.
kwine() {
  if [ "${WINEARCH:-win32}" = win64 ]; then /usr/lib/wine/wine64 "$@"; else wine "$@"; fi
}

wine_session_start() {
  if [ "$(kestrola_preset)" = mingw ]; then
    export WINEARCH=win32
  else
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  fi
  export WINEDEBUG=${WINEDEBUG:--all}
  # No Mono or Gecko prompts; no menu builder run for every shortcut saved under the Start Menu
  # (about a tenth of a second each), nor desktop entries left behind on the host.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
  KESTROLA_SESSION_DIR=$(mktemp -d /tmp/kestrola-session.XXXXXX)
  export WINEPREFIX="$KESTROLA_SESSION_DIR/prefix"
  trap wine_session_stop EXIT

  if [ -z "${KESTROLA_USE_DISPLAY:-}" ]; then
    exec 3> "$KESTROLA_SESSION_DIR/display"
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >"$KESTROLA_SESSION_DIR/xvfb.log" 2>&1 &
    KESTROLA_XVFB_PID=$!
    exec 3>&-
    for _ in $(seq 1 100); do
      [ -s "$KESTROLA_SESSION_DIR/display" ] && break
      sleep 0.1
    done
    [ -s "$KESTROLA_SESSION_DIR/display" ] || { echo "Xvfb did not start" >&2; cat "$KESTROLA_SESSION_DIR/xvfb.log" >&2; exit 1; }
    export DISPLAY=":$(head -n1 "$KESTROLA_SESSION_DIR/display")"
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
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${KESTROLA_XVFB_PID:-}" ] && kill "$KESTROLA_XVFB_PID" >/dev/null 2>&1 || true
  [ -n "${KESTROLA_SESSION_DIR:-}" ] && rm -rf "$KESTROLA_SESSION_DIR"
}
