#!/usr/bin/env bash
# What the editor costs on a real display, measured under private Xvfb servers, against the
# editor's speed goals. Prints figures; asserts nothing.
#
#   bench/real_display.sh [build-dir]      (default build/; CPU_WINDOW=3 seconds a window)
#
# 1. The frame benchmark through the real present path and on the dummy driver, by the wall
#    clock and by CPU time (which other work on a busy machine does not inflate), and the flip
#    of a bare presenter (bench/bare_present.cpp) on the software and the GL paths.
# 2. Which present path the editor takes when the environment says nothing.
# 3. CPU of the real editor, from /proc/PID/stat (utime + stime, all threads), against the
#    bare presenter running on a display of its own: idle with the pointer outside the window
#    (with its wake-ups, the voluntary and involuntary context switches of all its threads from
#    /proc/PID/task/*/status), then while the pointer sweeps over the heaviest scene (396
#    bricks, the whole pattern grid selected, the full preview), then playing that level under
#    the autopilot, against a bare presenter presenting every 16 ms. Each figure is the median
#    of 3 windows, the two programs taking turns; the one not measured is stopped (SIGSTOP) so
#    that it takes no CPU from the other.
#
# Like the editor, the figures use SDL's software present path unless SDL_RENDER_DRIVER or
# SDL_FRAMEBUFFER_ACCELERATION is already set.
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(realpath "${1:-build}")
window=${CPU_WINDOW:-3}
settle=0.5

for tool in Xvfb xdotool; do
  command -v "$tool" >/dev/null || { echo "Needs $tool (scripts/install-deps.sh)" >&2; exit 1; }
done
echo "Building benchmarks, bare_present and the editor in $build ..."
cmake --build "$build" --target benchmarks bare_present run_dir -j2 >/dev/null

export SDL_RENDER_DRIVER=${SDL_RENDER_DRIVER-software}
export SDL_FRAMEBUFFER_ACCELERATION=${SDL_FRAMEBUFFER_ACCELERATION-0}
unset SDL_VIDEODRIVER
hz=$(getconf CLK_TCK)
# Other work on the machine shifts every figure; it is printed with them.
load_before=$(cut -d' ' -f1-3 /proc/loadavg)

