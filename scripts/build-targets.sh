# Sourced by the scripts that run something: installs what is missing, configures and builds
# only the targets the script needs, saying what it does and showing the build's progress.
#   plaxor_build_targets NAME BUILD_DIR TARGET...
plaxor_build_targets() {
  local name=$1 build=$2
  shift 2
  echo "$name: checking the tools (scripts/bootstrap)"
  bash scripts/bootstrap
  if [ ! -f "$build/CMakeCache.txt" ]; then
    echo "$name: configuring the build in $build (the first time takes a minute)"
  fi
  cmake --preset mingw -B "$build" >/dev/null
  echo "$name: building $* (a first build, with libjpeg-turbo, takes a few minutes)"
  cmake --build "$build" --target "$@"
}
