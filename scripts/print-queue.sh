#!/bin/bash
# Starts or stops a private PDF print queue for tests:
#   print-queue.sh start|stop QUEUE FOLDER SOCKET
#
# start: runs a CUPS daemon of its own (configuration, spool and logs in FOLDER/cups, listening
#        only on the local socket SOCKET, its pid in FOLDER/cupsd.pid) and adds the cups-pdf
#        queue QUEUE whose PDFs land in FOLDER. Clients reach it with CUPS_SERVER=SOCKET, so the
#        machine's own print system, and the daemon of any other test run, are never touched.
#        A daemon left behind by an earlier, interrupted run is stopped first, and a watchdog
#        stops the new one when the process that asked for it (CTest) ends without calling stop.
# stop:  waits for the queue's jobs to finish, removes the queue and stops the daemon.
# Exit 2 means the queue cannot run on this machine; the reason is printed and kept in
# FOLDER/print-queue-unavailable so that the tests can report it.
set -u

usage() {
  echo "usage: $0 start|stop QUEUE FOLDER SOCKET" >&2
  exit 64
}
action=${1:-}
queue=${2:-}
folder=${3:-}
socket=${4:-}
[[ -n "$action" && -n "$queue" && -n "$folder" && -n "$socket" ]] || usage
if [[ ! "$queue" =~ ^[A-Za-z0-9_-]+$ ]]; then
  echo "print-queue: the queue name may hold only letters, digits, '-' and '_'" >&2
  exit 64
fi
mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
daemonRoot="$folder/cups"
pidFile="$folder/cupsd.pid"
reasonFile="$folder/print-queue-unavailable"
# cups-pdf reads its per-queue settings from the system's folder only; the queue name is unique
# to the build, so two builds never share one.
queueConf="/etc/cups/cups-pdf-$queue.conf"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
export CUPS_SERVER="$socket"

unavailable() {
  echo "$1" > "$reasonFile"
  echo "print-queue: $1" >&2
  exit 2
}

schedulerRunning() {
  lpstat -r 2>/dev/null | grep -q "is running"
}

# Whether the pid is our own daemon (a pid file can outlive its process, and the number can be
# taken by another process since).
isOurDaemon() {
  [[ -n "$1" ]] && { tr '\0' ' ' < "/proc/$1/cmdline"; } 2>/dev/null | grep -q -- "-c $daemonRoot/cupsd.conf"
}

# Whether the process still runs. A dying process loses its command line before it closes its
# files (the daemon's socket among them), and a zombie is no longer running.
isRunning() {
  local state
  state=$({ sed -E 's/^[0-9]+ \(.*\) (.).*/\1/' "/proc/$1/stat"; } 2>/dev/null)
  [[ -n "$state" && "$state" != Z && "$state" != X ]]
}

# Ends the daemon of the pid file, if it is still ours: politely, then for sure.
stopOwnDaemon() {
  [[ -f "$pidFile" ]] || return 0
  local pid
  pid=$(cat "$pidFile")
  if isOurDaemon "$pid"; then
    kill "$pid" 2>/dev/null
    for _ in $(seq 1 100); do
      isRunning "$pid" || break
      sleep 0.1
    done
    if isRunning "$pid"; then
      kill -KILL "$pid" 2>/dev/null
      for _ in $(seq 1 50); do
        isRunning "$pid" || break
        sleep 0.1
      done
    fi
    if isRunning "$pid"; then
      echo "print-queue: the CUPS daemon $pid would not stop" >&2
      return 1
    fi
  fi
  rm -f "$pidFile" "$socket"
  rmdir "$(dirname "$socket")" 2>/dev/null
  return 0
}

# Pending jobs hold files open in FOLDER; stopping under them truncates their PDFs.
waitForJobs() {
  for _ in $(seq 1 300); do
    [[ -z "$(lpstat -o "$queue" 2>/dev/null)" ]] && return 0
    sleep 0.1
  done
  echo "print-queue: jobs of $queue still pending after 30 s; stopping anyway" >&2
}

