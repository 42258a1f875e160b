#!/usr/bin/env bash
# Installs the build into a temporary folder as a package would (DESTDIR,
# prefix /usr), checks the installed files, and starts the installed program
# offscreen, each time with a device root of its own.
# Usage: check-install.sh BUILD_DIR
set -euo pipefail
. "$(dirname "$0")/common.sh"
build=$1

work=$(mktemp -d /tmp/korvane-install.XXXXXX)
trap 'rm -rf "$work"' EXIT
DESTDIR=$work/dest cmake --install "$build" --prefix /usr >"$work/install.log" ||
    fail "cmake --install: $(cat "$work/install.log")"
usr=$work/dest/usr
for file in $(expected_files); do
    [ -f "$usr/$file" ] || fail "not installed: /usr/$file"
done

# No settings file yet: the installed Hanoi map.
check_first_start "$usr" "$work/first"

# A settings file that names no map (the map was closed last time) is kept to.
root=$work/closed
mkdir -p "$root/My Documents"
printf 'MapVer 1.2\r\nMapURL \r\nComType COM8: Serial 8\r\nBitRate 4800\r\nURLInforFile \r\nNumMyPlace 0\r\nend\r\n\r\n' \
    >"$root/My Documents/korvane.cfg"
map=$(start_installed "$usr" "$root")
[ -z "$map" ] || fail "a start after Close map opened '$map'"

# A map named on the command line, relative to the current folder, wins over
# the settings' map and is remembered by its full path.
maps=$usr/share/korvane/maps
map=$(cd "$maps" && start_installed "$usr" "$work/first" hcmc_district3.kvp)
[ "$map" = "$maps/hcmc_district3.kvp" ] || fail "korvane hcmc_district3.kvp opened '$map'"

# The map tool works from any folder.
grep -q '^Usage: korvane-tool' <<<"$(cd / && "$usr/bin/korvane-tool" --help)" || fail "korvane-tool --help"
(cd / && "$usr/bin/korvane-tool" info "$maps/hanoi.kvp") >/dev/null || fail "korvane-tool info on the installed map"
echo "installed under $usr: files in place, first start on the Hanoi map"
