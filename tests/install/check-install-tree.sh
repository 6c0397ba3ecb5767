#!/usr/bin/env bash
# Installs into a temporary DESTDIR under a prefix of its own and checks the tree a school
# computer gets: the programs, valid desktop entries, the card-set file type and which
# program opens it, the software-centre listing, the icon in every size and the first card
# set, shared and read-only. Then starts both installed programs the way their desktop
# entries do, for a user who has no card folder yet.
#   check-install-tree.sh <build folder> <source folder>
set -eu
build=$1 source=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FEL: $*" >&2; failures=$((failures + 1)); }

prefix=/opt/kortvy
DESTDIR="$work/root" cmake --install "$build" --prefix "$prefix" > "$work/install.log"
root=$work/root$prefix

# Only bin/ and share/ under the prefix, and nothing outside it.
[ "$(cd "$work/root" && find . -mindepth 1 -maxdepth 3 -type d | sort | tr '\n' ' ')" = "./opt ./opt/kortvy ./opt/kortvy/bin ./opt/kortvy/share " ] ||
  fail "oväntade mappar: $(cd "$work/root" && find . -maxdepth 3 -type d | tr '\n' ' ')"

for program in Kortvy Kortvyadm kortvy-start; do
  [ -f "$root/bin/$program" ] && [ -x "$root/bin/$program" ] || fail "programmet $program saknas"
done

apps=$root/share/applications
for entry in kortvy kortvyadm; do
  file=$apps/$entry.desktop
  [ -f "$file" ] || { fail "$entry.desktop saknas"; continue; }
  desktop-file-validate "$file" || fail "$entry.desktop är inte giltig"
  for key in Name GenericName Comment Icon Exec Categories; do
    grep -q "^$key=." "$file" || fail "$entry.desktop saknar $key"
  done
  grep -qx 'Icon=kortvy' "$file" || fail "$entry.desktop visar inte ikonen kortvy"
done
grep -qx 'Exec=kortvy-start Kortvy %f' "$apps/kortvy.desktop" || fail "spelet startas inte genom kortvy-start med en kortlek"
grep -qx 'Exec=kortvy-start Kortvyadm %f' "$apps/kortvyadm.desktop" || fail "Kortvyadm startas inte genom kortvy-start med en kortlek"
grep -q '^Categories=Education;Game;' "$apps/kortvy.desktop" || fail "spelet ligger inte under Education och Game"
grep -qx 'Categories=Education;' "$apps/kortvyadm.desktop" || fail "Kortvyadm ligger inte under Education"

# A file named kortvy.ini, and only that name, is a card set, in a MIME database made from
# the installed type alone. The game opens it on a double click; Kortvyadm is offered too.
# TryExec needs the launcher on PATH, or GLib hides both entries.
cardset=application/x-kortvy-cardset
mimexml=$root/share/mime/packages/kortvy.xml
if xmllint --noout "$mimexml"; then
  mkdir -p "$work/xdg/mime/packages" "$work/xdg/applications" "$work/filer" "$work/config"
  cp "$mimexml" "$work/xdg/mime/packages/"
  cp "$apps/kortvy.desktop" "$apps/kortvyadm.desktop" "$work/xdg/applications/"
  update-mime-database "$work/xdg/mime"
  update-desktop-database "$work/xdg/applications"
  for name in kortvy.ini KORTVY.INI annan.ini kortvy.ini.bak; do
    cp "$source/sample/cards/kortvy.ini" "$work/filer/$name"
  done
  xdg() {
    env LC_ALL=C.UTF-8 LANGUAGE= XDG_DATA_DIRS="$work/xdg:/usr/share" XDG_DATA_HOME="$work/xdg-home" \
      XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$work/config" PATH="$root/bin:$PATH" "$@"
  }
  type_of() { xdg gio info -a standard::content-type "$work/filer/$1" | sed -n 's/^ *standard::content-type: //p'; }
  [ "$(type_of kortvy.ini)" = $cardset ] || fail "kortvy.ini är av typen $(type_of kortvy.ini)"
  for name in KORTVY.INI annan.ini kortvy.ini.bak; do
    [ "$(type_of "$name")" != $cardset ] || fail "$name räknas som kortlek"
  done
  icon=$(xdg gio info -a standard::icon "$work/filer/kortvy.ini")
  grep -q 'standard::icon: kortvy,' <<< "$icon" || fail "typen visar inte ikonen kortvy: $icon"
  apps_for=$(xdg gio mime $cardset)
  grep -q "Default application for .$cardset.: kortvy.desktop" <<< "$apps_for" ||
    fail "spelet öppnar inte kortvy.ini: $apps_for"
  grep -q '^[[:space:]]kortvyadm.desktop$' <<< "$apps_for" || fail "Kortvyadm erbjuds inte för kortvy.ini: $apps_for"
