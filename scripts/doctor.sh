#!/usr/bin/env bash
# Says what of the set-up is present and what is missing, with the command
# that fixes each missing piece: the packages, compilers, Wine and 32-bit
# Wine, the Wine prefix and its code page, the locale, fonts, CUPS with the
# PDF printer, tesseract with Japanese, chmcmd and wixl. Cheap (it starts no
# Wine); run at the start of scripts/test.sh. Exit status 1 when something
# is missing.
#   scripts/doctor.sh
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
AMBREL_ENV_FUNCTIONS_ONLY=1 . "$root/scripts/wine_env.sh"
WINEPREFIX=$AMBREL_WINEPREFIX

deps="bash scripts/deps.sh   (as root or with sudo)"
missing=0
present() { printf '  present  %-24s %s\n' "$1" "$2"; }
absent() { printf '  MISSING  %-24s %s\n           %-24s fix: %s\n' "$1" "$2" "" "$3"; missing=$((missing + 1)); }
note() { printf '  note     %-24s %s\n' "$1" "$2"; }
# Present when command $2 is found; $1 names the piece, $3 is its package.
tool() {
  local path
  if path=$(command -v "$2"); then present "$1" "$path"; else absent "$1" "no $2 (package $3)" "$deps"; fi
}

echo "set-up check:"
mapfile -t gone < <(ambrel_deps_missing "${AMBREL_PACKAGES[@]}")
if [ ${#gone[@]} -eq 0 ]; then
  present "packages" "all ${#AMBREL_PACKAGES[@]} of scripts/deps.sh"
else
  absent "packages" "${gone[*]}" "$deps"
fi

tool "C++ compiler" g++ g++
tool "CMake" cmake cmake
tool "clang (fuzz targets)" clang++ clang
tool "mingw-w64 x86-64" x86_64-w64-mingw32-g++-posix g++-mingw-w64-x86-64-posix
tool "mingw-w64 i686" i686-w64-mingw32-g++-posix g++-mingw-w64-i686-posix

if version=$(/usr/lib/wine/wine64 --version 2>/dev/null); then
  present "Wine (64-bit)" "$version"
else
  absent "Wine (64-bit)" "/usr/lib/wine/wine64 does not run" "$deps"
fi
unset AMBREL_WIN32 AMBREL_NO_WIN32
ambrel_win32_check 2>/dev/null
if [ "$AMBREL_WIN32" = yes ]; then
  present "wine32" "$(/usr/lib/wine/wine --version 2>/dev/null)"
elif [ ! -x /usr/lib/wine/wine ]; then
  absent "wine32" "$AMBREL_NO_WIN32" "$deps"
else
  note "wine32" "$AMBREL_NO_WIN32: everything runs 64-bit, the 32-bit tests are skipped"
fi

if [ ! -f "$WINEPREFIX/system.reg" ]; then
  absent "Wine prefix" "none in $WINEPREFIX" "bash scripts/wine_env.sh setup"
elif [ "$(cat "$WINEPREFIX/.ambrel-prefix" 2>/dev/null)" != "$(ambrel_prefix_wanted)" ]; then
  absent "Wine prefix" "$WINEPREFIX is not up to date" "bash scripts/wine_env.sh setup"
else
  present "Wine prefix" "$WINEPREFIX"
fi
acp=$(cat "$WINEPREFIX/.ambrel-acp" 2>/dev/null)
case "$acp" in
  932) present "prefix code page" "932 (as last measured)" ;;
  '') absent "prefix code page" "not measured yet" "bash scripts/wine_env.sh acp" ;;
  *) absent "prefix code page" "$acp, not 932 (is the locale there?)" "bash scripts/wine_env.sh setup && bash scripts/wine_env.sh acp" ;;
esac

case " $(locale -a 2>/dev/null | tr '\n' ' ') " in
  *" ja_JP.utf8 "*) present "locale" "ja_JP.UTF-8" ;;
  *) absent "locale" "no ja_JP.UTF-8 (Wine's code page would be 1252)" "bash scripts/wine_env.sh setup" ;;
esac

fonts_missing=()
for f in /usr/share/fonts/opentype/ipafont-gothic/ipag.ttf /usr/share/fonts/opentype/ipafont-gothic/ipagp.ttf \
         /usr/share/wine/fonts/marlett.ttf; do
  [ -f "$f" ] || fonts_missing+=("$f")
done
if [ ${#fonts_missing[@]} -eq 0 ]; then
  present "fonts" "IPA Gothic, IPA PGothic, Marlett"
else
  absent "fonts" "${fonts_missing[*]}" "$deps"
fi

tool "CUPS" cupsd cups
if [ -x /usr/lib/cups/backend/cups-pdf ] && [ -f /usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd ]; then
  present "PDF printer" "cups-pdf (made the default printer by scripts/cups_env.sh start)"
else
  absent "PDF printer" "no cups-pdf backend or PPD" "$deps"
fi
if langs=$(tesseract --list-langs 2>/dev/null) && grep -qx jpn <<<"$langs"; then
  present "tesseract, Japanese" "$(command -v tesseract) with jpn"
else
  absent "tesseract, Japanese" "no tesseract or no jpn data" "$deps"
fi
tool "pdftoppm" pdftoppm poppler-utils
tool "chmcmd" chmcmd fp-utils
tool "wixl" wixl wixl
tool "msiinfo" msiinfo msitools
tool "Xvfb" Xvfb xvfb
tool "xdotool" xdotool xdotool
tool "ImageMagick" import imagemagick
tool "Python 3" python3 python3

if [ "$missing" -eq 0 ]; then
  echo "set-up check: everything is there"
else
  echo "set-up check: $missing missing"
  exit 1
fi
