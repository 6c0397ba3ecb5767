#!/usr/bin/env bash
# Runs a test program as if on a machine of its own: none of the desktop's settings reach
# it (display, session bus, Qt and XDG settings of the person running the tests), and it
# gets a home and a runtime folder of its own, removed afterwards, so that nothing it does
# lands in the person's home. Usage: isolated.sh [NAME=VALUE ...] program [argument ...]
set -u
scratch=$(mktemp -d "${TMPDIR:-/tmp}/kortvy-test.XXXXXX") || exit 1
trap 'chmod -R u+w "$scratch" 2>/dev/null; rm -rf "$scratch"' EXIT
mkdir -m 700 "$scratch/home" "$scratch/runtime"

kept=(PATH="$PATH")
# The sanitizers' settings and the temporary folder are the build's and the machine's, not
# the desktop's.
for name in TMPDIR ASAN_OPTIONS UBSAN_OPTIONS LSAN_OPTIONS; do
  [ -n "${!name+x}" ] && kept+=("$name=${!name}")
done

# No session bus: an address no bus answers on, so that nothing starts one either (libdbus
# would otherwise start one tied to the display, and every program after would meet it).
env -i "${kept[@]}" HOME="$scratch/home" XDG_RUNTIME_DIR="$scratch/runtime" \
  DBUS_SESSION_BUS_ADDRESS=disabled: LANG=C.UTF-8 LC_ALL=C.UTF-8 QT_QPA_PLATFORM=offscreen "$@"
status=$?
# A service started on the test's behalf (the speech service is, on the first word) listens
# in the test's runtime folder, and may hang there when it has no sound to speak into; it
# goes with the folder.
pkill -KILL -f -- "$scratch/" 2>/dev/null
exit $status