else
  fail "share/mime/packages/kortvy.xml saknas eller är ingen XML"
fi

metainfo=$root/share/metainfo/org.example.kortvy.metainfo.xml
[ -f "$metainfo" ] || fail "share/metainfo/org.example.kortvy.metainfo.xml saknas"
appstreamcli validate --no-net "$metainfo" > "$work/appstream.log" 2>&1 ||
  fail "AppStream-filen är inte giltig: $(cat "$work/appstream.log")"

icons=$root/share/icons/hicolor
grep -q '<svg' "$icons/scalable/apps/kortvy.svg" 2>/dev/null || fail "den skalbara ikonen saknas"
for size in 16 22 24 32 48 64 128 256; do
  png=$icons/${size}x${size}/apps/kortvy.png
  [ -f "$png" ] || { fail "ikonen ${size}x$size saknas"; continue; }
  # The PNG signature, then the width and height of the IHDR chunk, big-endian.
  read -r -a head <<< "$(od -An -tu1 -v -w24 -N24 "$png")"
  [ "${head[1]}${head[2]}${head[3]}" = "807871" ] || fail "ikonen ${size}x$size är ingen PNG"
  width=$(( (head[16] << 24) | (head[17] << 16) | (head[18] << 8) | head[19] ))
  height=$(( (head[20] << 24) | (head[21] << 16) | (head[22] << 8) | head[23] ))
  [ "$width x $height" = "$size x $size" ] || fail "ikonen ${size}x$size är $width x $height"
done

cards=$root/share/kortvy/kortvy-forsta
[ -f "$cards/kortvy.ini" ] || fail "den första kortleken saknar kortvy.ini"
diff -r "$source/sample/cards" "$cards" > /dev/null || fail "den första kortleken skiljer sig från sample/cards"
[ -z "$(find "$cards" -perm /022)" ] || fail "den första kortleken går att skriva i för andra än ägaren"

for page in man6/Kortvy.6.gz man1/Kortvyadm.1.gz man1/kortvy-start.1.gz; do
  gzip -dc "$root/share/man/$page" 2>/dev/null | grep -q '^\.SH NAMN' || fail "manualsidan $page saknas"
done
for doc in copyright changelog.gz; do
  [ -f "$root/share/doc/kortvy/$doc" ] || fail "share/doc/kortvy/$doc saknas"
done

# Each program, started as its desktop entry starts it, is still running after a while:
# the game found kortvy.ini in the card folder that kortvy-start made for the new user and
# plays its one card set, Kortvyadm shows the list of card sets. Both start at once, as
# after a double click on each, so both race to make the folder.
export HOME=$work/hem
mkdir "$HOME"
declare -A started
for program in Kortvy Kortvyadm; do
  timeout 4 "$root/bin/kortvy-start" "$program" > "$work/$program.log" 2>&1 &
  started[$program]=$!
done
for program in Kortvy Kortvyadm; do
  status=0
  wait "${started[$program]}" || status=$?
  [ "$status" = 124 ] || fail "$program slutade med status $status: $(cat "$work/$program.log")"
done
diff -r "$source/sample/cards" "$HOME/Kortvy" > /dev/null || fail "~/Kortvy är inte en kopia av den första kortleken"
# Kortvyadm itself, on the card set a file manager gives it.
status=0
timeout 4 "$root/bin/kortvy-start" Kortvyadm "$HOME/Kortvy/kortvy.ini" > "$work/Kortvyadm-fil.log" 2>&1 || status=$?
[ "$status" = 124 ] || fail "Kortvyadm på ~/Kortvy/kortvy.ini slutade med status $status: $(cat "$work/Kortvyadm-fil.log")"
[ -z "$(find "$HOME/Kortvy" -type f ! -perm -u+w)" ] || fail "korten i ~/Kortvy går inte att ändra"

if [ "$failures" -ne 0 ]; then
  echo "$failures fel i den installerade trädet" >&2
  exit 1
fi
echo "installed tree ok"
