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

# The AutoRun mapping key as reg.exe names it. The program and its C++ tests take it from
# policy/AutoRunPolicy.h; a script cannot reach that constant, so this is the scripts' one
# spelling of it.
PLAXOR_AUTORUN_KEY='HKLM\SOFTWARE\Microsoft\Windows NT\CurrentVersion\IniFileMapping\Autorun.inf'

# plaxor_autorun_state [REG QUERY OPTION...]: the mapping as Wine's reg.exe sees it in
# WINEPREFIX: Disabled (the sentinel), absent (no key) or other.
plaxor_autorun_state() {
  local out
  if ! out=$("$PLAXOR_WINE" reg query "$PLAXOR_AUTORUN_KEY" /ve "$@" 2>/dev/null | tr -d '\r'); then
    echo absent
  elif grep -q 'REG_SZ[[:space:]]*@SYS:DoesNotExist$' <<<"$out"; then echo Disabled
  else echo other
  fi
}

# plaxor_wait_alive PID TRIES CMD...: polls CMD every 0.1 s, at most TRIES times; 0 once it
# succeeds, 1 when PID has ended or time ran out.
plaxor_wait_alive() {
  local pid=$1 tries=$2 i
  shift 2
  for i in $(seq 1 "$tries"); do
    "$@" 2>/dev/null && return 0
    kill -0 "$pid" 2>/dev/null || return 1
    sleep 0.1
  done
  return 1
}

# plaxor_stop PID [SIGNAL]: ends a process the environment started (nothing for an empty PID).
plaxor_stop() {
  [ -n "$1" ] || return 0
  { kill ${2:+-$2} "$1"; wait "$1"; } 2>/dev/null || true
}

plaxor_start_xvfb() {
  local n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    plaxor_xvfb_pid=$!
    if plaxor_wait_alive "$plaxor_xvfb_pid" 50 test -e "/tmp/.X11-unix/X$n"; then
      export DISPLAY=":$n"
      return 0
    fi
    plaxor_stop "$plaxor_xvfb_pid"; plaxor_xvfb_pid=""
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
  # The first Wine process of a session starts Wine's services, which inherit its standard
  # handles and outlive it: the keeper (or, without one, a command that ends at once) starts
  # them here with no test's output pipe to hold open.
  plaxor_start_keeper "$build" || "$PLAXOR_WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

# Wine closes the desktop (and its explorer) a second after its last user goes; a program
# started in that second can be left with X11 windows of the explorer that then quits. The
# keeper is a user from first to last, so one desktop and one explorer serve the whole run.
# 1 when there is no keeper in this build or it did not start.
plaxor_start_keeper() {
  local keeper="$1/tests/desktop_keeper.exe"
  [ -f "$keeper" ] || return 1
  local ready="$WINEPREFIX/.keeper-ready"
  rm -f "$ready"
  "$PLAXOR_WINE" "$keeper" </dev/null >"$ready" 2>/dev/null &
  plaxor_keeper_pid=$!
  plaxor_wait_alive "$plaxor_keeper_pid" 100 grep -q ready "$ready" && return 0
  echo "env: the desktop keeper did not start; test programs may see the desktop restart" >&2
  return 1
}

plaxor_env_down() {
  # Runs as the callers' EXIT trap: a step that fails must not skip the ones after it.
  local -
  set +e
  if [ -n "$plaxor_started_server" ]; then "$PLAXOR_WINESERVER" -k 2>/dev/null; "$PLAXOR_WINESERVER" -w 2>/dev/null; fi
  plaxor_started_server=""
  # The keeper went with the server if that was ours; it holds nothing worth a clean end.
  plaxor_stop "$plaxor_keeper_pid" KILL; plaxor_keeper_pid=""
  plaxor_stop "$plaxor_xvfb_pid"; plaxor_xvfb_pid=""
}
