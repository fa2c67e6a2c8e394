#!/bin/bash
# Starts or stops a PDF print queue for tests: print-queue.sh start|stop QUEUE FOLDER
#
# start: runs the CUPS daemon in the background when none is running (its pid goes to
#        FOLDER/cupsd.pid), and adds the cups-pdf queue QUEUE whose PDFs land in FOLDER.
#        A daemon left behind by an earlier, interrupted run is stopped first, and a watchdog
#        stops the new one when the process that asked for it (WATCHED_PID, by default the
#        caller, i.e. CTest) ends without calling stop.
# stop:  waits for the queue's jobs to finish, removes the queue and stops the daemon only when
#        start started it.
# Exit 2 means the queue cannot run on this machine; the reason is printed and kept in
# FOLDER/print-queue-unavailable so that the tests can report it.
set -u

action=${1:-}
queue=${2:-}
folder=${3:-}
if [[ -z "$action" || -z "$queue" || -z "$folder" ]]; then
  echo "usage: $0 start|stop QUEUE FOLDER [WATCHED_PID]" >&2
  exit 64
fi
watched=${4:-$PPID}
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

# Whether the pid is alive and a CUPS daemon (a pid file can outlive its process, and the number
# can be taken by another process since).
isDaemon() {
  [[ -n "$1" && "$(cat "/proc/$1/comm" 2>/dev/null)" == cupsd ]]
}

# Ends the daemon of the pid file, if it is still ours: politely, then for sure.
stopOwnDaemon() {
  [[ -f "$pidFile" ]] || return 0
  local pid
  pid=$(cat "$pidFile")
  if isDaemon "$pid"; then
    kill "$pid" 2>/dev/null
    for _ in $(seq 1 100); do
      isDaemon "$pid" || break
      sleep 0.1
    done
    if isDaemon "$pid"; then
      kill -KILL "$pid" 2>/dev/null
      for _ in $(seq 1 50); do
        isDaemon "$pid" || break
        sleep 0.1
      done
    fi
  fi
  rm -f "$pidFile"
  if isDaemon "$pid"; then
    echo "print-queue: the CUPS daemon $pid would not stop" >&2
    return 1
  fi
}

# The jobs still pending on the queue hold files open in FOLDER; stopping under them truncates
# their PDFs.
waitForJobs() {
  for _ in $(seq 1 300); do
    [[ -z "$(lpstat -o "$queue" 2>/dev/null)" ]] && return 0
    sleep 0.1
  done
  echo "print-queue: jobs of $queue still pending after 30 s; stopping anyway" >&2
}

# Runs detached from the caller's terminal signals, so that an interrupted test run still ends
# the daemon: once the watched process is gone, a daemon still running under the same pid file
# is stopped.
startWatchdog() {
  local daemon=$1
  (
    trap '' INT HUP TERM
    while kill -0 "$watched" 2>/dev/null && isDaemon "$daemon"; do
      sleep 1
    done
    if isDaemon "$daemon" && [[ "$(cat "$pidFile" 2>/dev/null)" == "$daemon" ]]; then
      lpadmin -x "$queue" 2>/dev/null
      rm -f "$queueConf"
      stopOwnDaemon
    fi
  ) < /dev/null > /dev/null 2>&1 &
}

start() {
  rm -f "$reasonFile"
  [[ $(id -u) -eq 0 ]] || unavailable "starting the print system needs root (running as $(id -un))"
  for tool in /usr/sbin/cupsd /usr/sbin/lpadmin /usr/bin/lpstat; do
    [[ -x "$tool" ]] || unavailable "$tool is missing (package cups)"
  done
  [[ -e /usr/lib/cups/backend/cups-pdf ]] || unavailable "the cups-pdf backend is missing (package printer-driver-cups-pdf)"
  [[ -r "$ppd" ]] || unavailable "$ppd is missing (package printer-driver-cups-pdf)"

  # A daemon this script started for a run that never stopped it would otherwise be reused for ever.
  stopOwnDaemon || unavailable "a CUPS daemon left by an earlier run would not stop"
  if ! schedulerRunning; then
    /usr/sbin/cupsd -f > "$folder/cupsd.log" 2>&1 &
    echo $! > "$pidFile"
    startWatchdog $!
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
    waitForJobs
    lpadmin -x "$queue" 2>/dev/null || true
  fi
  rm -f "$queueConf"
  stopOwnDaemon || exit 1
  echo "print-queue: $queue stopped"
}

case "$action" in
  start) start ;;
  stop) stop ;;
  *) echo "usage: $0 start|stop QUEUE FOLDER [WATCHED_PID]" >&2; exit 64 ;;
esac
