#!/usr/bin/env bash
# The one place that installs packages: every Debian package the builds, the
# tests, the Wine environment and the packaging need, and the one function
# that installs them. Sourced by test.sh, run.sh, wine_env.sh, package.sh and
# demo.sh, which call ambrel_deps_require; nothing else runs apt-get.
#   bash scripts/deps.sh          installs what is missing
#   bash scripts/deps.sh list     prints the package list
# Knobs: AMBREL_NO_APT=1 (never install: name what is missing and fail),
# AMBREL_APT_UPDATE_TRIES (default 3), AMBREL_APT_RETRY_PAUSE (seconds between
# them, default 10), AMBREL_APT_ETC (where the source lists are, /etc/apt).

AMBREL_PACKAGES=(
  cmake make g++ pkg-config
  googletest libgtest-dev libbenchmark-dev libre2-dev
  clang libclang-rt-14-dev
  gcc-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
  binutils-mingw-w64-x86-64 gcc-mingw-w64-i686-posix g++-mingw-w64-i686-posix
  wine wine64 wine32:i386 fonts-wine
  xvfb xauth locales fonts-ipafont-gothic imagemagick xdotool
  python3 fp-utils wixl msitools
  cups printer-driver-cups-pdf poppler-utils tesseract-ocr tesseract-ocr-jpn
)

ambrel_deps_log() { printf '[deps] %s\n' "$*" >&2; }

# Prints the packages of "$@" that are not installed, one a line (one
# dpkg-query for all: it is run at the start of every script).
ambrel_deps_missing() {
  local native; native=$(dpkg --print-architecture 2>/dev/null)
  dpkg-query -W -f='${binary:Package} ${db:Status-Abbrev}\n' "$@" 2>/dev/null |
    awk -v native=":$native" -v want="$*" '
      function plain(name) {
        if (substr(name, length(name) - length(native) + 1) == native) name = substr(name, 1, length(name) - length(native))
        return name
      }
      $2 == "ii" { have[plain($1)] = 1 }
      END { n = split(want, w, " "); for (i = 1; i <= n; i++) if (!(plain(w[i]) in have)) print w[i] }'
}

