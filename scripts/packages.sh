# Sourced by scripts/run and scripts/test: installs the Debian packages that
# the build, the program and the tests use, only those still missing.

hekira_build_packages=(
  cmake ninja-build pkgconf g++ clang-format
  qt6-base-dev libharfbuzz-dev libicu-dev
  fonts-ipafont fonts-klee fonts-kanjistrokeorders
)
# scripts/test builds the benchmarks too, so that they keep compiling.
hekira_test_packages=(
  libbenchmark-dev
  xvfb xauth poppler-utils imagemagick cups-daemon cups-client
)
hekira_fuzz_packages=(clang libfuzzer-14-dev libclang-rt-14-dev)

hekira_install() {
  local missing=() pkg
  for pkg in "$@"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'ok installed' || missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}" >&2
  local sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq || return 1
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}
