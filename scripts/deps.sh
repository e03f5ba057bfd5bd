#!/usr/bin/env bash
# Installs every Debian package the builds and tests need (only what is
# missing). Sourced by scripts/test.sh and scripts/run.sh.
ambrel_deps_require() {
  local packages=(
    cmake make g++ pkg-config
    googletest libgtest-dev libbenchmark-dev libre2-dev
    clang libclang-rt-14-dev
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools binutils-mingw-w64-x86-64
    wine wine64 xvfb xauth locales fonts-ipafont-gothic imagemagick xdotool
    python3 fp-utils
    wixl msitools
    gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix
    wine32:i386
    cups printer-driver-cups-pdf poppler-utils tesseract-ocr tesseract-ocr-jpn
  )
  local missing=() p
  # 32-bit Wine runs the 32-bit companion's tests; it must be there before
  # any Wine prefix is made (a prefix made without it starts nothing after).
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    if [ "$(id -u)" -eq 0 ]; then dpkg --add-architecture i386; else sudo dpkg --add-architecture i386; fi
  fi
  for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=
  [ "$(id -u)" -ne 0 ] && sudo=sudo
  echo "[deps] installing: ${missing[*]}" >&2
  $sudo apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}
