#!/usr/bin/env bash
# Drives the real program under Xvfb: time from start to the first painted
# window, and opening large files from the command line: until the text is
# painted highlighted, until the program is idle (its CPU time has stopped
# growing for IDLE_MS), and the peak resident memory. Medians of RUNS (5).
#   bench/app_startup.sh [VANTREL_BIN]
# VANTREL_CORPORA names the corpora folder (default /tmp/vantrel-corpora);
# ONLY=ext runs the large files of one extension.
set -euo pipefail

BIN=${1:-${VANTREL_BIN:-build-rel/bin/vantrel}}
CORPORA=${VANTREL_CORPORA:-/tmp/vantrel-corpora}
RUNS=${RUNS:-5}
IDLE_MS=${IDLE_MS:-300}

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
  START_MS=$start
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

cpu_ticks() { awk '{print $14 + $15}' "/proc/$APP_PID/stat"; }

# wait_idle: sets IDLE to the milliseconds from the start (START_MS) to the
# last growth of the program's CPU time, once it has not grown for IDLE_MS.
wait_idle() {
  local last ticks changed quiet=0
  last=$(cpu_ticks)
  changed=$(now_ms)
  while [ "$quiet" -lt "$IDLE_MS" ]; do
    sleep 0.005
    ticks=$(cpu_ticks)
    if [ "$ticks" != "$last" ]; then
      last=$ticks
      changed=$(now_ms)
    fi
    quiet=$(($(now_ms) - changed))
  done
  IDLE=$((changed - START_MS))
  [ "$IDLE" -lt "$ELAPSED" ] && IDLE=$ELAPSED
  return 0
}

# open_bench FILE GOAL_MS: RUNS openings of FILE; prints the medians.
open_bench() {
  local file=$1 goal=$2
  local size lines painted=() idle=() peak=()
  size=$(stat -c %s "$file")
  lines=$(($(tr -cd '\n' <"$file" | wc -c) + 1))
  for _ in $(seq 1 "$RUNS"); do
    run_until_painted "$lines" "$file"
    painted+=("$ELAPSED")
    wait_idle
    idle+=("$IDLE")
    peak+=("$(awk '/VmHWM/ {print $2}' "/proc/$APP_PID/status")")
    local highlighter
    highlighter=$(sed -n 's/^highlighter=//p' "$VANTREL_STATE_FILE")
    stop
  done
  local idle_median peak_median verdict
  idle_median=$(printf '%s\n' "${idle[@]}" | median)
  peak_median=$(printf '%s\n' "${peak[@]}" | median)
  verdict=$([ "$idle_median" -le "$goal" ] && [ $((peak_median * 1024 * 10)) -le $((size * 25)) ] && echo ok || echo MISSED)
  printf '%-22s %4d MB %8d lines %-20s painted %4d ms, idle %4d ms (goal <= %d), peak %4d MB = %d.%02dx [%s]; idle runs: %s\n' \
    "$(basename "$file")" $((size / 1048576)) "$lines" "$highlighter" \
    "$(printf '%s\n' "${painted[@]}" | median)" "$idle_median" "$goal" $((peak_median / 1024)) \
    $((peak_median * 1024 / size)) $((peak_median * 1024 * 100 / size % 100)) "$verdict" "${idle[*]}"
}

# A 20 MB file of a language: its corpus file, or its example repeated.
twenty_mb() {
  local ext=$1 out="$TMP/corpus20.$1"
  local corpus
  corpus=$(ls "$CORPORA"/*_20mb."$ext" 2>/dev/null | head -1 || true)
  if [ -n "$corpus" ]; then
    echo "$corpus"
    return
  fi
  local examples
  examples=$(dirname "$0")/../tests/highlight/examples
  local sample
  sample=$(ls "$examples"/*/*."$ext" | head -1)
  local once
  once=$(cat "$sample")
  : >"$out"
  while [ "$(stat -c %s "$out")" -lt 20971520 ]; do
    for _ in $(seq 1 200); do printf '%s\n' "$once"; done >>"$out"
  done
  echo "$out"
}

if [ ! -f "$CORPORA/c_100mb.cpp" ] || [ ! -f "$CORPORA/log_100mb.log" ]; then
  echo "skipped: the 100 MB corpora are missing from $CORPORA"
  exit 0
fi
if [ -z "${ONLY:-}" ] || [ "$ONLY" = log ]; then open_bench "$CORPORA/log_100mb.log" 300; fi
if [ -z "${ONLY:-}" ] || [ "$ONLY" = cpp ]; then open_bench "$CORPORA/c_100mb.cpp" 450; fi
for ext in asm sh rb py pl bat js bas pas java awk cs xml html css php; do
  if [ -z "${ONLY:-}" ] || [ "$ONLY" = "$ext" ]; then open_bench "$(twenty_mb "$ext")" 450; fi
done
