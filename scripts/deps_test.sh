#!/usr/bin/env bash
# Checks the decisions of ambrel_apt_install (scripts/deps.sh) against a fake
# apt-get that answers as the real one does on a good day and on a bad one:
# an index that fails to download, the version skew it leaves between the
# i386 and amd64 builds of a library, a package that does not exist.
# Its last line, "deps test: passed" or "deps test: FAILED", is one test in
# scripts/test.sh's count.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
. "$root/scripts/deps.sh"
tmp=$(mktemp -d /tmp/ambrel-deps-test.XXXXXX)
trap 'rm -rf "$tmp"' EXIT
problems=0
fail() { echo "deps test: $case: $*" >&2; problems=$((problems + 1)); }

# The fake: FAKE_UPDATE / FAKE_INSTALL / FAKE_INSTALL_WITHOUT_SOURCE name the
# answer (ok, index, skew, missing); every call is logged, and the source
# lists that an install with Dir::Etc::SourceParts was given are kept.
mkdir -p "$tmp/bin"
cat >"$tmp/bin/apt-get" <<'EOF'
#!/usr/bin/env bash
echo "$*" >>"$FAKE_LOG"
answer() {
  case "$1" in
    ok) echo "Reading package lists..."; exit 0 ;;
    index)
      echo "Hit:1 http://deb.debian.org/debian bookworm InRelease"
      [ "${FAKE_ERR_LINES:-1}" = 1 ] && printf '%s\n' \
        "Err:5 http://deb.debian.org/debian-security bookworm-security/main i386 Packages" \
        "  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 151.101.2.132 80]"
      echo "E: Failed to fetch http://deb.debian.org/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress? [IP: 151.101.2.132 80]"
      echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
      exit 100 ;;
    skew)
      printf '%s\n' "Some packages could not be installed." "The following packages have unmet dependencies:" \
        " libgnutls30:i386 : Depends: libp11-kit0:i386 (>= 0.23.18.1) but it is not going to be installed" \
        "E: Unable to correct problems, you have held broken packages."
      exit 100 ;;
    missing) echo "E: Unable to locate package $FAKE_MISSING"; exit 100 ;;
  esac
}
if [ "$1" = update ]; then answer "$FAKE_UPDATE"; fi
case "$1" in -o)
  parts=${2#Dir::Etc::SourceParts=}
  cat "$parts"/* >"$FAKE_SEEN_SOURCES"
  answer "$FAKE_INSTALL_WITHOUT_SOURCE" ;;
esac
answer "$FAKE_INSTALL"
EOF
chmod +x "$tmp/bin/apt-get"

mkdir -p "$tmp/etc822/sources.list.d" "$tmp/etcline/sources.list.d"
cat >"$tmp/etc822/sources.list.d/debian.sources" <<'EOF'
Types: deb
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://deb.debian.org/debian-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
cat >"$tmp/etcline/sources.list" <<'EOF'
deb http://deb.debian.org/debian bookworm main
deb [arch=amd64,i386 signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian-security/ bookworm-security main
deb http://deb.debian.org/debian bookworm-updates main
EOF

# Runs one case: install "$@" with the fake; leaves $rc, $out (what was
# said) and the calls in $tmp/calls.
install_with_fake() {
  rm -f "$tmp/calls" "$tmp/seen"
  out=$(FAKE_LOG="$tmp/calls" FAKE_SEEN_SOURCES="$tmp/seen" AMBREL_APT_GET="$tmp/bin/apt-get" AMBREL_SUDO= \
        AMBREL_APT_RETRY_PAUSE=0 ambrel_apt_install "$@" 2>&1)
  rc=$?
}
calls() { grep -c "^$1" "$tmp/calls"; }

case=success
FAKE_UPDATE=ok FAKE_INSTALL=ok AMBREL_APT_ETC=$tmp/etc822 install_with_fake wine32:i386 fonts-wine
[ "$rc" -eq 0 ] || fail "exit $rc"
[ "$(calls update)" -eq 1 ] && [ "$(calls install)" -eq 1 ] || fail "calls: $(paste -sd';' "$tmp/calls")"
grep -q 'install -y -q --no-install-recommends wine32:i386 fonts-wine$' "$tmp/calls" || fail "install line: $(cat "$tmp/calls")"

case="failed index, lists there are enough"
FAKE_UPDATE=index FAKE_INSTALL=ok AMBREL_APT_ETC=$tmp/etc822 install_with_fake xvfb
[ "$rc" -eq 0 ] || fail "exit $rc: $out"
[ "$(calls update)" -eq 3 ] || fail "update tried $(calls update) times, not 3"
[ "$(calls install)" -eq 1 ] || fail "installed $(calls install) times"
grep -q 'update failed 3 times' <<<"$out" || fail "the failed update went unmentioned: $out"

for format in 822 line; do
  case="version skew after a failed index ($format sources)"
  FAKE_ERR_LINES=$([ $format = 822 ] && echo 1 || echo 0) FAKE_UPDATE=index FAKE_INSTALL=skew FAKE_INSTALL_WITHOUT_SOURCE=ok \
    AMBREL_APT_ETC=$tmp/etc$format install_with_fake wine32:i386
  [ "$rc" -eq 0 ] || fail "exit $rc: $out"
  [ "$(calls install)" -eq 1 ] && [ "$(calls -o)" -eq 1 ] || fail "calls: $(paste -sd';' "$tmp/calls")"
  grep -q 'Dir::Etc::SourceList=/dev/null install -y -q --no-install-recommends wine32:i386$' "$tmp/calls" ||
    fail "retry line: $(tail -n 1 "$tmp/calls")"
  [ "$(grep -c 'left out for this run' <<<"$out")" -eq 1 ] || fail "no one line saying what was done: $out"
  grep -q 'debian-security' "$tmp/seen" && fail "the failing source was kept: $(cat "$tmp/seen")"
  grep -q 'debian bookworm-updates\|bookworm bookworm-updates' "$tmp/seen" ||
    fail "the other sources were lost: $(cat "$tmp/seen")"
done

case="version skew that the retry does not cure"
FAKE_UPDATE=index FAKE_INSTALL=skew FAKE_INSTALL_WITHOUT_SOURCE=skew AMBREL_APT_ETC=$tmp/etc822 install_with_fake wine32:i386
[ "$rc" -ne 0 ] || fail "succeeded"
[ "$(calls -o)" -eq 1 ] || fail "retried $(calls -o) times, not once"
grep -q 'could not install: wine32:i386' <<<"$out" && grep -q 'held broken packages' <<<"$out" ||
  fail "the packages or apt's error are not named: $out"

case="missing package"
FAKE_UPDATE=ok FAKE_INSTALL=missing FAKE_MISSING=nosuch-package AMBREL_APT_ETC=$tmp/etc822 install_with_fake xvfb nosuch-package
[ "$rc" -ne 0 ] || fail "succeeded"
[ "$(calls -o)" -eq 0 ] || fail "retried without a source although every index downloaded"
grep -q 'could not install: xvfb nosuch-package' <<<"$out" && grep -q 'E: Unable to locate package nosuch-package' <<<"$out" ||
  fail "the packages or apt's error are not named: $out"

if [ "$problems" -eq 0 ]; then
  echo "deps test: passed"
else
  echo "deps test: FAILED"
  exit 1
fi
