# Included by the command-line checks: the program runs as a new user would
# run it, with no display, and with empty settings and data folders in
# ${SCRATCH}/home, which it makes afresh. `user` holds the environment to
# run the program with (cmake -E env ${user} ...).

set(ENV{DISPLAY} "")
set(ENV{WAYLAND_DISPLAY} "")
set(ENV{QT_QPA_PLATFORM} "")
file(REMOVE_RECURSE ${SCRATCH})
file(MAKE_DIRECTORY ${SCRATCH}/home)
set(user HOME=${SCRATCH}/home XDG_CONFIG_HOME=${SCRATCH}/home/config XDG_DATA_HOME=${SCRATCH}/home/data)
