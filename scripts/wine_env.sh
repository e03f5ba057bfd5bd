#!/usr/bin/env bash
# Wine environment for running and testing the Windows build.
#
# Sourced:  . scripts/wine_env.sh       -> sets everything up, exports
#           WINEPREFIX/WINEARCH/LANG/WINEDEBUG/DISPLAY and defines the
#           ambrel_* functions below. Sets the caller's trap: an Xvfb
#           started here is stopped when the calling shell exits, and an
#           interrupt (Ctrl-C, kill) also ends the prefix's Wine processes.
# Run:      scripts/wine_env.sh setup            (prefix, locale, font)
#           scripts/wine_env.sh run PROG.exe ARGS (exit code of PROG)
#           scripts/wine_env.sh acp              (prints the ANSI code page)
#           scripts/wine_env.sh exec CMD ARGS    (any command in the env)
#           scripts/wine_env.sh screenshot OUT.png
#
# Knobs: AMBREL_WINEPREFIX (prefix folder), AMBREL_WINE_DESKTOP
# ("1024x768" = Wine virtual desktop of that size, "off" = plain X windows),
# AMBREL_XVFB_SIZE (screen of a private Xvfb), AMBREL_NO_APT=1 (never install),
# AMBREL_FORCE_NO_WIN32=1 (run as on a machine without 32-bit programs),
# AMBREL_WINE_LOCALE (the programs' locale, ja_JP.UTF-8 unless set),
# AMBREL_WINE_DPI (the prefix's screen DPI, LogPixels: 96 by default, 144 to
# see the windows at 150 %; a change is written into the prefix on next use).
# Idempotent: each step checks what is already there. Safe to source from a
# script running under `set -euo pipefail`.

ambrel_env_log() { printf '[wine_env] %s\n' "$*" >&2; }

AMBREL_ENV_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
: "${AMBREL_WINEPREFIX:=${XDG_CACHE_HOME:-$HOME/.cache}/ambrel/wineprefix}"
: "${AMBREL_WINE_DESKTOP:=1024x768}"
: "${AMBREL_XVFB_SIZE:=1024x768x24}"
: "${AMBREL_WINE_DPI:=96}"
# Bump when the prefix recipe changes so cached prefixes are brought up to date.
AMBREL_PREFIX_RECIPE=5
. "$AMBREL_ENV_DIR/deps.sh"

