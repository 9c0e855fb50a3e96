#!/usr/bin/env bash
# Builds the Debian package from what the build tree has already built (CPack is kept from building
# anything: other tests run from the same tree meanwhile), holds it to Debian's own checker where
# lintian is installed, checks what it depends on and what it installs, and starts the game from
# the unpacked package far enough to paint the title.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Installed into a folder of its own (stripped, as CPack strips), and packaged from there: CPack
# would build its install target first, relinking what other tests are running.
{ cmake --install "$build" --prefix "$work/stage/usr" --strip &&
  cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" -D CPACK_INSTALL_CMAKE_PROJECTS= \
        -D "CPACK_INSTALLED_DIRECTORIES=$work/stage;."; } >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/*.deb)

if command -v lintian >/dev/null; then
    lintian --tag-display-limit 0 "$deb" 2>&1 | grep -v "running with root privileges" | tee "$work/lintian.log" || true
    if grep -q "^[EW]: " "$work/lintian.log"; then echo "lintian has errors or warnings"; exit 1; fi
else
    echo "lintian is not installed: the package is not held to it"
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt6svg6 fonts-ipafont-gothic libqt6widgets6 libqt6gui6; do
    [[ $depends == *"$needed"* ]] || { echo "missing dependency: $needed"; exit 1; }
done
repeated=$(tr ',' '\n' <<<"$depends" | sed 's/^ *//; s/ .*//' | sort | uniq -d)
[[ -z $repeated ]] || { echo "named twice in Depends: $repeated"; exit 1; }
description=$(dpkg-deb -f "$deb" Description)
[[ $description == *Japanese* ]] || { echo "the description does not say the game is in Japanese"; exit 1; }

dpkg-deb -x "$deb" "$work/root"
for f in usr/games/nonoka \
         usr/share/man/man6/nonoka.6.gz \
         usr/share/doc/nonoka/copyright \
         usr/share/doc/nonoka/changelog.gz \
         usr/share/applications/jp.nonoka.birthday.desktop \
         usr/share/metainfo/jp.nonoka.birthday.metainfo.xml \
         usr/share/icons/hicolor/scalable/apps/jp.nonoka.birthday.svg \
         usr/share/icons/hicolor/48x48/apps/jp.nonoka.birthday.png \
         usr/share/icons/hicolor/256x256/apps/jp.nonoka.birthday.png; do
    [[ -s $work/root/$f ]] || { echo "not in the package: $f"; exit 1; }
done
file "$work/root/usr/share/icons/hicolor/48x48/apps/jp.nonoka.birthday.png" | grep -q "48 x 48" || { echo "the 48 px icon is not 48 px"; exit 1; }
file "$work/root/usr/games/nonoka" | grep -q ", stripped" || { echo "the game is not stripped"; exit 1; }
zcat "$work/root/usr/share/man/man6/nonoka.6.gz" | grep -q -- '\\-\\-self\\-test' || { echo "the manual page lists no options"; exit 1; }
# How many games there are is said nowhere by hand: a game added would make it wrong.
if grep -rqiw "eight\|八つ" "$work/root/usr/share" - <<<"$description"; then
    echo "a count of games written by hand is shipped"; exit 1
fi

game=$work/root/usr/games/nonoka
"$game" --version | grep -qx "nonoka [0-9.]*" || { echo "--version says: $("$game" --version)"; exit 1; }
"$game" --help | grep -q -- "--self-test" || { echo "--help lists no options"; exit 1; }
"$game" --help | grep -q "^Usage: .*nonoka \[options\]" || { echo "--help names no program"; exit 1; }
QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$work timeout 60 "$game" --self-test
echo "the unpacked game painted its title"
