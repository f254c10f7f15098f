# Shared by the benchmark scripts; sourced from the project's root folder.

# bench_build DIR TARGET...: a release build in DIR when DIR is new, then the targets. An existing
# build directory is used as it is configured.
bench_build() {
  local build=$1
  shift
  if [[ ! -f "$build/CMakeCache.txt" ]]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
  fi
  cmake --build "$build" --target "$@" -j2 >/dev/null
}

# Settings, game history and sound of the run kept away from the user's own: a temporary home,
# removed at exit, and SDL's silent driver.
bench_private_home() {
  bench_home=$(mktemp -d)
  trap 'rm -rf "$bench_home"' EXIT
  export SDL_AUDIODRIVER=dummy XDG_CONFIG_HOME="$bench_home" XDG_DATA_HOME="$bench_home/data"
}

# bench_on_display PROGRAM ARGS...: on the display there is, or on a virtual one.
bench_on_display() {
  if [[ -z "${DISPLAY:-}" ]]; then
    xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
  else
    "$@"
  fi
}
