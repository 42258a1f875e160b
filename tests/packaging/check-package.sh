#!/usr/bin/env bash
# Makes the Debian package as `cpack -G DEB` does in the build folder (into a
# temporary folder), checks what it holds and what it depends on, runs
# lintian on it, and starts the program unpacked from it.
# Usage: check-package.sh BUILD_DIR VERSION
set -euo pipefail
. "$(dirname "$0")/common.sh"
build=$1 version=$2

work=$(mktemp -d /tmp/korvane-deb.XXXXXX)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
    fail "cpack: $(cat "$work/cpack.log")"
deb=$(echo "$work"/korvane_"$version"_*.deb)
[ -f "$deb" ] || fail "cpack made no korvane_${version}_*.deb: $(cat "$work/cpack.log")"

dpkg-deb -c "$deb" >"$work/contents"
awk '$2 != "root/root" { print; bad = 1 } END { exit bad }' "$work/contents" || fail "files not owned by root"
sed 's/.* \.\//\//' "$work/contents" >"$work/paths"
for file in $(expected_files); do
    grep -qxF "/usr/$file" "$work/paths" || fail "the package lacks /usr/$file"
done

# Where the desktop looks: the entry's program, icon and file type.
unpacked=$work/root
dpkg-deb -x "$deb" "$unpacked"
entry=$unpacked/usr/share/applications/org.korvane.Korvane.desktop
program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[ -x "$unpacked/usr/bin/$program" ] || fail "the desktop entry starts '$program', not in /usr/bin"
icon=$(sed -n 's/^Icon=//p' "$entry")
for size in 48x48 scalable; do
    ls "$unpacked/usr/share/icons/hicolor/$size/apps/$icon".* >/dev/null 2>&1 || fail "no $size icon named '$icon'"
done
for type in $(sed -n 's/^MimeType=//p' "$entry" | tr ';' ' '); do
    grep -q "type=\"$type\"" "$unpacked"/usr/share/mime/packages/*.xml || fail "no MIME entry for $type"
done

# Dependencies from the programs' libraries, and the fonts.
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libc6 libqt6core6 libqt6gui6 libqt6widgets6 fonts-liberation fonts-dejavu-core; do
    grep -qE "(^|, )$dep( |,|$)" <<<"$depends" || fail "Depends lacks $dep: $depends"
done
for field in Maintainer Section Description; do
    [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "no $field field"
done
grep -q 'Bản đồ số' <<<"$(dpkg-deb -f "$deb" Description)" || fail "no Vietnamese description"

lintian --fail-on error --tag-display-limit 0 "$deb" || fail "lintian found errors"

# The program as the package installs it (stripped) starts on the Hanoi map.
check_first_start "$unpacked/usr" "$work/device"
echo "$(basename "$deb"): contents, dependencies and lintian checked"
