#!/usr/bin/env bash
# Builds the Debian package from the build tree, checks what it depends on and what it installs,
# and starts the game from the unpacked package far enough to paint the title.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6svg6 fonts-ipafont-gothic libqt6widgets6 libqt6gui6; do
    [[ $depends == *"$needed"* ]] || { echo "missing dependency: $needed"; exit 1; }
done

dpkg-deb -x "$deb" "$work/root"
for f in usr/bin/nonoka \
         usr/share/applications/jp.nonoka.birthday.desktop \
         usr/share/metainfo/jp.nonoka.birthday.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/jp.nonoka.birthday.svg \
         usr/share/icons/hicolor/48x48/apps/jp.nonoka.birthday.png \
         usr/share/icons/hicolor/256x256/apps/jp.nonoka.birthday.png; do
    [[ -s $work/root/$f ]] || { echo "not in the package: $f"; exit 1; }
done
file "$work/root/usr/share/icons/hicolor/48x48/apps/jp.nonoka.birthday.png" | grep -q "48 x 48" || { echo "the 48 px icon is not 48 px"; exit 1; }

game=$work/root/usr/bin/nonoka
"$game" --version | grep -qx "nonoka [0-9.]*" || { echo "--version says: $("$game" --version)"; exit 1; }
"$game" --help | grep -q -- "--self-test" || { echo "--help lists no options"; exit 1; }
"$game" --help | grep -q "^Usage: .*nonoka \[options\]" || { echo "--help names no program"; exit 1; }
if "$game" --no-such-option >/dev/null 2>&1; then echo "an unknown option was accepted"; exit 1; fi
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work timeout 60 "$game" --self-test
echo "the unpacked game painted its title"
