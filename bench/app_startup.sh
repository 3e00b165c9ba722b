#!/usr/bin/env bash
# Drives the real program under Xvfb: time from start to the first painted
# window (median of 5), and opening a large file from the command line until
# its text is painted, with the resident memory then.
#   bench/app_startup.sh [VANTREL_BIN]
# VANTREL_CORPORA names the corpora folder (default /tmp/vantrel-corpora).
set -euo pipefail

BIN=${1:-${VANTREL_BIN:-build-rel/bin/vantrel}}
CORPORA=${VANTREL_CORPORA:-/tmp/vantrel-corpora}
BIG="$CORPORA/log_100mb.log"
RUNS=${RUNS:-5}

TMP=$(mktemp -d /tmp/vantrel-bench-XXXXXX)
XVFB_PID=""
APP_PID=""
cleanup() {
  [ -n "$APP_PID" ] && kill "$APP_PID" 2>/dev/null || true
  [ -n "$XVFB_PID" ] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$TMP"
}
trap cleanup EXIT
if [ -z "${DISPLAY:-}" ]; then
  export DISPLAY=:$((200 + RANDOM % 50))
  Xvfb "$DISPLAY" -screen 0 1280x1024x24 >/dev/null 2>&1 &
  XVFB_PID=$!
  sleep 1
fi
export VANTREL_INI="$TMP/vantrel.ini"
export VANTREL_STATE_FILE="$TMP/state"
export XDG_RUNTIME_DIR="$TMP/runtime"
mkdir -p -m 0700 "$XDG_RUNTIME_DIR"

now_ms() { echo $(($(date +%s%N) / 1000000)); }

# run_until_painted LINES ARGS...: starts the program and sets ELAPSED to the
# milliseconds until its view was painted showing LINES lines (or any count
# for "any"); leaves the program running in APP_PID.
run_until_painted() {
  local want=$1
  shift
  rm -f "$VANTREL_STATE_FILE"
  local start
  start=$(now_ms)
  "$BIN" "$@" >"$TMP/app.log" 2>&1 &
  APP_PID=$!
  for _ in $(seq 1 20000); do
    local painted
    painted=$(sed -n 's/^painted_lines=//p' "$VANTREL_STATE_FILE" 2>/dev/null || true)
    if [ -n "$painted" ] && [ "$painted" != "-1" ] && { [ "$want" = any ] || [ "$painted" = "$want" ]; }; then
      ELAPSED=$(($(now_ms) - start))
      # CPU time of the program so far: on a shared machine the wall time
      # also counts waiting for a core.
      CPU_MS=$(awk -v hz="$(getconf CLK_TCK)" '{print int(($14 + $15) * 1000 / hz)}' "/proc/$APP_PID/stat")
      return 0
    fi
    sleep 0.002
  done
  echo "never painted" >&2
  return 1
}

stop() {
  kill "$APP_PID" 2>/dev/null || true
  wait "$APP_PID" 2>/dev/null || true
  APP_PID=""
}

median() { sort -n | awk '{a[NR]=$1} END {print a[int((NR+1)/2)]}'; }

times=()
cpus=()
for _ in $(seq 1 "$RUNS"); do
  run_until_painted any
  times+=("$ELAPSED")
  cpus+=("$CPU_MS")
  stop
done
echo "start to first painted window: ${times[*]} ms; median $(printf '%s\n' "${times[@]}" | median) ms (goal < 300); CPU ${cpus[*]} ms"

if [ ! -f "$BIG" ]; then
  echo "skipped: $BIG is missing"
  exit 0
fi
size=$(stat -c %s "$BIG")
lines=$(($(tr -cd '\n' <"$BIG" | wc -c) + 1))
big=()
bigcpu=()
rss=()
for _ in $(seq 1 3); do
  run_until_painted "$lines" "$BIG"
  big+=("$ELAPSED")
  bigcpu+=("$CPU_MS")
  rss+=("$(awk '/VmRSS/ {print $2}' "/proc/$APP_PID/status")")
  stop
done
echo "open $(basename "$BIG") ($((size / 1048576)) MB, $lines lines) until painted: ${big[*]} ms; median $(printf '%s\n' "${big[@]}" | median) ms (goal < 1500); CPU ${bigcpu[*]} ms"
rss_median=$(printf '%s\n' "${rss[@]}" | median)
echo "resident memory then: ${rss[*]} kB; $((rss_median / 1024)) MB = $((rss_median * 1024 * 100 / size))% of the file (goal < 200%)"
