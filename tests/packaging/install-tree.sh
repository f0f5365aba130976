# Sourced by the packaging checks: installs the build folder $1 into a fresh temporary folder, $prefix, that is
# removed when the check ends.
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/usr"
cmake --install "$build" --prefix "$prefix" >/dev/null

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
