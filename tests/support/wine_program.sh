# Sourced by the tests that drive the program under Wine with the X server's keys and
# mouse (xdotool), on a virtual screen. The sourcing script sets `top` (the checkout) and
# calls, in order:
#   program_folder NAME PROGRAM WAIT-FOR-WINDOW: a new diary folder $folder (removed on
#       exit, /tmp/doodle-NAME.XXXXXX) holding a copy of PROGRAM and the portable marker;
#   program_start [SETTLE]: the program started on it ($program), its window up, then
#       SETTLE seconds (1) for it to paint and take the keys;
#   program_stop: the program ended at once, as a crash or a power cut would;
#   fail MESSAGE: the test fails with MESSAGE, and goes on;
#   finish: the result line, and the script's end with its status.
status=0

program_folder() {
    folder=$(mktemp -d "/tmp/doodle-$1.XXXXXX")
    trap 'rm -rf "$folder"' EXIT
    cp "$2" "$folder/doodlebinder.exe"
    # As the zip leaves it: the diary is the program's folder.
    cp "$top/docs/doodlebinder-portable.ini" "$folder/"
    program_waiter=$3
}

program_start() {
    "$top/tools/wine-run" "$folder/doodlebinder.exe" &
    program=$!
    "$top/tools/wine-run" "$program_waiter" DOODLE_BINDER 60 || { echo "the diary's window did not come up"; exit 1; }
    sleep "${1:-1}"
}

program_stop() {
    "$top/tools/wine-run" taskkill /f /im doodlebinder.exe >/dev/null 2>&1
    wait $program 2>/dev/null
}

fail() { echo "$*"; status=1; }

finish() {
    [ $status = 0 ] && echo "1 passed, 0 failed" || echo "0 passed, 1 failed"
    exit $status
}
