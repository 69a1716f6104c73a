#!/usr/bin/env bash
# Undo and redo with the real keys in the real window, under a private X server: two bricks,
# a save, an erase taken back with Ctrl+Z and done again with Ctrl+Y, the window title
# following each step.
# Then nothing may be lost: the erase redone and Escape keep the changed level in
# niv/.backup/, and a second editor whose X server dies under it ends at once keeping its own.
# Usage: undo_session.sh RUN_DIR (the directory holding brickedit, comic.ttf and bmp/).
set -euo pipefail
run_dir=$(realpath "$1")
work=$(mktemp -d) pid= xvfb=
trap 'kill $pid $xvfb 2>/dev/null || true; rm -rf "$work"' EXIT
# The server picks a free display itself and writes its number once it is ready.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -br -noreset 3>"$work/display" 2>/dev/null &
xvfb=$!
until grep -q . "$work/display"; do sleep 0.01; done
export DISPLAY=:$(cat "$work/display")
ln -s "$run_dir/comic.ttf" "$run_dir/bmp" "$work/" && mkdir "$work/niv" && cd "$work"
# Events reach the editor a few milliseconds after xdotool returns: conditions are polled.
poll() { for _ in $(seq 1000); do eval "$1" && return; sleep 0.01; done; false; }
expect_title() {
  local want=$1
  poll '[[ $(xdotool getwindowname "$window") == "$want" ]]' ||
    { echo "title is '$(xdotool getwindowname "$window")', expected '$want'" && exit 1; }
}
launch() {
  xdotool mousemove 1000 700
  "$run_dir/brickedit" >/dev/null & pid=$!
  poll 'window=$(xdotool search --onlyvisible --pid "$pid" 2>/dev/null | head -1)'
  # The loop names the window once it runs: from then on it takes the input sent.
  expect_title "BrickEdit"
}
launch
xdotool mousemove 100 100 click 1 mousemove 300 100 click 1
expect_title "BrickEdit *"
# "Sauvegarder !", the level's name, Return, the author's name, Return.
xdotool mousemove 805 385 click 1 type u && xdotool key Return type e && xdotool key Return
expect_title "BrickEdit - u"
cmp niv/u.lvbk <(printf '2\r\n100;100;1\r\n300;100;1\r\ne')
# Palette type 1, chosen at start, is dropped: a right click then erases the first brick.
xdotool mousemove 805 65 click 1 mousemove 110 105 click 3
expect_title "BrickEdit - u *"
xdotool key ctrl+z && expect_title "BrickEdit - u"
xdotool key ctrl+y && expect_title "BrickEdit - u *"
xdotool key Escape && wait "$pid"
cmp niv/.backup/non-sauvegarde.*.lvbk <(printf '1\r\n300;100;1\r\ne')
rm niv/.backup/*
launch
xdotool mousemove 500 300 click 1 && expect_title "BrickEdit *"
kill "$xvfb"
poll '! kill -0 "$pid" 2>/dev/null'
cmp niv/.backup/non-sauvegarde.*.lvbk <(printf '1\r\n500;300;1\r\n')
echo "undo and recovery session: titles, saved and kept bytes as expected"
