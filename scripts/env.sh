# Wine and Xvfb environment of a Plaxor build tree; sourced by the other scripts.
#   plaxor_env_up BUILD_DIR    prefix ready, Xvfb on a free display, wineserver kept alive
#   plaxor_env_down            stops what plaxor_env_up started
# The prefix lives in BUILD_DIR/wineprefix, never in ~/.wine.

PLAXOR_ROOT=${PLAXOR_ROOT:-$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)}
PLAXOR_WINE=${PLAXOR_WINE:-$(command -v wine64 || echo /usr/lib/wine/wine64)}
PLAXOR_WINESERVER=${PLAXOR_WINESERVER:-$(command -v wineserver || echo /usr/lib/wine/wineserver)}
export WINEDEBUG=${WINEDEBUG:--all}
export WINEARCH=win64
# No Mono or Gecko installer prompts in a new prefix.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

plaxor_xvfb_pid=""
plaxor_started_server=""
plaxor_keeper_pid=""

plaxor_prefix() { export WINEPREFIX="$1/wineprefix"; }

plaxor_start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    plaxor_xvfb_pid=$!
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      kill -0 "$plaxor_xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$plaxor_xvfb_pid" 2>/dev/null; plaxor_xvfb_pid=""
  done
  echo "env: could not start Xvfb" >&2; return 1
}

plaxor_init_prefix() {
  local marker="$WINEPREFIX/.plaxor-ready"
  [ -f "$marker" ] && return 0
  echo "env: creating Wine prefix $WINEPREFIX (first time only)"
  mkdir -p "$WINEPREFIX"
  "$PLAXOR_WINE" wineboot -i >/dev/null 2>&1 || true
  "$PLAXOR_WINESERVER" -w || true
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  mkdir -p "$fonts"
  cp /usr/share/wine/fonts/tahoma.ttf /usr/share/wine/fonts/tahomabd.ttf "$fonts/"
  local reg="$WINEPREFIX/plaxor-setup.reg"
  cat > "$reg" <<'REG'
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]
"Arial"="Liberation Sans"
"Segoe UI"="Liberation Sans"

[HKEY_CURRENT_USER\Software\Wine\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\Fonts]
"Tahoma (TrueType)"="tahoma.ttf"
"Tahoma Bold (TrueType)"="tahomabd.ttf"
REG
  "$PLAXOR_WINE" regedit /S "$reg" >/dev/null 2>&1 || { echo "env: regedit failed" >&2; return 1; }
  "$PLAXOR_WINESERVER" -w || true
  touch "$marker"
}

plaxor_env_up() {
  local build="$1"
  plaxor_prefix "$build"
  # Windows go to a private virtual display unless the caller asks for its own.
  if [ -z "${PLAXOR_USE_DISPLAY:-}" ] || [ -z "${DISPLAY:-}" ]; then plaxor_start_xvfb || return 1; fi
  plaxor_init_prefix
  "$PLAXOR_WINESERVER" -p && plaxor_started_server=1
  plaxor_start_keeper "$build"
  # The first Wine process of a session starts Wine's services, which inherit its standard
  # handles and outlive it; start them here (or by the keeper) so that no test's output pipe
  # is held open.
  "$PLAXOR_WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

# Wine closes the desktop (and its explorer) a second after its last user goes; a program
# started in that second can be left with X11 windows of the explorer that then quits. The
# keeper is a user from first to last, so one desktop and one explorer serve the whole run.
plaxor_start_keeper() {
  local keeper="$1/tests/desktop_keeper.exe"
  [ -f "$keeper" ] || return 0
  local ready="$WINEPREFIX/.keeper-ready"
  rm -f "$ready"
  "$PLAXOR_WINE" "$keeper" </dev/null >"$ready" 2>/dev/null &
  plaxor_keeper_pid=$!
  local i
  for i in $(seq 1 100); do
    grep -q ready "$ready" 2>/dev/null && return 0
    kill -0 "$plaxor_keeper_pid" 2>/dev/null || break
    sleep 0.1
  done
  echo "env: the desktop keeper did not start; test programs may see the desktop restart" >&2
}

plaxor_env_down() {
  if [ -n "$plaxor_keeper_pid" ]; then kill "$plaxor_keeper_pid" 2>/dev/null; wait "$plaxor_keeper_pid" 2>/dev/null || true; fi
  plaxor_keeper_pid=""
  if [ -n "$plaxor_started_server" ]; then "$PLAXOR_WINESERVER" -k 2>/dev/null; "$PLAXOR_WINESERVER" -w 2>/dev/null; fi
  plaxor_started_server=""
  if [ -n "$plaxor_xvfb_pid" ]; then kill "$plaxor_xvfb_pid" 2>/dev/null; wait "$plaxor_xvfb_pid" 2>/dev/null || true; fi
  plaxor_xvfb_pid=""
}
