#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Makes the Debian package from a build folder and checks it: its file list, urdiva-cli running
# from the unpacked tree, the desktop entry and the AppStream file valid, the man page naming
# every option of the help. Exit 77 (skipped) without dpkg-deb.
# Usage: check_deb.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
command -v dpkg-deb >/dev/null || { echo "dpkg-deb is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$build" && cpack -G DEB -B "$work/out" >"$work/cpack.log") || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/out/urdiva_*_*.deb)
echo "package: $(basename "$deb")"
dpkg-deb -c "$deb" | awk '{print $NF}' | sed 's|^\./|/|' >"$work/files"
for f in /usr/bin/urdiva /usr/bin/urdiva-cli /usr/share/applications/urdiva.desktop \
    /usr/share/metainfo/io.github.urdiva.Urdiva.metainfo.xml \
    /usr/share/icons/hicolor/16x16/apps/urdiva.png /usr/share/icons/hicolor/256x256/apps/urdiva.png \
    /usr/share/icons/hicolor/scalable/apps/urdiva.svg /usr/share/man/man1/urdiva-cli.1.gz \
    /usr/share/man/man1/urdiva.1.gz /usr/share/doc/urdiva/README.md \
    /usr/share/doc/urdiva/LICENSE /usr/share/doc/urdiva/copyright; do
    grep -qx "$f" "$work/files" || { echo "missing from the package: $f"; cat "$work/files"; exit 1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
echo "depends: $depends"
for d in libqt6core6 libqt6widgets6 fonts-dejavu-core; do
    [[ "$depends" == *"$d"* ]] || { echo "not a dependency: $d"; exit 1; }
done
description=$(dpkg-deb -f "$deb" Description)
[[ "$description" != *";"* ]] || { echo "a list joined into the description: $description"; exit 1; }
dpkg-deb -x "$deb" "$work/root"
version=$("$work/root/usr/bin/urdiva-cli" --version)
[[ "$version" == "urdiva-cli "* ]] || { echo "unexpected version: $version"; exit 1; }
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$work/root/usr/share/applications/urdiva.desktop"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$work/root/usr/share/metainfo/io.github.urdiva.Urdiva.metainfo.xml"
fi
"$work/root/usr/bin/urdiva-cli" --help | grep -o -- '--[a-z-]*' | sort -u >"$work/help"
zcat "$work/root/usr/share/man/man1/urdiva-cli.1.gz" | grep '^\\fB' | sed 's/\\f[A-Z]//g; s/\\-/-/g' |
    grep -o -- '--[a-z-]*' | sort -u >"$work/man"
diff "$work/help" "$work/man" || { echo "the man page and the help name different options"; exit 1; }
echo "ok"