# Prints "URI SUITE" for each source that the apt output in file $1 reports
# as failed ("Err:" lines, "Failed to fetch URL", "The repository '...'").
ambrel_apt_failed_sources() {
  awk '
    /^Err:/ { u = $2; s = $3; sub(/\/.*/, "", s); sub(/\/$/, "", u); print u, s; next }
    /Failed to fetch / {
      for (i = 1; i < NF; i++) if ($i == "fetch") url = $(i + 1)
      if (match(url, /\/dists\/[^\/]+\//)) {
        s = substr(url, RSTART + 7, RLENGTH - 8); print substr(url, 1, RSTART - 1), s
      }
      next
    }
    /The repository '\''/ {
      line = $0; sub(/.*The repository '\''/, "", line); split(line, w, " ")
      u = w[1]; sub(/\/$/, "", u); print u, w[2]
    }' "$1" | sort -u
}

# Copies the source lists under $1 (sources.list, sources.list.d/*.list and
# *.sources, one-line and deb822 format) into folder $3, leaving out every
# suite of a source named in file $2 ("URI SUITE" lines).
ambrel_apt_sources_without() {
  local etc=$1 failed=$2 out=$3 f
  mkdir -p "$out"
  for f in "$etc"/sources.list "$etc"/sources.list.d/*.list "$etc"/sources.list.d/*.sources; do
    [ -f "$f" ] || continue
    case "$f" in *.sources) format=deb822 ;; *) format=line ;; esac
    awk -v format="$format" -v failed="$failed" '
      BEGIN { while ((getline l < failed) > 0) { split(l, w, " "); bad[w[1] " " w[2]] = 1 } }
      function norm(u) { sub(/\/$/, "", u); return u }
      # One-line format: deb [options] URI SUITE COMPONENTS...
      format == "line" {
        n = split($0, t, /[ \t]+/); i = 1
        if (t[i] == "") i++
        if (t[i] != "deb" && t[i] != "deb-src") { print; next }
        i++
        if (substr(t[i], 1, 1) == "[") { while (i <= n && t[i] !~ /\]$/) i++; i++ }
        if ((norm(t[i]) " " t[i + 1]) in bad) next
        print; next
      }
      # deb822: stanzas between blank lines, rewritten once complete.
      function flush(   k, u, s, j, nu, ns, uris, suites, kept) {
        if (count == 0) return
        nu = split(uriline, uris, /[ \t]+/); ns = split(suiteline, suites, /[ \t]+/); kept = ""
        for (j = 1; j <= ns; j++) {
          if (suites[j] == "") continue
          drop = 0
          for (k = 1; k <= nu; k++) if (uris[k] != "" && (norm(uris[k]) " " suites[j]) in bad) drop = 1
          if (!drop) kept = kept " " suites[j]
        }
        if (kept != "" || suiteline == "")
          for (k = 1; k <= count; k++) print (k == suiteat ? "Suites:" kept : stanza[k])
        print ""
        count = 0; uriline = ""; suiteline = ""; suiteat = 0
      }
      /^[ \t]*$/ { flush(); next }
      {
        stanza[++count] = $0
        if (tolower($1) == "uris:") { uriline = $0; sub(/^[^:]*:/, "", uriline) }
        if (tolower($1) == "suites:") { suiteline = $0; sub(/^[^:]*:/, "", suiteline); suiteat = count }
      }
      END { if (format == "deb822") flush() }' "$f" >"$out/$(basename "$f")"
  done
}

# Installs the packages "$@". The index is updated first (retried, with a
# pause); when that keeps failing the install is tried with the lists there
# are. When the install then fails and a source's index did not download,
# it is tried once more without that source (a half-updated source leaves
# the i386 and amd64 builds of one library at different versions). Fails
# naming the packages and apt's error.
ambrel_apt_install() {
  local apt=${AMBREL_APT_GET:-apt-get} etc=${AMBREL_APT_ETC:-/etc/apt}
  local tries=${AMBREL_APT_UPDATE_TRIES:-3} pause=${AMBREL_APT_RETRY_PAUSE:-10}
  local sudo=${AMBREL_SUDO-}
  if [ -z "${AMBREL_SUDO+set}" ] && [ "$(id -u)" -ne 0 ]; then sudo=sudo; fi
  local work; work=$(mktemp -d /tmp/ambrel-apt.XXXXXX)
  local update_ok=0 try
  ambrel_deps_log "installing: $*"
  for ((try = 1; try <= tries; try++)); do
    if $sudo "$apt" update >"$work/update.log" 2>&1; then update_ok=1; break; fi
    [ "$try" -lt "$tries" ] && sleep "$pause"
  done
  if [ "$update_ok" -eq 0 ]; then
    ambrel_deps_log "apt-get update failed $tries times; installing with the package lists there are:"
    grep -E '^(E|W): ' "$work/update.log" | sed 's/^/    /' >&2
  fi
  local install=("$apt" install -y -q --no-install-recommends "$@") status=0
  $sudo env DEBIAN_FRONTEND=noninteractive "${install[@]}" >"$work/install.log" 2>&1 || status=$?
  if [ "$status" -ne 0 ]; then
    ambrel_apt_failed_sources "$work/update.log" >"$work/failed"
    if [ -s "$work/failed" ] && { [ "$update_ok" -eq 0 ] || grep -qE 'held broken packages|Unable to correct problems|is not going to be installed' "$work/install.log"; }; then
      ambrel_apt_sources_without "$etc" "$work/failed" "$work/sources.list.d"
      ambrel_deps_log "no index from $(paste -sd, "$work/failed" | sed 's/,/, /g'): installing once more with it left out for this run"
      status=0
      $sudo env DEBIAN_FRONTEND=noninteractive "$apt" -o Dir::Etc::SourceParts="$work/sources.list.d" \
        -o Dir::Etc::SourceList=/dev/null "${install[@]:1}" >"$work/install.log" 2>&1 || status=$?
    fi
  fi
  if [ "$status" -ne 0 ]; then
    ambrel_deps_log "could not install: $*"
    { grep -E '^E: |^ [^ ].*: (Depends|PreDepends|Conflicts|Breaks):' "$work/install.log" || tail -n 5 "$work/install.log"; } |
      sed 's/^/    /' >&2
  fi
  rm -rf "$work"
  return "$status"
}

# Installs every package of the list that is missing.
ambrel_deps_require() {
  local missing
  mapfile -t missing < <(ambrel_deps_missing "${AMBREL_PACKAGES[@]}")
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "${AMBREL_NO_APT:-0}" = 1 ]; then
    ambrel_deps_log "missing packages: ${missing[*]} (AMBREL_NO_APT=1)"; return 1
  fi
  # wine32:i386 needs the i386 architecture before the index is read.
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    if [ "$(id -u)" -eq 0 ]; then dpkg --add-architecture i386; else sudo dpkg --add-architecture i386; fi
  fi
  ambrel_apt_install "${missing[@]}"
}

if [ "${BASH_SOURCE[0]}" = "$0" ]; then
  case "${1:-}" in
    list) printf '%s\n' "${AMBREL_PACKAGES[@]}" ;;
    '') ambrel_deps_require ;;
    *) echo "usage: $0 [list]" >&2; exit 2 ;;
  esac
fi
