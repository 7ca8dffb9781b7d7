#!/usr/bin/env bash
# The MSI under Wine's msiexec, in a Wine prefix of this test's own (made afresh, about 15 s),
# in an order where each step starts from what the one before left: a bad AUTORUN and a failing
# plaxorctl install nothing; an install with AUTORUN=disabled; the same MSI again with
# AUTORUN=enabled; a repair with AUTORUN=disabled; an upgrade to the next version; the uninstall.
# (Wine's msiexec /f answers "unknown product" for an installed product; /i REINSTALL=ALL
# repairs.)
#   package-msi.sh VERSION PLAXOR.EXE PLAXORCTL.EXE WORK_DIR FAILING_PLAXORCTL.EXE
source "$(dirname "$0")/checks.sh"
failing_ctl=$5
IFS=. read -r major minor patch <<<"$version"
next=$major.$minor.$((patch + 1))
release "$work/dist"
release "$work/failing" "$version" "$failing_ctl"
release "$work/next" "$next"
next_name=Plaxor-$next-x64
msi=$work/dist/$name.msi

source "$root/scripts/env.sh"
export WINEPREFIX=$work/wineprefix
# msiexec /qn opens no window, and a prefix started without a display makes none either: the
# test session's virtual display stays out of it.
unset DISPLAY
# The prefix (some 700 MB) stays only when a check failed, for a look.
cleanup() {
  "$PLAXOR_WINESERVER" -k 2>/dev/null
  "$PLAXOR_WINESERVER" -w 2>/dev/null
  [ "$failed" -ne 0 ] || rm -rf "$WINEPREFIX"
}
trap cleanup EXIT
"$PLAXOR_WINE" wineboot -i >/dev/null 2>&1
"$PLAXOR_WINESERVER" -p

drive=$WINEPREFIX/drive_c
folder="$drive/Program Files/Plaxor"
uninstall='HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall'

# msiexec OPTION FILE ARGS...: its exit code (Wine keeps the low 8 bits: 1603 becomes 67); a
# verbose log of each run is kept in WORK_DIR. Wine's drive Z: is the root of the file system.
runs=0
msiexec() {
  local option=$1 file=$2 log=$work/msiexec-$((++runs)).log
  shift 2
  "$PLAXOR_WINE" msiexec "$option" "Z:${file//\//\\}" "$@" /l*v "Z:${log//\//\\}" \
    </dev/null >/dev/null 2>&1
}
# The mapping as the 64-bit registry view shows it: Disabled, absent or other.
autorun() { plaxor_autorun_state /reg:64; }
# The installed products' entries in Add/Remove Programs: "DisplayName DisplayVersion" lines.
entries() {
  "$PLAXOR_WINE" reg query "$uninstall" /s /reg:64 2>/dev/null | tr -d '\r' |
    awk '$1 == "DisplayName" { n = $3 } $1 == "DisplayVersion" && n { print n, $3; n = "" }'
}
# Wine's msi puts the shortcut of a per-machine install in the user's Start menu; Windows in
# the one of all users. Either will do.
shortcut() {
  ls "$drive"/ProgramData/Microsoft/Windows/Start\ Menu/Programs/Plaxor.lnk \
     "$drive"/users/*/AppData/Roaming/Microsoft/Windows/Start\ Menu/Programs/Plaxor.lnk 2>/dev/null
}
nothing_installed() {
  [ ! -e "$folder" ] && [ -z "$(shortcut)" ] && [ -z "$(entries)" ]
}
installed() { # installed VERSION
  cmp -s "$folder/Plaxor.exe" "$plaxor" && cmp -s "$folder/plaxorctl.exe" "$plaxorctl" &&
    [ "$(entries)" = "Plaxor $1" ]
}
failed() { # failed COMMAND...: true when the command exits with a code other than 0
  ! "$@"
}

check "AUTORUN=bogus fails the install" failed msiexec /i "$msi" /qn AUTORUN=bogus
check "AUTORUN=bogus installs nothing" nothing_installed
check "AUTORUN=bogus leaves the setting" test "$(autorun)" = absent

check "a failing plaxorctl fails the install" \
  failed msiexec /i "$work/failing/$name.msi" /qn AUTORUN=disabled
check "a failing plaxorctl leaves nothing installed" nothing_installed

check "/i /qn AUTORUN=disabled exits 0" msiexec /i "$msi" /qn AUTORUN=disabled
check "the two programs are in Program Files\\Plaxor, with one entry in Add/Remove Programs" \
  installed "$version"
check "the Start-menu shortcut Plaxor leads to Plaxor.exe" \
  bash -c 'strings -a "$1" | grep -qxF "C:\Program Files\Plaxor\Plaxor.exe"' _ "$(shortcut)"
check "the registry shows the mapping" test "$(autorun)" = Disabled
check "Add/Remove Programs shows the maker, the web site and the icon" bash -c '
  out=$("$1" reg query "$2" /s /reg:64 | tr -d "\r")
  grep -q "Publisher *REG_SZ *Plaxor$" <<<"$out" && grep -q "URLInfoAbout *REG_SZ *https://plaxor.example/$" <<<"$out" &&
  icon=$("$1" reg query "HKLM\Software\Classes\Installer\Products" /s | tr -d "\r" | sed -n "s/ *ProductIcon *REG_SZ *//p") &&
  [ -f "$("$1" winepath -u "$icon" 2>/dev/null)" ]' _ "$PLAXOR_WINE" "$uninstall"

check "the same MSI again with AUTORUN=enabled exits 0" msiexec /i "$msi" /qn AUTORUN=enabled
check "...keeps the programs and the one entry" installed "$version"
check "...switches AutoRun back on" test "$(autorun)" = absent
rm -f "$folder/plaxorctl.exe"
check "a repair with AUTORUN=disabled exits 0" \
  msiexec /i "$msi" /qn REINSTALL=ALL REINSTALLMODE=omus AUTORUN=disabled
check "...puts back a missing program" installed "$version"
check "...switches AutoRun off again" test "$(autorun)" = Disabled

check "the next version installs over this one" msiexec /i "$work/next/$next_name.msi" /qn
check "...leaving one entry, of the next version" installed "$next"
check "...and the setting as it was" test "$(autorun)" = Disabled

check "/x /qn exits 0" msiexec /x "$work/next/$next_name.msi" /qn
check "the uninstall removes the programs, the shortcut and the entry" nothing_installed
check "the mapping is still there after the uninstall" test "$(autorun)" = Disabled
finish
