#!/usr/bin/env bash
# Installs the build into a scratch prefix and checks the desktop integration:
# the program, a valid launcher entry and the themed icons.
set -euo pipefail
cmake=$1
build=$2

prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
"$cmake" --install "$build" --prefix "$prefix" >/dev/null

test -x "$prefix/bin/varlo-calculator"

entry=$prefix/share/applications/varlo-calculator.desktop
desktop-file-validate "$entry"
for line in 'Name=Varlo Calculator' 'Exec=varlo-calculator' 'Icon=varlo-calculator' \
            'Categories=Utility;Calculator;' 'StartupWMClass=varlo-calculator'; do
    grep -qxF "$line" "$entry" || { echo "missing in desktop entry: $line" >&2; exit 1; }
done

for size in 16 24 32 48 64 128 256; do
    icon=$prefix/share/icons/hicolor/${size}x${size}/apps/varlo-calculator.png
    file -b "$icon" | grep -q "^PNG image data, $size x $size," ||
        { echo "missing or wrong icon: $icon" >&2; exit 1; }
done
echo "install layout ok"
