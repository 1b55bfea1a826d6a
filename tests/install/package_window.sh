#!/usr/bin/env bash
# The Debian package, unpacked anywhere and run in a real window by a user who owns none of it,
# pressed with real pointer clicks on a real X server (a covered control misses them): it keeps
# that user's settings in the user's configuration folder, and finds its factory settings and
# its manual in the unpacked tree.
#   package_window.sh BUILD_DIR   the package package_lintian.sh built in BUILD_DIR/package
source "$(dirname "$0")/common.sh"
build=$1
need Xvfb xdotool xclip dpkg-deb

# Xvfb picks a free display itself and says which.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
xvfb_pid=$!
for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
[ -s "$scratch/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(cat "$scratch/display")
# No sound server runs here, and for any user but root the audio library would fork to start one.
printf 'autospawn = no\n' >"$scratch/pulse-client.conf"
export PULSE_CLIENTCONFIG=$scratch/pulse-client.conf

deb=$(echo "$build"/package/kestrune_*.deb)
dpkg-deb --field "$deb" Depends | tee "$scratch/depends"
grep -q 'fonts-liberation.*libqt6widgets6' "$scratch/depends"
dpkg-deb -x "$deb" "$scratch/tree"
prefix=$scratch/tree/usr home=$scratch/home
cp "$(dirname "$0")/lsan.supp" "$scratch/"  # for a sanitized build, where the user can read it
saved=$home/config/Kestrune/kestrune.cfg
# The program runs as a user who owns none of the tree: as root, nobody, for root may write
# anywhere. That user owns the home folder, and the tree is read-only for any user but root.
mkdir -p "$home/bin"
as_user=()
if [ "$(id -u)" -eq 0 ]; then
    as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
    chown 65534:65534 "$home"
fi
chmod -R a-w "$scratch/tree"

# The desktop's document opener, standing in: it notes what it was asked to open.
printf '#!/bin/sh\necho "$1" >>"%s/opened"\n' "$home" >"$home/bin/xdg-open"
chmod 755 "$home/bin/xdg-open"

# Starts the program, clicks the controls named, each at its centre in the window (the layout's
# twips over 15), and waits for the program to end after the last one. After its click "delay"
# types 0.001 into the box, "copy" keeps the clipboard in copy1, copy2, ..., and "print" cancels
# the dialog, which has the keyboard focus.
run() {
    "${as_user[@]}" env -u QT_QPA_PLATFORM HOME="$home" XDG_CONFIG_HOME="$home/config" PATH="$home/bin:$PATH" \
        LSAN_OPTIONS="suppressions=$scratch/lsan.supp" timeout 120 "$prefix/bin/kestrune" >"$scratch/program.log" 2>&1 &
    program_pid=$!
    local window copies=0
    # The window, once it is drawn; a build with the sanitizers may take long to start.
    window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Kestrune : Delay Loop Calculator' | head -n 1) ||
        fail "no window appeared: $(cat "$scratch/program.log")"
    sleep 0.5  # the first paint
    for control in "$@"; do
        case $control in
            calc-time) at=(306 64) ;; calc-values) at=(338 64) ;; delay) at=(188 98) ;; chip) at=(322 100) ;;
            copy) at=(392 184) ;; print) at=(440 184) ;; parallax) at=(322 192) ;; sound) at=(502 256) ;;
            defaults) at=(598 308) ;; help) at=(598 356) ;; quit) at=(598 404) ;;
        esac
        xdotool mousemove --window "$window" --sync "${at[@]}" click 1
        sleep 0.3
        case $control in
            delay) xdotool key ctrl+a type 0.001 ;;
            copy) ((++copies)) && xclip -o -selection clipboard >"$scratch/copy$copies" ;;
            print)
                timeout 10 xdotool search --sync --onlyvisible --name '^Print' >/dev/null || fail "no print dialog"
                xdotool key Escape
                for _ in $(seq 50); do xdotool search --onlyvisible --name '^Print' >/dev/null || break; sleep 0.1; done
                xdotool search --onlyvisible --name '^Print' >/dev/null && fail "the print dialog did not close" ;;
        esac
    done
    wait "$program_pid" || fail "the program did not end well after: $* $(cat "$scratch/program.log")"
    program_pid=""
}
line() { sed -n "$1p" "$saved" | tr -d '\r'; }

# First start: the factory settings (PIC at 4 MHz, A = 75, B = 2, two loops, Microchip format,
# sound on); the Parallax listing, then the SX's, then the counters searched for 1 ms, as
# kestrune-cli finds them; sound off and SX are saved.
run sound parallax copy print chip calc-time copy delay calc-values copy quit
[ "$(cat "$scratch/copy1")" = "$(printf ';PIC Time Delay = 0.00100000 s with Osc = 4000000 Hz\r\n\t\tmov\tDelay2,#2\r\n\t\tmov\tDelay1,#75\r\n:loop\t\tdjnz\tDelay1,$\r\n\t\tdjnz\tDelay2,:loop')" ] ||
    fail "the clipboard does not hold the Parallax listing: $(od -c "$scratch/copy1" | head)"
[ "$(head -1 "$scratch/copy2")" = $';SX-Turbo Time Delay = 0.00033325 s with Osc = 4000000 Hz\r' ] ||
    fail "the delay was not worked out for the SX: $(head -1 "$scratch/copy2")"
searched=$("$prefix/bin/kestrune-cli" values --clock 4000000 --delay 0.001 --chip sx --format parallax --crlf | sed '1,/^\r$/d')
[ "$(cat "$scratch/copy3")" = "${searched%$'\r'}" ] || fail "the searched listing differs from kestrune-cli's: $(cat "$scratch/copy3")"
[ "$(line 1)" = 4000000 ] && [ "$(line 16)" = ' 0 ' ] && [ "$(line 17)" = ' 0 ' ]
# Started again with SX, the chip button brings PIC back.
run chip quit
[ "$(line 16)" = ' 1 ' ]
# Help hands over the installed manual; the factory settings turn sound on again.
run help defaults quit
[ "$(line 17)" = ' 1 ' ]
grep -qx "file://$prefix/share/doc/kestrune/kestrune_v2_2.pdf" "$home/opened"
[ -z "$(find "$scratch/tree" -name 'kestrune.cfg' -not -path '*/share/kestrune/*')" ]
echo "real clicks reached every control named; settings kept in $saved; the manual opened from $prefix/share/doc/kestrune"
