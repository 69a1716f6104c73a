#!/usr/bin/env bash
# How soon the editor takes the first input after a long idle, on a private Xvfb server: the
# editor sleeps 5 s in poll(), then one pointer motion comes through XTest (send_motion). The
# figure is the editor's first read of the event from the X connection (strace timestamps)
# less the moment the sender's XSync returned, by which time the server has queued the event;
# it can come out below zero. Prints one figure a try; asserts nothing.
#
#   bench/input_latency.sh [build-dir] [tries]      (default build/, 8 tries; needs strace)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
tries=${2:-8}
command -v strace >/dev/null || { echo "Needs strace" >&2; exit 1; }
cmake --build "$build" --target send_motion run_dir -j2 >/dev/null

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -br -noreset 3>"$work/display" 2>/dev/null &
server=$!
for _ in $(seq 200); do [[ -s $work/display ]] && break; sleep 0.01; done
export DISPLAY=:$(tr -d '[:space:]' <"$work/display")
"$build/bench/send_motion" 600 600 >/dev/null
(cd "$build/run" && exec ./brickedit >/dev/null 2>&1) &
editor=$!
trap 'kill $editor $server 2>/dev/null; rm -rf "$work"' EXIT
sleep 2
for try in $(seq "$tries"); do
  strace -ttt -e trace=poll,recvmsg -p "$editor" -o "$work/trace" 2>/dev/null &
  tracer=$!
  sleep 5
  sent=$("$build/bench/send_motion" $((300 + try)) 300)
  sleep 0.3
  kill "$tracer"
  wait "$tracer" 2>/dev/null || true
  read_at=$(awk '/recvmsg/ && !/EAGAIN/ { print $1; exit }' "$work/trace")
  awk -v s="$sent" -v r="$read_at" \
    'BEGIN { printf "after 5 s idle: the event read %.2f ms after the sender synced\n", (r - s) * 1000 }'
done
