# Sourced by scripts/test and scripts/run: a private X display and a fresh 32-bit Wine prefix.
# Everything started here is stopped again when the calling script exits.

wine_session_start() {
  export WINEARCH=win32
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="mscoree,mshtml="
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

  wineboot -i >"$KESTROLA_SESSION_DIR/wineboot.log" 2>&1
  wineserver -w
  # A crashing test prints its backtrace and ends instead of waiting for a debugger dialog.
  wine reg add 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 1 /f >/dev/null 2>&1
  if [ -n "${KESTROLA_WINE_VERSION:-}" ]; then
    wine reg add 'HKCU\Software\Wine' /v Version /d "$KESTROLA_WINE_VERSION" /f >/dev/null 2>&1
    wineserver -w
  fi
}

wine_session_stop() {
  wineserver -k >/dev/null 2>&1 || true
  [ -n "${KESTROLA_XVFB_PID:-}" ] && kill "$KESTROLA_XVFB_PID" >/dev/null 2>&1 || true
  [ -n "${KESTROLA_SESSION_DIR:-}" ] && rm -rf "$KESTROLA_SESSION_DIR"
}
