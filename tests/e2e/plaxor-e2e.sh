#!/usr/bin/env bash
# End-to-end test of Plaxor.exe under Wine on a virtual display.
#   plaxor-e2e.sh PLAXOR.EXE BUILD_DIR
# Uses the display and prefix it is given (DISPLAY, WINEPREFIX, as scripts/test provides them);
# without them it brings up its own with scripts/env.sh. Screenshots go to BUILD_DIR/e2e.
set -uo pipefail
exe=$1
build=$2
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/scripts/env.sh"
source "$root/scripts/plaxor-window.sh"
if [ -z "${DISPLAY:-}" ] || [ -z "${WINEPREFIX:-}" ]; then
  trap plaxor_env_down EXIT
  plaxor_env_up "$build" || exit 1
fi

shots="$build/e2e"
work=$(mktemp -d)
mkdir -p "$shots"
passed=0
failed=0
pids=()

cleanup() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  rm -rf "$work"
}
trap 'cleanup; plaxor_env_down' EXIT

ok() { echo "ok - $1"; passed=$((passed + 1)); }
not_ok() { echo "not ok - $1"; failed=$((failed + 1)); }
check() { # check DESCRIPTION COMMAND...
  local what=$1; shift
  if "$@"; then ok "$what"; else not_ok "$what"; fi
}
finish() {
  echo "e2e: $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit $?
}

wait_registry() { # wait_registry STATE: polls for about 10 s
  local i
  for i in $(seq 1 40); do
    [ "$(plaxor_autorun_state)" = "$1" ] && return 0
    sleep 0.25
  done
  return 1
}
# The registry stays in STATE for a second: for keys that must do nothing.
stays_registry() {
  local i
  for i in 1 2 3 4; do
    [ "$(plaxor_autorun_state)" = "$1" ] || return 1
    sleep 0.25
  done
}
reset_registry() { "$PLAXOR_WINE" reg delete "$PLAXOR_AUTORUN_KEY" /f >/dev/null 2>&1 || true; }

start() { # start EXE: runs it in the background; its pid in $started
  "$PLAXOR_WINE" "$1" >/dev/null 2>&1 &
  started=$!
  pids+=("$started")
}
# close WINDOW PID: a click on an empty spot makes the window active (Wine passes keys to the
# active window only), Alt+F4 closes it; the process's exit code goes to $exit_code (124 when
# it did not end within 10 s).
close() {
  local i
  xdotool mousemove --window "$1" 20 120 click 1 >/dev/null 2>&1
  xdotool key --window "$1" alt+F4 >/dev/null 2>&1
  for i in $(seq 1 100); do kill -0 "$2" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$2" 2>/dev/null; then
    kill "$2" 2>/dev/null
    wait "$2" 2>/dev/null
    exit_code=124
  else
    wait "$2"
    exit_code=$?
  fi
}
geometry() { eval "$(xdotool getwindowgeometry --shell "$1")"; }
state_is() { # state_is WINDOW STATE NAME: screenshot NAME.png shows STATE
  local shown
  shown=$(plaxor_wait_state "$1" "$2" "$shots/$3.png")
  [ "$shown" = "$2" ] || { echo "# $3.png shows $shown, not $2" >&2; return 1; }
}

# ---- one window: title, place, both commands by mouse and keys, no tab stops ----
reset_registry
start "$exe"
first=$started
if ! window=$(plaxor_wait_windows "$PLAXOR_TITLE" 1); then
  not_ok "Plaxor's window appears"
  finish
fi
ok "Plaxor's window appears"
check "window title is 'Plaxor 1.2'" test "$(xdotool getwindowname "$window")" = "Plaxor 1.2"

geometry "$window"
read -r screen_w screen_h < <(xdotool getdisplaygeometry)
check "client area is 409 x 232" test "${WIDTH}x${HEIGHT}" = "409x232"
# Centred: the frame is the same left and right; above, the caption adds some pixels.
dx=$((2 * X + WIDTH - screen_w))
dy=$((2 * Y + HEIGHT - screen_h))
check "centred across the screen (offset $dx)" test "${dx#-}" -le 2
check "centred down the screen, below by the caption (offset $dy)" test "$dy" -ge 0 -a "$dy" -le 60

