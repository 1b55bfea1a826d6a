#!/usr/bin/env bash
# The Debian package, unpacked anywhere and run in a real window by a user who owns none of
# it, keeps that user's settings in the user's configuration folder, and finds its factory
# settings and its manual in the unpacked tree.
#   settings_survive.sh BUILD_DIR   the package package_lintian.sh built in BUILD_DIR/package
source "$(dirname "$0")/common.sh"
build=$1

start_xvfb
need dpkg-deb
deb=$(echo "$build"/package/kestrune_*.deb)
dpkg-deb --field "$deb" Depends | tee "$scratch/depends"
grep -q 'fonts-liberation.*libqt6widgets6' "$scratch/depends"
dpkg-deb -x "$deb" "$scratch/tree"
prefix=$scratch/tree/usr
prepare_user "$scratch/tree"
cp "$(dirname "$0")/lsan.supp" "$scratch/"  # for a sanitized build, where the user can read it
home=$scratch/home
saved=$home/config/Kestrune/kestrune.cfg

# The desktop's document opener, standing in: it notes what it was asked to open.
mkdir "$home/bin"
printf '#!/bin/sh\necho "$1" >>"%s/opened"\n' "$home" >"$home/bin/xdg-open"
chmod 755 "$home/bin/xdg-open"

# Starts the program, clicks the controls named, each at its centre in the window, and
# waits for the program to end after the last one.
run() {
    start_as_user env -u QT_QPA_PLATFORM HOME="$home" XDG_CONFIG_HOME="$home/config" PATH="$home/bin:$PATH" \
        LSAN_OPTIONS="suppressions=$scratch/lsan.supp" timeout 120 "$prefix/bin/kestrune"
    local window
    window=$(program_window)
    for control in "$@"; do
        case $control in
            chip) xdotool mousemove --window "$window" 322 100 click 1 ;;
            sound) xdotool mousemove --window "$window" 502 256 click 1 ;;
            defaults) xdotool mousemove --window "$window" 598 308 click 1 ;;
            help) xdotool mousemove --window "$window" 598 356 click 1 ;;
            quit) xdotool mousemove --window "$window" 598 404 click 1 ;;
        esac
        sleep 0.3
    done
    wait "$program_pid" || fail "the program did not end well after: $* $(cat "$scratch/program.log")"
    program_pid=""
}
line() { sed -n "$1p" "$saved" | tr -d '\r'; }

# First start: the factory settings (4 MHz, PIC, sound on); sound off and SX are saved.
run sound chip quit
[ "$(line 1)" = 4000000 ] && [ "$(line 16)" = ' 0 ' ] && [ "$(line 17)" = ' 0 ' ]
# Started again with SX, the chip button brings PIC back.
run chip quit
[ "$(line 16)" = ' 1 ' ]
# Help hands over the installed manual; the factory settings turn sound on again.
run help defaults quit
[ "$(line 17)" = ' 1 ' ]
grep -qx "file://$prefix/share/doc/kestrune/kestrune_v2_2.pdf" "$home/opened"
[ -z "$(find "$scratch/tree" -name 'kestrune.cfg' -not -path '*/share/kestrune/*')" ]
echo "settings kept in $saved; the manual opened from $prefix/share/doc/kestrune"
