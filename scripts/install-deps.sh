#!/usr/bin/env bash
# Installs the Debian packages that building, testing and running need, when any is missing.
# Without root it prints the one apt-get line to run and stops.
set -eu

packages=(
  cmake ninja-build g++ make pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-image-formats-plugins qt6-translations-l10n libgl-dev
  fonts-liberation2 fonts-dejavu-core
  xvfb xauth xdotool libxcb1-dev
  # Every desktop has it, and with it a program on a display without a session bus starts
  # one; the tests must pass beside it as they do without it.
  dbus-x11
  qt6-svg-dev desktop-file-utils dpkg-dev lintian
  shared-mime-info libxml2-utils libglib2.0-bin appstream
  libjpeg62-turbo-dev libheif-dev
  # Card files (.kortvy) are ZIP archives.
  libzip-dev
  # Sound: recordings through Qt Multimedia, words through the speech service.
  qt6-multimedia-dev
  speech-dispatcher speech-dispatcher-espeak-ng espeak-ng
  # The printing tests read their PDF back with pdftotext and pdfimages.
  poppler-utils
  # A card's word in the teacher's own voice is written with libsndfile.
  libsndfile1-dev
)
# The recording test needs a sound server of its own. A machine without any (a CI machine)
# gets pulseaudio; a desktop's PipeWire, which pulseaudio would replace, is left alone.
if [ "$(dpkg-query -W -f='${Status}' pipewire-pulse 2>/dev/null || true)" != "install ok installed" ]; then
  packages+=(pulseaudio pulseaudio-utils)
fi
# --fuzz: clang and its sanitizer and libFuzzer runtimes, for `make fuzz`.
fuzz_packages=(clang-14 libclang-rt-14-dev llvm-14)
# --screenshots: what `make screenshots` takes its pictures with.
screenshot_packages=(imagemagick)
for extra in "$@"; do
  case $extra in
    --fuzz) packages+=("${fuzz_packages[@]}") ;;
    --screenshots) packages+=("${screenshot_packages[@]}") ;;
    *) packages+=("$extra") ;;
  esac
done

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [ "$status" = "install ok installed" ] || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

line="apt-get install -y --no-install-recommends ${missing[*]}"
if [ "$(id -u)" -ne 0 ]; then
  echo "Paket saknas / missing packages. Run as root:" >&2
  echo "  apt-get update && $line" >&2
  exit 1
fi
echo "Installing: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
