#!/usr/bin/env bash
# Makes the README's pictures of the game, the supervisor tool and "Kortlekar" from the
# programs in a build folder, each window as it opens on a virtual X server, so that they
# stay current: `make screenshots`.
#   screenshots.sh <build folder> <source folder> <output folder>
set -eu
build=$(realpath "$1") source=$(realpath "$2") out=$3
mkdir -p "$out"
out=$(realpath "$out")
work=$(mktemp -d)
server=
trap '[ -n "$server" ] && kill "$server" 2>/dev/null; rm -rf "$work"' EXIT

Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3> "$work/display" 2> /dev/null &
server=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=:$(cat "$work/display") QT_QPA_PLATFORM=xcb LC_ALL=C.UTF-8 XDG_RUNTIME_DIR=$work

# The programs as a school computer gets them: kortvy-start finds the others beside it.
cmake --install "$build" --prefix "$work/usr" > /dev/null
bin=$work/usr/bin

# A teacher with the first card set and a second one of her own.
export HOME=$work/home
mkdir -p "$HOME/Kortvy/Djur"
cp "$source"/sample/cards/* "$HOME/Kortvy/"
cp "$source"/sample/cards/*.{gif,bmp,jpg} "$HOME/Kortvy/Djur/"
printf '3\r\n2\r\n1\r\n"fisk.gif"\r\n""\r\n"fisk"\r\n"fisk"\r\n"båt.bmp"\r\n""\r\n"båt"\r\n"båt"\r\n"sol.gif"\r\n""\r\n"sol"\r\n"sol"\r\n' |
  iconv -f UTF-8 -t WINDOWS-1252 > "$HOME/Kortvy/Djur/kortvy.ini"

# shoot <name> <window title> <folder> <program> [arguments]: the window, once it is shown.
shoot() {
  local name=$1 title=$2 folder=$3
  shift 3
  (cd "$folder" && exec "$@") > "$work/$name.log" 2>&1 &
  local pid=$! window=
  for _ in $(seq 100); do
    window=$(xdotool search --onlyvisible --name "^$title\$" 2> /dev/null | head -1) && [ -n "$window" ] && break
    sleep 0.1
  done
  [ -n "$window" ] || { echo "screenshots: no window \"$title\": $(cat "$work/$name.log")" >&2; exit 1; }
  sleep 1  # pictures decoded, everything painted
  import -window "$window" "$out/$name.png"
  kill "$pid" 2> /dev/null || true
  wait "$pid" 2> /dev/null || true
  echo "$out/$name.png"
}

shoot spel "Välj rätt kort." "$HOME/Kortvy" "$bin/Kortvy"
shoot kortvyadm "Kortvy handledarsektion" "$HOME/Kortvy" "$bin/Kortvyadm"
shoot kortlekar "Kortlekar" "$HOME" "$bin/kortvy-start" Kortvyadm