work=$(mktemp -d)
started=()
# Ends a process started here and waits for it: asked first, then killed after 2 s.
stop() {
  local state
  kill -CONT "$1" 2>/dev/null || return 0
  kill "$1" 2>/dev/null || true
  for _ in $(seq 100); do
    state=$(ps -o stat= -p "$1" || true)
    [[ -z $state || $state == Z* ]] && break
    sleep 0.02
  done
  kill -KILL "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
}
# Programs before their display: a client whose server goes first can be left spinning.
cleanup() {
  local i
  for ((i = ${#started[@]} - 1; i >= 0; i--)); do
    stop "${started[i]}"
  done
  rm -rf "$work"
}
trap cleanup EXIT

# Starts a private display, 1024x768 or the size given; sets $display to its number.
start_display() {
  local fd_file=$work/display.$RANDOM
  Xvfb -displayfd 3 -screen 0 "${1:-1024x768}x24" -nolisten tcp -br -noreset 3>"$fd_file" 2>/dev/null &
  started+=("$!")
  for _ in $(seq 200); do
    [[ -s $fd_file ]] && break
    sleep 0.01
  done
  display=$(tr -d '[:space:]' <"$fd_file")
  [[ -n $display ]] || { echo "Xvfb did not start" >&2; exit 1; }
}

# Waits until program $1 shows a window on display $2.
wait_for_window() {
  for _ in $(seq 1000); do
    DISPLAY=:$2 xdotool search --onlyvisible --pid "$1" >/dev/null 2>&1 && return 0
    kill -0 "$1" 2>/dev/null || { echo "the program under test exited" >&2; exit 1; }
    sleep 0.01
  done
  echo "no window after 10 s" >&2
  exit 1
}

cpu_ticks() {
  local stat
  stat=$(<"/proc/$1/stat")
  stat=${stat##*) }
  read -r -a fields <<<"$stat"
  echo $((fields[11] + fields[12]))
}

# Context switches of every thread of process $1 so far: each one is the process waking.
switches() {
  cat /proc/"$1"/task/*/status 2>/dev/null | awk '/ctxt_switches/ { sum += $2 } END { print sum + 0 }'
}

# Percent of one core that process $1 uses over $window seconds; its wake-ups a second go to
# the file $2.
cpu_percent() {
  local t0 c0 s0 t1 c1 s1
  t0=$(date +%s%N)
  c0=$(cpu_ticks "$1")
  s0=$(switches "$1")
  sleep "$window"
  t1=$(date +%s%N)
  c1=$(cpu_ticks "$1")
  s1=$(switches "$1")
  awk -v s=$((s1 - s0)) -v ns=$((t1 - t0)) 'BEGIN { printf "%.1f", s / (ns / 1e9) }' >"$2"
  awk -v c=$((c1 - c0)) -v hz="$hz" -v ns=$((t1 - t0)) 'BEGIN { printf "%.2f", 100 * c / hz / (ns / 1e9) }'
}

median() { printf '%s\n' "$@" | sort -g | sed -n "$((($# + 1) / 2))p"; }

# Moves the pointer on display $1 over x 24..56 at y 30 of a window at ($4, $5) and back, 1 ms
# between moves, for $2 seconds: every position keeps the whole pattern's preview inside the
# level area. Writes the number of moves to $3.
sweep() {
  local chain=() x moves=0
  for x in $(seq 24 56) $(seq 55 -1 25); do
    chain+=(mousemove $((x + ${4:-0})) $((30 + ${5:-0})) sleep 0.001)
  done
  local end=$(($(date +%s%N) + ${2%.*} * 1000000000))
  while (($(date +%s%N) < end)); do
    DISPLAY=:$1 xdotool "${chain[@]}"
    moves=$((moves + ${#chain[@]} / 4))
  done
  echo "$moves" >"$3"
}

# The pixel of display $1 at ($2, $3) as "r,g,b", or "" without ImageMagick's import.
pixel() {
  command -v import >/dev/null || return 0
  DISPLAY=:$1 import -window root -crop "1x1+$2+$3" -depth 8 txt:- 2>/dev/null |
    sed -n 2p | sed -E 's/^[^(]*\(([0-9]+),([0-9]+),([0-9]+).*/\1,\2,\3/'
}

# The median line's counter $2 of benchmark $1 in the output $3.
counter() {
  grep -E "^$1/manual_time_median " "$3" | tr ' ' '\n' | sed -n "s/^$2=//p"
}

echo
echo "== Frame benchmark (SDL_RENDER_DRIVER=$SDL_RENDER_DRIVER SDL_FRAMEBUFFER_ACCELERATION=$SDL_FRAMEBUFFER_ACCELERATION)"
start_display
bench_display=$display
bench_args=(--benchmark_filter=Frame --benchmark_repetitions=3
  --benchmark_report_aggregates_only=true)
echo "-- real display (Xvfb :$bench_display), drawFrame with its flip; median lines"
DISPLAY=:$bench_display "$build/bench/benchmarks" "${bench_args[@]}" 2>/dev/null |
  grep -E '_median ' | tee "$work/real.txt"
echo "-- dummy driver"
env -u DISPLAY SDL_VIDEODRIVER=dummy "$build/bench/benchmarks" "${bench_args[@]}" 2>/dev/null |
  grep -E '_median ' | tee "$work/dummy.txt"
echo "-- bare presenter, 500 frames, software path"
DISPLAY=:$bench_display "$build/bench/bare_present" --time 500 | tee "$work/bare_sw.txt"
echo "-- bare presenter, 100 frames, SDL's default GL path"
DISPLAY=:$bench_display SDL_RENDER_DRIVER=opengl SDL_FRAMEBUFFER_ACCELERATION=1 \
  "$build/bench/bare_present" --time 100 | tee "$work/bare_gl.txt"

echo
echo "== Present path the editor takes with neither variable set"
cp -r "$build/run" "$work/run"
rm -f "$work/run/niv/"*
(cd "$work/run" && exec env -u SDL_RENDER_DRIVER -u SDL_FRAMEBUFFER_ACCELERATION \
  DISPLAY=":$bench_display" ./brickedit >/dev/null) &
probe=$!
started+=("$probe")
wait_for_window "$probe" "$bench_display"
sleep 0.5
if grep -qE 'swrast_dri|libLLVM|libGLX_mesa' "/proc/$probe/maps"; then
  present_path="OpenGL (Mesa llvmpipe loaded)"
else
  present_path="software (no GL driver loaded)"
fi
echo "$present_path"
stop "$probe"

echo
echo "== CPU, median of 3 windows of ${window} s, editor and bare presenter taking turns"
# The heaviest level: 396 bricks filling the level area, every type in turn.
{
  printf '396\r\n'
  for i in $(seq 0 395); do
    printf '%d;%d;%d\r\n' $((24 + 40 * (i % 18))) $((30 + 20 * (i / 18))) $((1 + i % 24))
  done
  printf 'Plein'
} >"$work/run/niv/plein.lvbk"

# Larger than the window, so that the pointer can rest outside it; the window maps where the
# library centres it, at ($ox, $oy).
start_display 1280x1024
editor_display=$display
DISPLAY=:$editor_display xdotool mousemove 600 300
(cd "$work/run" && DISPLAY=:$editor_display exec ./brickedit >/dev/null) &
editor=$!
started+=("$editor")
wait_for_window "$editor" "$editor_display"
sleep 0.3
window_id=$(DISPLAY=:$editor_display xdotool search --onlyvisible --pid "$editor" | head -1)
eval "$(DISPLAY=:$editor_display xdotool getwindowgeometry --shell "$window_id" | grep -E '^(X|Y)=')"
ox=$X oy=$Y
# A point of the editor's window on its display.
at() { echo $(($1 + ox)) $(($2 + oy)); }
# "Ouvrir niveau", then the first name of the browser; then a right click on the grid's last
# cell selects the whole grid.
DISPLAY=:$editor_display xdotool mousemove $(at 850 420) click 1
sleep 0.2
DISPLAY=:$editor_display xdotool mousemove $(at 300 285) click 1
sleep 0.2
DISPLAY=:$editor_display xdotool mousemove $(at $((24 + 21 * 17 + 10)) $((480 + 13 * 21 + 6))) click 3
sleep 0.2
# Checked before the preview covers the level: the first brick, and the grid's top-right cell.
first_brick=$(pixel "$editor_display" $(at 30 35))
grid_cell=$(pixel "$editor_display" $(at $((24 + 21 * 17 + 10)) 486))
if [[ -z $first_brick ]]; then
  echo "(no ImageMagick import: the scene is not checked)"
elif [[ $first_brick != 128,128,128 && $grid_cell == 255,0,0 ]]; then
  echo "scene: level of 396 bricks open, whole grid selected"
else
  echo "WARNING: scene not reached (first brick shows $first_brick, grid corner $grid_cell)"
fi
# Outside the window.
DISPLAY=:$editor_display xdotool mousemove 1279 1023
sleep 0.3

start_display
bare_display=$display
DISPLAY=:$bare_display xdotool mousemove 600 300
DISPLAY=:$bare_display "$build/bench/bare_present" &
bare=$!
started+=("$bare")
wait_for_window "$bare" "$bare_display"
kill -STOP "$bare"

idle_editor="" idle_bare="" moving_editor="" moving_bare="" playing_editor="" playing_bare=""
# Measures $1 ("idle", "moving" or "playing") for the editor and the bare presenter $2; sets
# ${1}_editor, ${1}_bare and ${1}_wakeups (the editor's median wake-ups a second).
measure() {
  local editor_runs=() bare_runs=() wakeups=() round who pid shown sweeper
  kill -STOP "$editor"
  for round in 1 2 3; do
    for who in editor bare; do
      if [[ $who == editor ]]; then pid=$editor shown=$editor_display; else pid=$2 shown=$bare_display; fi
      kill -CONT "$pid"
      if [[ $1 == moving ]]; then
        if [[ $who == editor ]]; then
          sweep "$shown" $((window + 2)) "$work/moves.$who.$round" "$ox" "$oy" &
        else
          sweep "$shown" $((window + 2)) "$work/moves.$who.$round" &
        fi
        sweeper=$!
      fi
      sleep "$settle"
      if [[ $who == editor ]]; then
        editor_runs+=("$(cpu_percent "$pid" "$work/wakeups")")
        wakeups+=("$(<"$work/wakeups")")
      else
        bare_runs+=("$(cpu_percent "$pid" "$work/wakeups")")
      fi
      [[ $1 == moving ]] && wait "$sweeper"
      kill -STOP "$pid"
    done
  done
  local editor_median bare_median
  editor_median=$(median "${editor_runs[@]}")
  bare_median=$(median "${bare_runs[@]}")
  printf -v "${1}_editor" '%s' "$editor_median"
  printf -v "${1}_bare" '%s' "$bare_median"
  printf -v "${1}_wakeups" '%s' "$(median "${wakeups[@]}")"
  echo "$1: editor ${editor_runs[*]} % (median $editor_median), wake-ups a second ${wakeups[*]};" \
    "bare presenter ${bare_runs[*]} % (median $bare_median)"
}

measure idle "$bare"
measure moving "$bare"
moves=$(cat "$work"/moves.editor.* | awk '{ sum += $1 } END { print sum }')
echo "(pointer moves sent to the editor: about $((moves / (3 * (window + 2)))) a second)"
# The heaviest level played under the autopilot (T, then A), against a presenter at a game's
# pace.
kill -CONT "$editor"
DISPLAY=:$editor_display xdotool mousemove $(at 400 300) key t key a
kill -STOP "$editor"
DISPLAY=:$bare_display "$build/bench/bare_present" --every 16 &
bare16=$!
started+=("$bare16")
wait_for_window "$bare16" "$bare_display"
kill -STOP "$bare16"
measure playing "$bare16"
kill -CONT "$editor" "$bare" "$bare16"

# ---- Against the goals
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { if (b > 0) printf "%.2f", a / b; else print "n/a" }'; }
verdict() { awk -v v="$1" -v g="$2" 'BEGIN { print (v != "" && v <= g) ? "met" : "NOT met" }'; }
shown() { awk -v v="$1" 'BEGIN { if (v ~ /^[0-9.]+$/) printf "%.2f", v; else printf "%s", v }'; }
line() { printf '  %-66s %8s  goal <= %-4s %s\n' "$1" "$(shown "$2")" "$3" "$(verdict "$2" "$3")"; }

echo
echo "== Against the goals (real display unless marked)"
for frame in Editing Browser Playing; do
  interval=26
  [[ $frame == Playing ]] && interval=16
  for clock in "" cpu_; do
    name="BM_Frame${frame}Heaviest"
    by=${clock:+by CPU}
    x=$(counter "$name" "${clock}x_bare_present" "$work/real.txt")
    dummy_x=$(counter "$name" "${clock}x_bare_present" "$work/dummy.txt")
    pct=$(counter "$name" "${clock}pct_of_${interval}ms" "$work/real.txt")
    dummy_pct=$(counter "$name" "${clock}pct_of_${interval}ms" "$work/dummy.txt")
    line "$frame frame ${by:-by wall clock}, x bare present (dummy: $dummy_x)" "$x" 2.5
    line "$frame frame ${by:-by wall clock}, % of $interval ms (dummy: $dummy_pct)" "$pct" 10
  done
done
line "idle editor, % of a core (bare presenter: $idle_bare)" "$idle_editor" 0.2
line "idle editor, wake-ups a second" "$idle_wakeups" 10
line "playing editor / bare presenter every 16 ms ($playing_editor / $playing_bare %)" \
  "$(ratio "$playing_editor" "$playing_bare")" 2
line "sweeping editor / bare presenter ($moving_editor / $moving_bare %)" \
  "$(ratio "$moving_editor" "$moving_bare")" 2
echo "  present path with neither variable set: $present_path"
echo "  bare flip: software path $(sed -n 's/^flip_ms_median //p' "$work/bare_sw.txt") ms," \
  "SDL's default GL path $(sed -n 's/^flip_ms_median //p' "$work/bare_gl.txt") ms"
echo "  load average at start: $load_before; at the end: $(cut -d' ' -f1-3 /proc/loadavg)"
