# The release tests' shared part; sourced by package-*.sh, which are run as
#   package-X.sh VERSION PLAXOR.EXE PLAXORCTL.EXE WORK_DIR [...]
# Each check prints "ok - ..." or "not ok - ..."; finish prints the count and sets the exit code.
set -uo pipefail
version=$1
plaxor=$2
plaxorctl=$3
work=$4
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
assemble="$root/packaging/assemble"
name=Plaxor-$version-x64
rm -rf "$work"
mkdir -p "$work"

passed=0
failed=0
ok() { echo "ok - $1"; passed=$((passed + 1)); }
not_ok() { echo "not ok - $1"; failed=$((failed + 1)); }
check() { # check DESCRIPTION COMMAND...
  local what=$1
  shift
  if "$@"; then ok "$what"; else not_ok "$what"; fi
}
finish() {
  echo "$(basename "$0" .sh): $passed passed, $failed failed"
  [ "$failed" -eq 0 ]
  exit $?
}
# release DIR [VERSION [PLAXORCTL]]: assembles a release into DIR, its output in DIR.log;
# a failure is reported and ends the test, since every later check needs the release.
release() {
  local dir=$1 v=${2:-$version} ctl=${3:-$plaxorctl}
  if ! bash "$assemble" "$v" "$plaxor" "$ctl" "$dir" >"$dir.log" 2>&1; then
    cat "$dir.log"
    not_ok "packaging/assemble makes a release in $dir"
    finish
  fi
}