check "key absent: the enabled picture is shown" state_is "$window" Enabled e2e-start

xdotool key --window "$window" Tab Tab Tab space Return >/dev/null
check "Tab, then Space and Return, click no glow button" stays_registry absent
xdotool key --window "$window" alt+e >/dev/null
check "Alt+E while enabled does nothing" stays_registry absent

xdotool mousemove --window "$window" 284 203 click 1 >/dev/null
check "a click on Disable writes the sentinel" wait_registry Disabled
check "the disabled picture is shown" state_is "$window" Disabled e2e-disabled

xdotool key --window "$window" alt+e >/dev/null
check "Alt+E removes the mapping" wait_registry absent
check "the enabled picture is shown again" state_is "$window" Enabled e2e-enabled-again

xdotool key --window "$window" alt+d >/dev/null
check "Alt+D writes the sentinel" wait_registry Disabled
check "the disabled picture is shown after Alt+D" state_is "$window" Disabled e2e-alt-d
xdotool mousemove --window "$window" 124 203 click 1 >/dev/null
check "a click on Enable removes the mapping" wait_registry absent

# ---- a second instance opens a second window ----
start "$exe"
second=$started
if windows=$(plaxor_wait_windows "$PLAXOR_TITLE" 2); then
  ok "a second start opens a second window"
  other=$(printf '%s\n' "$windows" | grep -v "^$window\$" | head -n 1)
else
  not_ok "a second start opens a second window"
  other=""
fi

# The second window lies exactly over the first (both centred): close the one on top first.
if [ -n "$other" ]; then
  close "$other" "$second"
  check "closing the second window ends its process with exit code 0 (got $exit_code)" \
    test "$exit_code" -eq 0
  check "the first window stays open" plaxor_wait_windows "$PLAXOR_TITLE" 1 10
else
  kill "$second" 2>/dev/null
fi
close "$window" "$first"
check "closing the first window ends its process with exit code 0 (got $exit_code)" \
  test "$exit_code" -eq 0

# ---- a default value of the wrong type: the error display captioned with the title ----
# run_with_dword NAME TITLE: starts a copy of Plaxor.exe named NAME with a REG_DWORD default
# value; the error box must carry TITLE.
run_with_dword() {
  local name=$1 title=$2 box main
  reset_registry
  "$PLAXOR_WINE" reg add "$PLAXOR_AUTORUN_KEY" /ve /t REG_DWORD /d 1 /f >/dev/null 2>&1
  cp "$exe" "$work/$name"
  start "$work/$name"
  if box=$(plaxor_wait_windows "$title" 1); then
    ok "$name: the error box is captioned '$title'"
  else
    not_ok "$name: the error box is captioned '$title'"
    kill "$started" 2>/dev/null
    return
  fi
  box=$(printf '%s\n' "$box" | head -n 1)
  import -window "$box" "$shots/e2e-error-$name.png" 2>/dev/null
  # The box may be mapped before it takes keys: press Return until it is gone.
  for _ in 1 2 3 4 5; do
    xdotool key --window "$box" Return >/dev/null 2>&1
    plaxor_wait_gone "$box" 20 && break
  done
  if ! main=$(plaxor_wait_windows "$PLAXOR_TITLE" 1); then
    not_ok "$name: the window opens after the error box"
    kill "$started" 2>/dev/null
    return
  fi
  ok "$name: the window opens after the error box"
  main=$(printf '%s\n' "$main" | head -n 1)
  if [ "$name" = PLAXOR.EXE ]; then
    check "$name: no state picture after the failed refresh" state_is "$main" none e2e-layout-values
    xdotool mousemove --window "$main" 284 203 click 1 >/dev/null
    check "$name: Disable then replaces the wrong value" wait_registry Disabled
    check "$name: and the disabled picture is shown" state_is "$main" Disabled e2e-after-dword
  fi
  close "$main" "$started"
  check "$name: exit code 0 (got $exit_code)" test "$exit_code" -eq 0
}
run_with_dword PLAXOR.EXE Plaxor
run_with_dword my.tool.exe my
reset_registry

finish
