# Watching Plaxor's window from outside, through the X server, as a person sees it; sourced by
# screenshot-run and the end-to-end test. Needs DISPLAY, xdotool and ImageMagick.
# Without a window manager the X window of a Wine top-level window is its client area, so
# coordinates here are client coordinates.

PLAXOR_TITLE="Plaxor 1.2"
# A client point inside the state pictures' square (168,98 72x72): the enabled picture's amber
# disc, the disabled picture's green shield.
PLAXOR_STATE_X=205
PLAXOR_STATE_Y=143

# plaxor_wait_windows TITLE COUNT [TENTHS]: prints the ids of COUNT windows with exactly this
# title once they are there (polling, 15 s by default); fails if they do not come.
plaxor_wait_windows() {
  local title=$1 count=$2 tenths=${3:-150} ids i
  for ((i = 0; i < tenths; i++)); do
    ids=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null || true)
    if [ -n "$ids" ] && [ "$(printf '%s\n' "$ids" | wc -l)" -ge "$count" ]; then
      printf '%s\n' "$ids"
      return 0
    fi
    sleep 0.1
  done
  return 1
}

# plaxor_wait_gone WINDOW [TENTHS]: waits until the window no longer exists.
plaxor_wait_gone() {
  local window=$1 tenths=${2:-100} i
  for ((i = 0; i < tenths; i++)); do
    xdotool getwindowname "$window" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  return 1
}

# plaxor_rgb SHOT.png X Y: prints "R G B" (0-255) of a pixel of a screenshot.
plaxor_rgb() {
  convert "$1" -format "%[fx:round(255*p{$2,$3}.r)] %[fx:round(255*p{$2,$3}.g)] %[fx:round(255*p{$2,$3}.b)]" info:
}

# plaxor_state_in SHOT.png: which state picture the screenshot shows: Enabled (amber disc),
# Disabled (green shield), none (white: no picture) or unknown.
plaxor_state_in() {
  local r g b
  read -r r g b < <(plaxor_rgb "$1" "$PLAXOR_STATE_X" "$PLAXOR_STATE_Y")
  if [ "$r" -gt 200 ] && [ "$g" -gt 110 ] && [ "$g" -lt 180 ] && [ "$b" -lt 80 ]; then echo Enabled
  elif [ "$r" -lt 110 ] && [ "$g" -gt 150 ] && [ "$b" -lt 140 ]; then echo Disabled
  elif [ "$r" -gt 245 ] && [ "$g" -gt 245 ] && [ "$b" -gt 245 ]; then echo none
  else echo unknown
  fi
}

# plaxor_wait_state WINDOW STATE SHOT.png [TENTHS]: takes screenshots of the window until it
# shows STATE (see plaxor_state_in); the last one stays in SHOT.png. Prints what was shown last
# and fails if it never was STATE.
plaxor_wait_state() {
  local window=$1 want=$2 shot=$3 tenths=${4:-100} shown=unknown i
  for ((i = 0; i < tenths; i++)); do
    if import -window "$window" "$shot" 2>/dev/null; then
      shown=$(plaxor_state_in "$shot")
      [ "$shown" = "$want" ] && { echo "$shown"; return 0; }
    fi
    sleep 0.1
  done
  echo "$shown"
  return 1
}

# plaxor_wait_painted WINDOW SHOT.png [TENTHS]: screenshots until a state picture is shown
# (the window has painted after its first refresh); prints the state.
plaxor_wait_painted() {
  local window=$1 shot=$2 tenths=${3:-100} shown=unknown i
  for ((i = 0; i < tenths; i++)); do
    if import -window "$window" "$shot" 2>/dev/null; then
      shown=$(plaxor_state_in "$shot")
      case $shown in Enabled|Disabled) echo "$shown"; return 0 ;; esac
    fi
    sleep 0.1
  done
  echo "$shown"
  return 1
}
