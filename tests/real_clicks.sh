#!/usr/bin/env bash
# Kestrune on a real X server, pressed with real pointer clicks: the format option, copy (read
# back from the clipboard), print (the dialog cancelled), the chip button, both Calc buttons
# and Quit. A control that another one covers misses these clicks.
#   tests/real_clicks.sh BUILD_FOLDER      (exit status 77: skipped, a tool is missing)
source "$(dirname "$0")/install/common.sh"
build=$(cd "$1" && pwd) tests=$(cd "$(dirname "$0")" && pwd)
need xclip
start_xvfb
unset QT_QPA_PLATFORM WAYLAND_DISPLAY

# A program folder of its own with the factory settings: PIC at 4 MHz, A = 75, B = 2, two
# loops, Microchip format, the window at the screen's top-left corner.
program=$scratch/program
mkdir "$program"
cp "$build"/kestrune "$build"/libkestrune_*.so "$build"/Kestrune.def "$tests/../resources/kestrune.cfg" "$program/"
# Under LeakSanitizer the desktop's own libraries keep memory to the end, which is not ours.
(cd "$program" && LSAN_OPTIONS="suppressions=$tests/install/lsan.supp" exec timeout 120 ./kestrune) \
    >"$scratch/program.log" 2>&1 &
program_pid=$!
window=$(program_window)

# Clicks the centre of a control given, as the layout gives them, in twips: the control's
# left, top, width and height, then the left and top of each frame it sits in.
click() {
    local x=$(($1 / 15 + $3 / 30)) y=$(($2 / 15 + $4 / 30))
    shift 4
    while [ $# -gt 0 ]; do x=$((x + $1 / 15)); y=$((y + $2 / 15)); shift 2; done
    xdotool mousemove --window "$window" --sync "$x" "$y" click 1
    sleep 0.3
}
frame2=(4200 480 60 60); code_panel=(60 2220)
copy_listing() {
    click 5520 240 615 615 "${code_panel[@]}"
    xclip -o -selection clipboard
}

click 4200 540 1155 255 "${code_panel[@]}"  # "Ex-Lax"
expected=$(printf ';PIC Time Delay = 0.00100000 s with Osc = 4000000 Hz\r\n\t\tmov\tDelay2,#2\r\n\t\tmov\tDelay1,#75\r\n:loop\t\tdjnz\tDelay1,$\r\n\t\tdjnz\tDelay2,:loop')
[ "$(copy_listing)" = "$expected" ] || fail "the clipboard does not hold the Parallax listing: $(copy_listing | od -c | head)"

click 6240 240 615 615 "${code_panel[@]}"  # Print
timeout 10 xdotool search --sync --onlyvisible --name "^Print" >/dev/null || fail "no print dialog"
xdotool key Escape  # the dialog has the keyboard focus
for _ in $(seq 50); do xdotool search --onlyvisible --name '^Print' >/dev/null || break; sleep 0.1; done
xdotool search --onlyvisible --name '^Print' >/dev/null && fail "the print dialog did not close"

click 120 660 915 615 "${frame2[@]}"  # the chip button: now SX
click 120 240 435 375 "${frame2[@]}"  # delay from the counters
[ "$(copy_listing | head -1)" = $';SX-Turbo Time Delay = 0.00033325 s with Osc = 4000000 Hz\r' ] ||
    fail "the delay was not worked out for the SX: $(copy_listing | head -1)"

click 1800 1260 1935 315 60 60  # the delay box
xdotool key ctrl+a type 0.001
click 600 240 435 375 "${frame2[@]}"  # counters from the delay
searched=$("$build/kestrune-cli" values --clock 4000000 --delay 0.001 --chip sx --format parallax --crlf | sed '1,/^\r$/d')
searched=${searched%$'\r'}  # the report's last line end; the listing has none
[ "$(copy_listing)" = "$searched" ] || fail "the searched listing differs from kestrune-cli's: $(copy_listing)"

click 8520 5760 915 615  # Quit
wait "$program_pid" || fail "Quit did not end the program well: $(cat "$scratch/program.log")"
program_pid=""
echo "PASS: real clicks reached Ex-Lax, Copy, Print, the chip, both Calc buttons and Quit"
