#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR, below a prefix the programs
# were not configured for, and runs the installed tavodex-cli the way a user
# of the machine would: no TAVODEX_DATA, home and XDG folders inside the
# temporary folder, a current folder that holds no installation. The
# installed data must be found beside the program, copied into the per-user
# base folder on first start, and never changed.
set -euo pipefail
build=$1
tmp=$(mktemp -d)
trap 'chmod -R u+w "$tmp"; rm -rf "$tmp"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

DESTDIR="$tmp/root" cmake --install "$build" --prefix /opt/tavodex > "$tmp/install.log" \
  || { cat "$tmp/install.log"; fail "cmake --install"; }
prefix="$tmp/root/opt/tavodex"
cli="$prefix/bin/tavodex-cli"
data="$prefix/share/tavodex"
for f in bin/tavodex bin/tavodex-cli bin/tavodex-terminal share/tavodex/system/049.SPR \
         share/tavodex/Projects/Demo.qvx share/doc/tavodex/README.md \
         share/applications/org.tavodex.TavoDex.desktop \
         share/icons/hicolor/scalable/apps/org.tavodex.TavoDex.svg \
         share/icons/hicolor/48x48/apps/org.tavodex.TavoDex.png \
         share/mime/packages/org.tavodex.TavoDex.xml \
         share/metainfo/org.tavodex.TavoDex.metainfo.xml \
         share/bash-completion/completions/tavodex-cli; do
  [[ -e "$prefix/$f" ]] || fail "not installed: $f"
done

# Only the installed data has this file: the per-user folder must be made
# from it, not from the sources the build came from.
echo "installed" > "$data/Lib/installed-here.txt"
checksums() { (cd "$data" && find . -type f -print0 | sort -z | xargs -0 md5sum); }
before=$(checksums)
chmod -R a-w "$data"

unset TAVODEX_DATA
export HOME="$tmp/home" XDG_DATA_HOME="$tmp/home/.local/share" XDG_CONFIG_HOME="$tmp/home/.config"
mkdir -p "$HOME"
cd "$HOME"

out=$("$cli" info "$data/Projects/Demo.qvx") || fail "installed tavodex-cli info: exit $?"
grep -q '^Project:     ' <<< "$out" || fail "info printed no project head: $out"
grep -q '^Messages:    0$' <<< "$out" || fail "the reader reported messages: $out"
[[ -f "$XDG_DATA_HOME/TavoDex/system/049.SPR" ]] || fail "no per-user base folder was made"
[[ -w "$XDG_DATA_HOME/TavoDex/system/049.SPR" ]] || fail "the per-user copy is not writable"
[[ -f "$XDG_DATA_HOME/TavoDex/Lib/installed-here.txt" ]] \
  || fail "the per-user base folder was not made from the installed data"

version=$("$cli" --version) || fail "--version"
grep -q '^tavodex-cli [0-9]' <<< "$version" || fail "--version printed: $version"
"$cli" fonts | grep -q 'S008X016.FON' || fail "fonts does not list the installed fonts"

[[ "$(checksums)" == "$before" ]] || fail "the installed data changed"
echo "installed tavodex-cli works from $prefix"