# Runs immune to the terminal's signals, so that an interrupted test run still ends the daemon:
# once the watched process is gone, the daemon is stopped.
startWatchdog() {
  local daemon=$1 watched=$2
  (
    trap '' INT HUP TERM
    while isRunning "$watched" && isOurDaemon "$daemon"; do
      sleep 1
    done
    if isOurDaemon "$daemon"; then
      rm -f "$queueConf"
      stopOwnDaemon
    fi
  ) < /dev/null > /dev/null 2>&1 &
}

writeDaemonConfiguration() {
  rm -rf "$daemonRoot"
  mkdir -p "$daemonRoot"/{etc/ppd,spool,cache,state,log} "$(dirname "$socket")"
  # Filters run as the print system's user and need a temporary folder they can write.
  mkdir -m 1777 "$daemonRoot/tmp"
  chmod 0755 "$daemonRoot"
  cat > "$daemonRoot/cups-files.conf" <<CONF
ServerRoot $daemonRoot/etc
RequestRoot $daemonRoot/spool
CacheDir $daemonRoot/cache
StateDir $daemonRoot/state
TempDir $daemonRoot/tmp
AccessLog $daemonRoot/log/access_log
ErrorLog $daemonRoot/log/error_log
PageLog $daemonRoot/log/page_log
SystemGroup root
CONF
  # Reachable only through its socket, which only this machine's processes can open.
  cat > "$daemonRoot/cupsd.conf" <<CONF
Listen $socket
LogLevel warn
Browsing Off
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess default
  JobPrivateValues default
  SubscriptionPrivateAccess default
  SubscriptionPrivateValues default
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
}

start() {
  rm -f "$reasonFile"
  [[ $(id -u) -eq 0 ]] || unavailable "starting a print system needs root (running as $(id -un))"
  for tool in /usr/sbin/cupsd /usr/sbin/lpadmin /usr/bin/lpstat; do
    [[ -x "$tool" ]] || unavailable "$tool is missing (package cups)"
  done
  [[ -e /usr/lib/cups/backend/cups-pdf ]] || unavailable "the cups-pdf backend is missing (package printer-driver-cups-pdf)"
  [[ -r "$ppd" ]] || unavailable "$ppd is missing (package printer-driver-cups-pdf)"

  # A daemon of a run that never stopped it would otherwise be reused for ever.
  stopOwnDaemon || unavailable "a CUPS daemon left by an earlier run would not stop"
  writeDaemonConfiguration
  /usr/sbin/cupsd -f -c "$daemonRoot/cupsd.conf" -s "$daemonRoot/cups-files.conf" \
    > "$daemonRoot/log/cupsd.log" 2>&1 &
  local pid=$!
  echo "$pid" > "$pidFile"
  startWatchdog "$pid" "$PPID"
  for _ in $(seq 1 100); do
    schedulerRunning && break
    isRunning "$pid" || break
    sleep 0.1
  done
  if ! schedulerRunning; then
    stopOwnDaemon
    unavailable "the CUPS daemon did not start (see $daemonRoot/log)"
  fi

  chmod 0777 "$folder"
  printf 'Out %s\nGrp root\nDecodeHexStrings 1\n' "$folder" > "$queueConf"
  if ! lpadmin -p "$queue" -v "cups-pdf:/$queue" -P "$ppd" \
      -o pdftops-renderer-default=pdftocairo -o PageSize=Letter -E 2> "$daemonRoot/log/lpadmin.log"; then
    unavailable "lpadmin could not add the queue $queue (see $daemonRoot/log/lpadmin.log)"
  fi
  lpstat -p "$queue" > /dev/null 2>&1 || unavailable "the queue $queue does not show up in lpstat"
  echo "print-queue: $queue prints PDFs into $folder (CUPS_SERVER=$socket)"
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
  *) usage ;;
esac
