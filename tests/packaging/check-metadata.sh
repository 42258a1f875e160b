#!/usr/bin/env bash
# The desktop's files of Korvane, checked with the desktop's own tools: the
# desktop entry, the AppStream data, the file types and the icons.
# Usage: check-metadata.sh SOURCE_DIR VERSION
set -euo pipefail
. "$(dirname "$0")/common.sh"
src=$1 version=$2
pkg=$src/packaging
desktop=$pkg/org.korvane.Korvane.desktop

# desktop-file-validate exits 0 on warnings as well: only its hints pass.
report=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $report"
if [ -n "$(grep -v ': hint: ' <<<"$report")" ]; then
    fail "desktop-file-validate: $report"
fi
appstreamcli validate --no-net "$pkg/org.korvane.Korvane.metainfo.xml" || fail "appstreamcli validate"
xmllint --noout "$pkg/korvane-mime.xml" || fail "xmllint on the MIME entry"

# The file types as the desktop's MIME database reads them.
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mime=$work/mime
mkdir -p "$mime/packages"
cp "$pkg/korvane-mime.xml" "$mime/packages/korvane.xml"
report=$(XDG_DATA_HOME=$work update-mime-database "$mime" 2>&1) || fail "update-mime-database: $report"
[ -z "$report" ] || fail "update-mime-database: $report"
for glob in application/x-korvane-map:*.kvp application/x-korvane-road:*.kvt application/x-korvane-places:*.kvf; do
    grep -qxF "50:$glob" "$mime/globs2" || fail "no file type for $glob"
done
for type in $(sed -n 's/^MimeType=//p' "$desktop" | tr ';' ' '); do
    grep -qxF "$type" "$mime/types" || fail "the desktop entry opens $type, which no MIME entry defines"
done

# Every icon size the entry's icon name has is a PNG of that size.
icon=$(sed -n 's/^Icon=//p' "$desktop")
icons=$src/res/icons/hicolor
for png in "$icons"/*/apps/"$icon".png; do
    size=$(basename "$(dirname "$(dirname "$png")")")
    grep -q "^PNG image data, ${size/x/ x }," <<<"$(file -b "$png")" || fail "$png is not a $size PNG"
done
[ "$(ls "$icons"/*/apps/"$icon".png | wc -l)" -ge 8 ] || fail "fewer than eight icon sizes of $icon"
xmllint --noout "$icons/scalable/apps/$icon.svg" || fail "the scalable icon is not well-formed"

# The version stated in the package's changelog and in the AppStream releases.
grep -q "^korvane ($version) " <<<"$(head -1 "$pkg/changelog")" || fail "the changelog's latest entry is not $version"
grep -q "version=\"$version\"" <<<"$(grep -m1 '<release ' "$pkg/org.korvane.Korvane.metainfo.xml")" ||
    fail "the AppStream data's latest release is not $version"
echo "desktop entry, AppStream data, file types and icons: valid"