# Whether this machine runs 32-bit Windows programs, found once and handed
# to every child through the environment: AMBREL_WIN32=yes, or no with the
# reason in AMBREL_NO_WIN32 (the end-to-end tests that need a 32-bit program
# skip with it). Without them, every Wine call uses the 64-bit loader: Debian's
# `wine` (and wineboot, winepath, regedit, msiexec through it) always takes
# the 32-bit loader once wine32 is installed, which a kernel without 32-bit
# support refuses ("Exec format error"). AMBREL_FORCE_NO_WIN32=1 takes this
# path on any machine.
ambrel_win32_check() {
  if [ -z "${AMBREL_WIN32:-}" ]; then
    local loader=/usr/lib/wine/wine error
    if [ "${AMBREL_FORCE_NO_WIN32:-0}" = 1 ]; then
      AMBREL_NO_WIN32="AMBREL_FORCE_NO_WIN32=1"
    elif [ ! -x "$loader" ]; then
      AMBREL_NO_WIN32="32-bit Wine (wine32:i386) is not installed"
    elif ! error=$(timeout 20 "$loader" --version 2>&1 >/dev/null); then
      AMBREL_NO_WIN32="this machine cannot run 32-bit programs ($loader: ${error:-no answer})"
      AMBREL_NO_WIN32=${AMBREL_NO_WIN32//$'\n'/ }
    fi
    if [ -n "${AMBREL_NO_WIN32:-}" ]; then
      AMBREL_WIN32=no
      ambrel_env_log "64-bit only: $AMBREL_NO_WIN32"
      export AMBREL_NO_WIN32
    else
      AMBREL_WIN32=yes
    fi
    export AMBREL_WIN32
  fi
  [ "$AMBREL_WIN32" = yes ] || ambrel_wine64_only
}

# Puts commands named like Wine's in front of PATH that start the 64-bit
# loader directly, and makes it the loader of every process Wine starts.
ambrel_wine64_only() {
  local bin=${XDG_CACHE_HOME:-$HOME/.cache}/ambrel/wine64-bin name
  if [ ! -x "$bin/wineserver" ]; then
    mkdir -p "$bin"
    printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' >"$bin/wine"
    for name in wineboot winepath regedit msiexec winecfg wineconsole; do
      printf '#!/bin/sh\nexec /usr/lib/wine/wine64 %s.exe "$@"\n' "$name" >"$bin/$name"
    done
    printf '#!/bin/sh\nexec /usr/lib/wine/wineserver "$@"\n' >"$bin/wineserver"
    chmod +x "$bin"/*
  fi
  case ":$PATH:" in *":$bin:"*) ;; *) export PATH="$bin:$PATH" ;; esac
  export WINELOADER=/usr/lib/wine/wine64
}

# Wine takes its ANSI code page from the C library's locale: without an
# installed ja_JP.UTF-8 it silently falls back to 1252.
ambrel_locale_require() {
  case " $(locale -a 2>/dev/null | tr '\n' ' ') " in *" ja_JP.utf8 "*) return 0 ;; esac
  local sudo=
  if [ "$(id -u)" -ne 0 ]; then sudo=sudo; fi
  ambrel_env_log "generating locale ja_JP.UTF-8"
  $sudo localedef -i ja_JP -c -f UTF-8 -A /usr/share/locale/locale.alias ja_JP.UTF-8
}

ambrel_export_wine_vars() {
  export WINEPREFIX="$AMBREL_WINEPREFIX"
  export WINEARCH=win64
  # AMBREL_WINE_LOCALE runs the programs under another locale (and so another
  # ANSI code page: en_US.UTF-8 gives 1252) for the tests of a Windows whose
  # language is not Japanese.
  export LANG="${AMBREL_WINE_LOCALE:-ja_JP.UTF-8}" LC_ALL="${AMBREL_WINE_LOCALE:-ja_JP.UTF-8}"
  export WINEDEBUG="${AMBREL_WINEDEBUG:--all}"
  # No Mono/Gecko prompts, no desktop menu entries for the test programs.
  export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
}

# Registry of the prefix: Japanese UI fonts mapped to the IPA fonts, linked
# fonts so that Latin UI fonts fall back to a face that has kana and kanji,
# and the virtual desktop setting.
ambrel_write_prefix_registry() {
  local reg="$WINEPREFIX/ambrel-fonts.reg" desktop_lines
  if [ "$AMBREL_WINE_DESKTOP" = off ]; then
    desktop_lines='[-HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]
[HKEY_CURRENT_USER\Software\Wine\Explorer]
"Desktop"=-'
  else
    desktop_lines="[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
\"Desktop\"=\"Default\"
[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
\"Default\"=\"$AMBREL_WINE_DESKTOP\""
  fi
  local dpi; dpi=$(printf '%08x' "$AMBREL_WINE_DPI")
  local link='hex(7):69,00,70,00,61,00,67,00,70,00,2e,00,74,00,74,00,66,00,2c,00,49,00,50,00,41,00,50,00,47,00,6f,00,74,00,68,00,69,00,63,00,00,00,00,00'
  cat >"$reg.utf8" <<EOF
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontSubstitutes]
"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"ＭＳ Ｐ明朝"="IPAPGothic"
"ＭＳ 明朝"="IPAGothic"
"MS PGothic"="IPAPGothic"
"MS Gothic"="IPAGothic"
"MS UI Gothic"="IPAPGothic"
"MS Shell Dlg"="IPAPGothic"
"MS Shell Dlg 2"="IPAPGothic"

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]
"Tahoma"=$link
"Microsoft Sans Serif"=$link
"MS Sans Serif"=$link
"Arial"=$link

[HKEY_CURRENT_USER\\Control Panel\\Desktop]
"LogPixels"=dword:$dpi

[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts]
"LogPixels"=dword:$dpi

$desktop_lines
EOF
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$reg.utf8"; } >"$reg"
  rm -f "$reg.utf8"
  # No `wineserver -w` here: with a program of the prefix still running it
  # would wait for that program; the server keeps the keys either way.
  wine regedit /S "$(winepath -w "$reg" 2>/dev/null)"
}

# Debian's Wine does not find its own fonts (fonts-wine) by itself; without
# Marlett the caption buttons show as "0 1 r". Only Marlett is linked: with
# Wine's Latin-only Tahoma present, a rich edit asking for it draws kanji as
# boxes, while without it the request falls through to the IPA fonts.
ambrel_link_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" f
  mkdir -p "$fonts"
  rm -f "$fonts"/tahoma*.ttf "$fonts"/courier.ttf "$fonts"/ms_sans_serif.ttf "$fonts"/small_fonts*.ttf \
        "$fonts"/system.ttf "$fonts"/fixedsys*.ttf "$fonts"/symbol.ttf
  for f in /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf \
           /usr/share/wine/fonts/marlett.ttf; do
    if [ -e "$f" ]; then ln -sf "$f" "$fonts/"; fi
  done
}

# What the stamp of an up-to-date prefix says.
ambrel_prefix_wanted() {
  echo "recipe=$AMBREL_PREFIX_RECIPE desktop=$AMBREL_WINE_DESKTOP dpi=$AMBREL_WINE_DPI wine32=$AMBREL_WIN32"
}

# Creates the prefix once; later calls only repair what changed.
ambrel_prefix_require() {
  ambrel_export_wine_vars
  local wine32=$AMBREL_WIN32
  local stamp="$WINEPREFIX/.ambrel-prefix"
  local want; want=$(ambrel_prefix_wanted)
  [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ] && return 0
  local t0=$SECONDS
  # A prefix made without 32-bit Wine starts nothing 32-bit once it can run:
  # one of ours (it has the stamp) is made again.
  if [ "$wine32" = yes ] && [ -f "$stamp" ] && ! grep -q ' wine32=yes$' "$stamp"; then
    ambrel_env_log "32-bit Wine was installed after $WINEPREFIX was made: making it again"
    wineserver -k >/dev/null 2>&1 || true
    rm -rf "$WINEPREFIX"
  fi
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    ambrel_env_log "creating Wine prefix $WINEPREFIX"
    mkdir -p "$(dirname "$WINEPREFIX")"
    wineboot -i >/dev/null 2>&1 || { ambrel_env_log "wineboot failed"; return 1; }
    timeout 120 wineserver -w || true
  fi
  ambrel_link_fonts
  ambrel_write_prefix_registry || { ambrel_env_log "registry import failed"; return 1; }
  echo "$want" >"$stamp"
  ambrel_env_log "prefix ready in $((SECONDS - t0)) s"
}

# Starts a private Xvfb when there is no display; Xvfb picks a free number.
ambrel_xvfb_require() {
  [ -n "${DISPLAY:-}" ] && return 0
  local fifo; fifo=$(mktemp -u /tmp/ambrel-xvfb.XXXXXX)
  mkfifo "$fifo"
  Xvfb -displayfd 3 -screen 0 "$AMBREL_XVFB_SIZE" -nolisten tcp -noreset 3>"$fifo" >/dev/null 2>&1 &
  AMBREL_XVFB_PID=$!
  local num
  if ! read -r -t 20 num <"$fifo"; then
    rm -f "$fifo"; ambrel_env_log "Xvfb did not start"; kill "$AMBREL_XVFB_PID" 2>/dev/null; return 1
  fi
  rm -f "$fifo"
  export DISPLAY=":$num"
  ambrel_env_log "Xvfb on $DISPLAY (pid $AMBREL_XVFB_PID)"
}

# Stops what this shell started: the prefix's Wine processes when they run
# on our private Xvfb (they would die with it anyway) or when the run was
# interrupted, then Xvfb itself.
ambrel_env_cleanup() {
  if [ -n "${AMBREL_XVFB_PID:-}" ] || [ "${1:-}" = interrupted ]; then
    wineserver -k 2>/dev/null
  fi
  if [ -n "${AMBREL_XVFB_PID:-}" ]; then
    kill "$AMBREL_XVFB_PID" 2>/dev/null
    wait "$AMBREL_XVFB_PID" 2>/dev/null
    AMBREL_XVFB_PID=
  fi
}

# The one trap of a script that starts the environment: every way out of it
# (the end, an error, Ctrl-C, kill) stops what it started.
ambrel_env_trap() {
  trap 'ambrel_env_cleanup $ambrel_exit_how' EXIT
  trap 'ambrel_exit_how=interrupted; exit 130' INT
  trap 'ambrel_exit_how=interrupted; exit 143' TERM
  trap 'ambrel_exit_how=interrupted; exit 129' HUP
}

ambrel_env_setup() {
  ambrel_deps_require || return 1
  ambrel_locale_require || return 1
  ambrel_export_wine_vars
  ambrel_win32_check
  ambrel_xvfb_require || return 1
  ambrel_prefix_require || return 1
}

# Runs a Windows program; returns its exit code. Waited for in the
# background, so that an interrupt reaches the trap while it runs.
ambrel_wine_run() {
  local exe=$1; shift
  wine "$exe" "$@" &
  wait $!
}

# Prints the ANSI code page the prefix's programs see (932 expected).
# `chcp` answers the console code page (0 without a console), so a tiny
# program asks GetACP itself; it is compiled once into the prefix.
ambrel_wine_acp() {
  local exe="$WINEPREFIX/ambrel-getacp.exe"
  if [ ! -f "$exe" ]; then
    printf '%s\n' '#include <windows.h>' '#include <stdio.h>' \
      'int main(void) { printf("%u\n", GetACP()); return 0; }' |
      x86_64-w64-mingw32-gcc -x c -O2 -o "$exe" - || return 1
  fi
  # Kept beside the prefix for scripts/doctor.sh.
  wine "$exe" | tr -d '\r' | tee "$WINEPREFIX/.ambrel-acp"
}

ambrel_screenshot() {
  "$AMBREL_ENV_DIR/screenshot.sh" "$@"
}

if [ "${BASH_SOURCE[0]}" != "$0" ]; then
  # Sourced: set up and hand the environment to the caller (only the
  # functions with AMBREL_ENV_FUNCTIONS_ONLY=1, for scripts/doctor.sh).
  [ "${AMBREL_ENV_FUNCTIONS_ONLY:-0}" = 1 ] && return 0
  ambrel_exit_how=
  ambrel_env_trap
  ambrel_env_setup || return 1
  return 0
fi

set -u
cmd=${1:-setup}
[ $# -gt 0 ] && shift
case "$cmd" in
  setup|run|acp|exec|screenshot) ;;
  *) echo "usage: $0 [setup|run PROG.exe ARGS|acp|exec CMD ARGS|screenshot OUT.png]" >&2; exit 2 ;;
esac
ambrel_exit_how=
ambrel_env_trap
ambrel_env_setup || exit 1
case "$cmd" in
  setup) ;;
  # A program left behind by a crashed test ends with the private Xvfb (see
  # ambrel_env_cleanup); on a user's display it is left alone.
  run) ambrel_wine_run "$@"; exit $? ;;
  acp) ambrel_wine_acp ;;
  exec) "$@"; exit $? ;;
  screenshot) ambrel_screenshot "$@"; exit $? ;;
esac
