#!/usr/bin/env bash
# Builds the Debian package from the build folder, as `make package` does, and checks its
# fields, its dependencies and its contents; lintian must find no errors in it.
#   check-package.sh <build folder> <source folder>
set -eu
build=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FEL: $*" >&2; failures=$((failures + 1)); }

(cd "$build" && cpack -G DEB -B "$work" > "$work/cpack.log") || { cat "$work/cpack.log" >&2; exit 1; }
debs=("$work"/kortvy_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || { echo "FEL: inget paket kortvy_*.deb" >&2; exit 1; }
deb=${debs[0]}

field() { dpkg-deb -f "$deb" "$1"; }
[ "$(field Package)" = kortvy ] || fail "paketet heter $(field Package)"
[ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "fel arkitektur $(field Architecture)"
[ "$(field Section)" = education ] || fail "fel sektion $(field Section)"
[[ "$(field Maintainer)" =~ ^[^\<]+\ \<[^@\>]+@[^\>]+\>$ ]] || fail "ogiltig Maintainer: $(field Maintainer)"
description=$(field Description)
grep -q 'bild- och ordkort' <<< "$description" || fail "beskrivningen saknar svenska"
grep -q 'picture-and-word card' <<< "$description" || fail "beskrivningen saknar engelska"

# Depends, one package a line without versions.
depends=$(field Depends | tr ',' '\n' | sed 's/(.*)//; s/|.*//; s/[[:space:]]//g')
for needed in libqt6core6 libqt6gui6 libqt6widgets6 qt6-qpa-plugins qt6-image-formats-plugins \
              qt6-translations-l10n fonts-liberation2 fonts-dejavu-core libheif1 libc6 libstdc++6 \
              libqt6multimedia6 libqt6network6 speech-dispatcher \
              speech-dispatcher-espeak-ng espeak-ng-data libsndfile1; do
  grep -qx "$needed" <<< "$depends" || fail "Depends saknar $needed: $(field Depends)"
done

dpkg-deb -c "$deb" > "$work/contents"
# Every file under /usr, owned by root.
awk '$6 !~ /^\.\/usr\// && $6 != "./" { print }' "$work/contents" > "$work/outside"
[ ! -s "$work/outside" ] || fail "filer utanför /usr: $(cat "$work/outside")"
awk '$2 != "root/root" { print }' "$work/contents" > "$work/owners"
[ ! -s "$work/owners" ] || fail "filer som inte ägs av root: $(cat "$work/owners")"
has() { # has <mode> <path>
  grep -Eq "^$1 +root/root +[0-9]+ +[0-9-]+ +[0-9:]+ +\./usr/$2\$" "$work/contents" || fail "paketet saknar /usr/$2 ($1)"
}
for program in Kortvy Kortvyadm kortvy-start; do has -rwxr-xr-x "bin/$program"; done
has -rw-r--r-- share/applications/kortvy.desktop
has -rw-r--r-- share/applications/kortvyadm.desktop
has -rw-r--r-- share/mime/packages/kortvy.xml
has -rw-r--r-- share/metainfo/org.example.kortvy.metainfo.xml
has -rw-r--r-- share/icons/hicolor/scalable/apps/kortvy.svg
for size in 16 22 24 32 48 64 128 256; do has -rw-r--r-- "share/icons/hicolor/${size}x$size/apps/kortvy.png"; done
has -rw-r--r-- share/man/man6/Kortvy.6.gz
has -rw-r--r-- share/man/man1/Kortvyadm.1.gz
has -rw-r--r-- share/man/man1/kortvy-start.1.gz
has -rw-r--r-- share/doc/kortvy/copyright
has -rw-r--r-- share/doc/kortvy/changelog.gz
while IFS= read -r -d '' card; do
  has -rw-r--r-- "share/kortvy/kortvy-forsta/$(basename "$card")"
done < <(find "$source/sample/cards" -maxdepth 1 -type f -print0)

dpkg-deb -x "$deb" "$work/x"
# The package is under GPL 3 or later, in Debian's machine-readable form.
copyright=$work/x/usr/share/doc/kortvy/copyright
grep -qx 'Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' "$copyright" ||
  fail "copyright är inte maskinläsbar"
grep -qx 'License: GPL-3.0-or-later' "$copyright" || fail "copyright saknar GPL-3.0-or-later"
# The software-centre listing as a software centre sees it beside the rest of the package:
# its launchables are the package's own desktop entries.
appstreamcli validate-tree --no-net "$work/x" > "$work/appstream.log" 2>&1 ||
  fail "AppStream: $(cat "$work/appstream.log")"
for program in Kortvy Kortvyadm kortvy-start; do
  if readelf -S "$work/x/usr/bin/$program" | grep -q '\.debug_info'; then fail "$program är inte strippad"; fi
done

if command -v lintian > /dev/null; then
  lintian --fail-on error --suppress-tags-from-file /dev/null "$deb" > "$work/lintian.log" 2>&1 ||
    fail "lintian: $(cat "$work/lintian.log")"
else
  echo "lintian saknas; paketet granskas inte" >&2
fi

if [ "$failures" -ne 0 ]; then
  echo "$failures fel i paketet" >&2
  exit 1
fi
echo "package ok"
