# Sourced by scripts/run and scripts/test: installs the Debian packages that
# the build, the program and the tests use, only those still missing.

hekira_build_packages=(
  cmake ninja-build pkgconf g++ clang-format
  qt6-base-dev libharfbuzz-dev libicu-dev
  # what the program needs at run time: the faces, Qt's Japanese dialog texts
  fonts-ipafont fonts-klee fonts-kanjistrokeorders qt6-translations-l10n
  # the kanji of each school grade, compiled in at build time
  kanjidic-xml zlib1g-dev
  # kanji readings: MeCab with the IPA dictionary
  libmecab-dev mecab-ipadic-utf8
)
# scripts/test builds the benchmarks too, so that they keep compiling.
hekira_test_packages=(
  libbenchmark-dev
  xvfb xauth poppler-utils imagemagick cups-daemon cups-client
)
# scripts/screenshot: a headless X server, clicks and keys, the window's hints, the shots.
hekira_screenshot_packages=(xvfb xauth xdotool x11-utils imagemagick)
hekira_fuzz_packages=(clang libfuzzer-14-dev libclang-rt-14-dev)
# scripts/package: dpkg-shlibdeps (with file) for the dependencies, the checks of
# the desktop entry, the AppStream data and the package, and man to read the page.
hekira_package_packages=(dpkg-dev file desktop-file-utils appstream lintian man-db)

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
