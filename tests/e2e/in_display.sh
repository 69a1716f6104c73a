#!/bin/sh
# Runs a command in an X display of its own. Each run starts looking for a free display number
# at one drawn from its process id, so that runs started at the same moment rarely race for one.
exec xvfb-run -a -n $(($$ % 900 + 100)) -s "-screen 0 1024x768x24 -br" "$@"
