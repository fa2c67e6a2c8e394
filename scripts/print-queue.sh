#!/bin/bash
# Starts or stops a PDF print queue for tests: print-queue.sh start|stop QUEUE FOLDER
#
# start: runs the CUPS daemon in the background when none is running (its pid goes to
#        FOLDER/cupsd.pid), and adds the cups-pdf queue QUEUE whose PDFs land in FOLDER.
# stop:  removes the queue and stops the daemon only when start started it.
# Exit 2 means the queue cannot run on this machine; the reason is printed and kept in
# FOLDER/print-queue-unavailable so that the tests can report it.
set -u

action=${1:-}
queue=${2:-}
folder=${3:-}
if [[ -z "$action" || -z "$queue" || -z "$folder" ]]; then
  echo "usage: $0 start|stop QUEUE FOLDER" >&2
  exit 64
fi
if [[ ! "$queue" =~ ^[A-Za-z0-9_-]+$ ]]; then
  echo "print-queue: the queue name may hold only letters, digits, '-' and '_'" >&2
  exit 64
fi
mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
pidFile="$folder/cupsd.pid"
reasonFile="$folder/print-queue-unavailable"
queueConf="/etc/cups/cups-pdf-$queue.conf"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd

unavailable() {
  echo "$1" > "$reasonFile"
  echo "print-queue: $1" >&2
  exit 2
}

schedulerRunning() {
  lpstat -r 2>/dev/null | grep -q "is running"
}

start() {
  rm -f "$reasonFile"
  [[ $(id -u) -eq 0 ]] || unavailable "starting the print system needs root (running as $(id -un))"
  for tool in /usr/sbin/cupsd /usr/sbin/lpadmin /usr/bin/lpstat; do
    [[ -x "$tool" ]] || unavailable "$tool is missing (package cups)"
  done
  [[ -e /usr/lib/cups/backend/cups-pdf ]] || unavailable "the cups-pdf backend is missing (package printer-driver-cups-pdf)"
  [[ -r "$ppd" ]] || unavailable "$ppd is missing (package printer-driver-cups-pdf)"

  if ! schedulerRunning; then
    /usr/sbin/cupsd -f > "$folder/cupsd.log" 2>&1 &
    echo $! > "$pidFile"
    for _ in $(seq 1 100); do
      schedulerRunning && break
      kill -0 "$(cat "$pidFile")" 2>/dev/null || break
      sleep 0.1
    done
    if ! schedulerRunning; then
      rm -f "$pidFile"
      unavailable "the CUPS daemon did not start (see $folder/cupsd.log)"
    fi
  fi

  chmod 0777 "$folder"
  group=lpadmin
  getent group lpadmin > /dev/null || group=root
  printf 'Out %s\nGrp %s\nDecodeHexStrings 1\n' "$folder" "$group" > "$queueConf"
  if ! lpadmin -p "$queue" -v "cups-pdf:/$queue" -P "$ppd" \
      -o pdftops-renderer-default=pdftocairo -o PageSize=Letter -E; then
    unavailable "lpadmin could not add the queue $queue"
  fi
  lpstat -p "$queue" > /dev/null 2>&1 || unavailable "the queue $queue does not show up in lpstat"
  echo "print-queue: $queue prints PDFs into $folder"
}

stop() {
  if schedulerRunning; then
    lpadmin -x "$queue" 2>/dev/null || true
  fi
  rm -f "$queueConf"
  if [[ -f "$pidFile" ]]; then
    pid=$(cat "$pidFile")
    if kill "$pid" 2>/dev/null; then
      for _ in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
      done
    fi
    rm -f "$pidFile"
  fi
  echo "print-queue: $queue stopped"
}

case "$action" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop QUEUE FOLDER" >&2; exit 64 ;;
esac
