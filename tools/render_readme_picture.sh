#!/usr/bin/env bash
# Draws the embedded scenario for the README: the program compiles it in a
# temporary folder, scenario_tool plot draws it, rsvg-convert renders it to
# docs/embedded_scenario.png.
#
#   tools/render_readme_picture.sh [BUILD_DIR]   (default: build)
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
for program in "$build/scenario_compiler" "$build/tools/scenario_tool"; do
  if [ ! -x "$program" ]; then
    echo "render_readme_picture: $program is missing; build it first:" >&2
    echo "  cmake -S . -B $build && cmake --build $build --target scenario_compiler scenario_tool" >&2
    exit 2
  fi
done
if ! command -v rsvg-convert >/dev/null; then
  echo "render_readme_picture: rsvg-convert is missing (Debian package librsvg2-bin)" >&2
  exit 2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/scenario_compiler" "$work/"
# No display: the program shows its wait message on the console.
env -u DISPLAY "$work/scenario_compiler" >/dev/null
"$build/tools/scenario_tool" plot "$work" -o "$work/embedded_scenario.svg" >/dev/null
mkdir -p docs
rsvg-convert --format png -o docs/embedded_scenario.png "$work/embedded_scenario.svg"
echo "wrote docs/embedded_scenario.png"
