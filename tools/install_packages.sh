#!/usr/bin/env bash
# The one list of the Debian packages this project needs, and the step that
# installs those of them that are missing. The README's Quick start and CI
# both go through here.
#
#   tools/install_packages.sh [build|test|all]    (default: all)
#   tools/install_packages.sh --list [build|test|all]
#
#   build  what building and running the programs needs
#   test   what the tests, the sanitizer and fuzz builds and the benchmarks
#          need on top of that
#   all    both
#
# Only what dpkg reports as not installed is installed. A machine that has
# everything already gets no change and no network request. As root the
# script runs apt-get itself; otherwise it uses sudo when sudo can be used,
# and else stops with the apt-get command to run.
set -euo pipefail

build_packages=(
  cmake g++ make               # toolchain
  libcli11-dev                 # scenario_tool's command line
  nlohmann-json3-dev           # scenario_tool dump
  libcpp-httplib-dev pkg-config  # scenario_tool serve (pkg-config gives its build flags)
  libfltk1.3-dev libx11-dev    # the real wait window and message box
  help2man                     # the manual page, made from the tool's --help
)
test_packages=(
  libgtest-dev libgmock-dev                 # the test executables
  libxml2-dev                               # the plot tests read SVG back with a real parser
  xvfb xdotool x11-utils imagemagick        # the real window under a virtual display
  librsvg2-bin                              # SVG to PNG, pictures in tests and the README
  chromium chromium-driver python3-selenium # browser tests of scenario_tool serve
  vim                                       # the Vim syntax file, loaded headless
  neovim                                    # its built-in LSP client drives scenario_tool lsp in a test
  groff-base                                # groff, which checks the formats manual page
  python3-jsonschema                        # checks scenario_tool dump against its JSON Schema
  clang libclang-rt-14-dev                  # the libFuzzer build
  libbenchmark-dev time jq                  # benchmarks and bench/run
)

list_only=0
if [ "${1:-}" = --list ]; then
  list_only=1
  shift
fi
case "${1:-all}" in
  build) wanted=("${build_packages[@]}") ;;
  test) wanted=("${test_packages[@]}") ;;
  all) wanted=("${build_packages[@]}" "${test_packages[@]}") ;;
  *)
    echo "usage: $0 [--list] [build|test|all]" >&2
    exit 64
    ;;
esac
if [ $# -gt 1 ]; then
  echo "usage: $0 [--list] [build|test|all]" >&2
  exit 64
fi

if [ "$list_only" = 1 ]; then
  printf '%s\n' "${wanted[@]}"
  exit 0
fi

if ! command -v dpkg-query >/dev/null 2>&1; then
  echo "$0: this is not a Debian system; install the equivalents of: ${wanted[*]}" >&2
  exit 1
fi

# One query for all: packages dpkg does not know are left out of its answer.
installed=" $(dpkg-query -W -f='${db:Status-Status} ${Package}\n' "${wanted[@]}" 2>/dev/null |
              awk '$1 == "installed" { printf "%s ", $2 }' || true)"
missing=()
for package in "${wanted[@]}"; do
  [[ $installed == *" $package "* ]] || missing+=("$package")
done
[ ${#missing[@]} -eq 0 ] && exit 0

install_command=(apt-get install -y -q --no-install-recommends "${missing[@]}")
if [ "$(id -u)" = 0 ]; then
  as_root=()
elif command -v sudo >/dev/null 2>&1 && { sudo -n true 2>/dev/null || [ -t 0 ]; }; then
  as_root=(sudo)
else
  echo "$0: missing Debian packages; as root run: ${install_command[*]}" >&2
  exit 1
fi

echo "Installing ${#missing[@]} Debian packages: ${missing[*]}"
if ! "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q ||
   ! "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive "${install_command[@]}"; then
  echo "$0: installing failed; as root run: apt-get update && ${install_command[*]}" >&2
  exit 1
fi
