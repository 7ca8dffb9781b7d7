#!/usr/bin/env bash
# The session's Wine desktop outlives the programs that use it: a program attaches to the
# desktop and ends, and two seconds later the same explorer still draws the desktop. Without
# a user that lives for the whole session Wine closes the desktop a second after its last
# user goes, and a test program started then can die of X errors on the quitting explorer's
# windows.
#   desktop-kept.sh DESKTOP_KEEPER_EXE BUILD_DIR   (scripts/test provides the session)
set -u
keeper=$1
source "$(dirname "$0")/../../scripts/env.sh"
plaxor_prefix "$2"

# The explorer processes drawing a desktop of this prefix.
explorers() {
  local pid
  for pid in $(pgrep -f 'explorer.exe /desktop'); do
    grep -qzxF "WINEPREFIX=$WINEPREFIX" "/proc/$pid/environ" 2>/dev/null && echo "$pid"
  done
}
fail() { echo "desktop-kept: $*" >&2; exit 1; }

"$PLAXOR_WINE" "$keeper" --probe || fail "a program could not attach to the desktop"
before=$(explorers)
[ -n "$before" ] || fail "no explorer draws the desktop"
sleep 2
after=$(explorers)
[ "$after" = "$before" ] || fail "the desktop closed after its user ended (explorer '$before' became '$after')"
echo "desktop-kept: explorer $before drew the desktop throughout"
