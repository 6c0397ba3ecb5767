#!/usr/bin/env bash
# Starts a program inside a card-set folder, the way a teacher would: the folder is the
# current directory of the process.
set -eu
goal=$1 dir=$2 program=$3
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "Ingen skärm (DISPLAY) finns. Kör under en virtuell X-server: xvfb-run -a make $goal" >&2
  exit 1
fi
cd "$dir"
exec "$program"
