#!/usr/bin/env bash
# The desktop entry, the AppStream metainfo and the MIME types as the
# distribution's tools see them.
# Skipped (77) when the validators are not installed.
set -euo pipefail
dir=$1
command -v desktop-file-validate > /dev/null && command -v appstreamcli > /dev/null || exit 77
desktop-file-validate "$dir/org.tavodex.TavoDex.desktop"
appstreamcli validate --no-net --strict "$dir/org.tavodex.TavoDex.metainfo.xml"
if command -v xmllint > /dev/null; then xmllint --noout "$dir/org.tavodex.TavoDex.mime.xml"; fi
# Every MIME type of the desktop entry is defined.
for type in $(sed -n 's/^MimeType=//p' "$dir/org.tavodex.TavoDex.desktop" | tr ';' ' '); do
  grep -q "type=\"$type\"" "$dir/org.tavodex.TavoDex.mime.xml" || { echo "undefined: $type"; exit 1; }
done
