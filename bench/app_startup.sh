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

# These set variables rather than print: a command substitution forks.
now_ms() { NOW_MS=$((${EPOCHREALTIME/./} / 1000)); }
# CPU time of the program's threads in nanoseconds (the scheduler's count,
# not whole clock ticks).
cpu_ns() {
  local run rest task
  CPU_NS=0
  for task in /proc/"$APP_PID"/task/*; do
    read -r run rest <"$task/schedstat" 2>/dev/null || continue
    CPU_NS=$((CPU_NS + run))
  done
}
peak_kb() {
  local key value rest
  while read -r key value rest; do
    if [ "$key" = VmHWM: ]; then PEAK_KB=$value; fi
  done <"/proc/$APP_PID/status"
}

# run_until_painted LINES ARGS...: starts the program and sets ELAPSED to the
# milliseconds until its view was painted showing LINES lines (or any count
# for "any"); leaves the program running in APP_PID.
run_until_painted() {
  local want=$1
  shift
  rm -f "$VANTREL_STATE_FILE"
  now_ms
  local start=$NOW_MS
  START_MS=$start
  "$BIN" "$@" >"$TMP/app.log" 2>&1 &
  APP_PID=$!
  # Read with builtins: a process forked per poll would take a core from
  # the program on a two-core machine.
  local line painted
  for _ in $(seq 1 20000); do
    painted=""
    if [ -f "$VANTREL_STATE_FILE" ]; then
      while IFS= read -r line; do
        if [[ $line == painted_lines=* ]]; then painted=${line#painted_lines=}; fi
      done <"$VANTREL_STATE_FILE" 2>/dev/null || true
    fi
    if [ -n "$painted" ] && [ "$painted" != "-1" ] && { [ "$want" = any ] || [ "$painted" = "$want" ]; }; then
      now_ms
      ELAPSED=$((NOW_MS - start))
      # CPU time of the program so far: on a shared machine the wall time
      # also counts waiting for a core.
      cpu_ns
      CPU_MS=$((CPU_NS / 1000000))
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
empty=()
for _ in $(seq 1 "$RUNS"); do
  run_until_painted any
  times+=("$ELAPSED")
  cpus+=("$CPU_MS")
  peak_kb
  empty+=("$PEAK_KB")
  stop
done
EMPTY_KB=$(printf '%s\n' "${empty[@]}" | median)
echo "start to first painted window: ${times[*]} ms; median $(printf '%s\n' "${times[@]}" | median) ms (goal < 300); CPU ${cpus[*]} ms; peak $((EMPTY_KB / 1024)) MB"

# wait_idle: sets IDLE to the milliseconds from the start (START_MS) to the
# last 10 ms in which the program was busy (used more than 2 ms of CPU),
# once it has not been busy for IDLE_MS. Timers of a few hundred
# microseconds (the caret, the state report of the tests) do not count.
wait_idle() {
  local last changed quiet=0
  cpu_ns
  last=$CPU_NS
  now_ms
  changed=$NOW_MS
  while [ "$quiet" -lt "$IDLE_MS" ]; do
    sleep 0.01
    cpu_ns
    now_ms
    if [ $((CPU_NS - last)) -gt 2000000 ]; then changed=$NOW_MS; fi
    last=$CPU_NS
    quiet=$((NOW_MS - changed))
  done
  IDLE=$((changed - START_MS))
  [ "$IDLE" -lt "$ELAPSED" ] && IDLE=$ELAPSED
  return 0
}

# open_bench FILE GOAL_MS MEMORY: RUNS openings of FILE; prints the medians.
# MEMORY "whole" holds the whole peak to 2.5x the file size; "shown" only
# reports it (the empty program's 35 MB alone is 1.75x of a 20 MB file, and
# each line costs a 40-byte record, so repeated short example lines cannot
# meet it).
open_bench() {
  local file=$1 goal=$2 memory=$3
  local size lines painted=() idle=() peak=()
  size=$(stat -c %s "$file")
  lines=$(($(tr -cd '\n' <"$file" | wc -c) + 1))
  for _ in $(seq 1 "$RUNS"); do
    run_until_painted "$lines" "$file"
    painted+=("$ELAPSED")
    wait_idle
    idle+=("$IDLE")
    peak_kb
    peak+=("$PEAK_KB")
    local highlighter
    highlighter=$(sed -n 's/^highlighter=//p' "$VANTREL_STATE_FILE")
    stop
  done
  local idle_median peak_median verdict
  idle_median=$(printf '%s\n' "${idle[@]}" | median)
  peak_median=$(printf '%s\n' "${peak[@]}" | median)
  local added=$((peak_median - EMPTY_KB)) memory_ok=1
  if [ "$memory" = whole ] && [ $((peak_median * 1024 * 10)) -gt $((size * 25)) ]; then memory_ok=0; fi
  verdict=$([ "$idle_median" -le "$goal" ] && [ "$memory_ok" = 1 ] && echo ok || echo MISSED)
  printf '%-22s %4d MB %8d lines %-20s painted %4d ms, idle %4d ms (goal <= %d), peak %4d MB = %d.%02dx, added %4d MB = %d.%02dx (memory %s) [%s]; idle runs: %s\n' \
    "$(basename "$file")" $((size / 1048576)) "$lines" "$highlighter" \
    "$(printf '%s\n' "${painted[@]}" | median)" "$idle_median" "$goal" $((peak_median / 1024)) \
    $((peak_median * 1024 / size)) $((peak_median * 1024 * 100 / size % 100)) $((added / 1024)) \
    $((added * 1024 / size)) $((added * 1024 * 100 / size % 100)) "$([ "$memory" = whole ] && echo judged || echo shown)" "$verdict" "${idle[*]}"
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
if [ -z "${ONLY:-}" ] || [ "$ONLY" = log ]; then open_bench "$CORPORA/log_100mb.log" 300 whole; fi
if [ -z "${ONLY:-}" ] || [ "$ONLY" = cpp ]; then open_bench "$CORPORA/c_100mb.cpp" 450 whole; fi
for ext in asm sh rb py pl bat js bas pas java awk cs xml html css php; do
  if [ -z "${ONLY:-}" ] || [ "$ONLY" = "$ext" ]; then open_bench "$(twenty_mb "$ext")" 450 shown; fi
done
