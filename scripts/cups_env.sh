#!/usr/bin/env bash
# A CUPS server with a PDF printer as the default printer, for the print
# tests: jobs land as PDF files in the cups-pdf output folder ($HOME/PDF).
#   scripts/cups_env.sh start   starts cupsd (unless one runs) and adds the printer
#   scripts/cups_env.sh stop    stops the cupsd that start started
#   scripts/cups_env.sh outdir  prints the folder the PDF files land in
set -u
pidfile=${AMBREL_CUPS_PIDFILE:-/tmp/ambrel-cupsd.pid}
outdir=${AMBREL_PDF_DIR:-$HOME/PDF}

running() { LC_ALL=C lpstat -r 2>/dev/null | grep -q "is running"; }

start() {
  command -v cupsd >/dev/null || { echo "cupsd is not installed" >&2; return 1; }
  if ! running; then
    mkdir -p /run/cups
    cupsd -f >/tmp/ambrel-cupsd.log 2>&1 &
    echo $! >"$pidfile"
    for _ in $(seq 1 100); do running && break; sleep 0.1; done
    running || { echo "cupsd did not start" >&2; return 1; }
  fi
  lpadmin -p PDF -v cups-pdf:/ -E -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd &&
    lpadmin -d PDF && cupsenable PDF && cupsaccept PDF || return 1
  mkdir -p "$outdir"
}

stop() {
  [ -f "$pidfile" ] || return 0
  local pid
  pid=$(cat "$pidfile")
  kill "$pid" 2>/dev/null
  for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
  rm -f "$pidfile"
}

case "${1:-}" in
  start) start ;;
  stop) stop ;;
  outdir) echo "$outdir" ;;
  *) echo "usage: $0 start|stop|outdir" >&2; exit 2 ;;
esac
