#!/usr/bin/env bash
# Start-up time, resident memory and idle CPU of Kestrune beside a bare Qt 6 window built by
# the project, on a virtual X display, printed side by side with their ratios.
#
#   scripts/measure-startup.sh [BUILD_FOLDER]    (default: build, as scripts/test.sh makes it)
#   RUNS=41 IDLE_SECONDS=30 scripts/measure-startup.sh build-release
#
# Each launch runs in a fresh temporary copy of the program folder, so the preferences in the
# build folder are never touched. Figures are printed, never asserted.
set -euo pipefail

# A desktop session always has a session bus, and Qt asks it about accessibility while a
# window's first texts are set. Without one, libdbus would try to start a bus on every launch,
# which no desktop does, so the measurement runs in a private session bus of its own.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "measure-startup: dbus-run-session is missing; scripts/setup-debian.sh test installs it" >&2; exit 1; }
    exec dbus-run-session -- "$0" "$@"
fi

cd "$(dirname "$0")/.."

build=${1:-build}
runs=${RUNS:-21}
idle_seconds=${IDLE_SECONDS:-10}
settle_seconds=2
kestrune_title='^Kestrune : Delay Loop Calculator'
bare_title='^Bare Qt Window$'

for tool in Xvfb xdotool xev stdbuf; do
    command -v "$tool" >/dev/null || { echo "measure-startup: $tool is missing; scripts/setup-debian.sh test installs it" >&2; exit 1; }
done
for program in kestrune bare_window; do
    [ -x "$build/$program" ] || { echo "measure-startup: $build/$program is missing; build first (scripts/test.sh or cmake --build $build)" >&2; exit 1; }
done

work=$(mktemp -d)
xvfb_pid=""
program_pid=""
watch_pid=""
cleanup() {
    if [ -n "$watch_pid" ]; then kill "$watch_pid" 2>/dev/null || true; fi
    if [ -n "$program_pid" ]; then kill "$program_pid" 2>/dev/null || true; wait "$program_pid" 2>/dev/null || true; fi
    if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

# A display number nobody uses; -noreset keeps the server up between launches.
display=90
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
export DISPLAY=":$display"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
for _ in $(seq 100); do xdotool getdisplaygeometry >/dev/null 2>&1 && break; sleep 0.05; done
xdotool getdisplaygeometry >/dev/null 2>&1 || { echo "measure-startup: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }

clock_ticks=$(getconf CLK_TCK)

# Copies the program into a new folder with the sound and printing libraries and the factory
# defaults and preferences files beside it, as a first run finds them: every launch starts
# alike, logo animation and sound on.
fresh_copy() {
    local program=$1 folder
    folder=$(mktemp -d "$work/run.XXXXXX")
    cp "$build/$program" "$folder/"
    if [ "$program" = kestrune ]; then
        cp "$build"/libkestrune_sound.so "$build"/libkestrune_print.so \
            resources/Kestrune.def resources/kestrune.cfg "$folder/"
    fi
    echo "$folder"
}

# The window counts as visible once the display server maps it. An X event watcher on the
# root window (xev) reports the map as it happens; looking for the window with xdotool every
# few milliseconds instead would see it up to one look late, and the looking itself would take
# processor time from the program being measured. xdotool then checks the window's title.
start_map_watch() {
    rm -f "$work/map-events"
    mkfifo "$work/map-events"
    stdbuf -oL xev -root -event substructure >"$work/map-events" 2>/dev/null &
    watch_pid=$!
    exec {map_events}<"$work/map-events"
    sleep 0.3  # lets xev start listening before the program starts
}

stop_map_watch() {
    kill "$watch_pid" 2>/dev/null || true
    wait "$watch_pid" 2>/dev/null || true
    exec {map_events}<&-
    watch_pid=""
}

# Waits for the program's window to be mapped and sets visible_us to that moment.
wait_visible() {
    local title=$1 line window waited=0
    while [ "$waited" -lt 200 ]; do
        if ! read -r -t 0.05 line <&"$map_events"; then
            kill -0 "$program_pid" 2>/dev/null || return 1
            waited=$((waited + 1))
            continue
        fi
        case $line in
            MapNotify*)
                visible_us=${EPOCHREALTIME//[.,]/}
                read -r -t 1 line <&"$map_events" || return 1
                window=${line##*window }
                window=${window%%,*}
                xdotool getwindowname "$window" 2>/dev/null | grep -Eq "$title" && return 0
                ;;
        esac
    done
    return 1
}

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$1/stat"; }
rss_kib() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status"; }

stop_program() {
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=""
}

# One launch: prints the start-up time in ms and the resident memory in KiB once idle, and,
# when asked, the CPU use over the idle period as % of one core.
measure_launch() {
    local program=$1 title=$2 with_cpu=$3 folder start_us rss cpu="-" ticks_before ticks_after
    folder=$(fresh_copy "$program")
    start_map_watch
    start_us=${EPOCHREALTIME//[.,]/}
    (cd "$folder" && exec "./$program") >"$folder/output.log" 2>&1 &
    program_pid=$!
    if ! wait_visible "$title"; then
        echo "measure-startup: $program showed no window; its output:" >&2
        cat "$folder/output.log" >&2
        exit 1
    fi
    stop_map_watch
    sleep "$settle_seconds"
    rss=$(rss_kib "$program_pid")
    if [ "$with_cpu" = yes ]; then
        ticks_before=$(cpu_ticks "$program_pid")
        sleep "$idle_seconds"
        ticks_after=$(cpu_ticks "$program_pid")
        cpu=$(awk -v t=$((ticks_after - ticks_before)) -v hz="$clock_ticks" -v s="$idle_seconds" \
            'BEGIN { printf "%.2f", 100 * t / hz / s }')
    fi
    stop_program
    echo "$(((visible_us - start_us) / 1000)) $rss $cpu"
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

echo "Measuring $build/bare_window and $build/kestrune on display :$display, $runs launches each..."
# One unmeasured launch of each fills the file cache, so the first figures are not disk reads.
measure_launch bare_window "$bare_title" no >/dev/null
measure_launch kestrune "$kestrune_title" no >/dev/null

: >"$work/bare" ; : >"$work/kestrune"
for run in $(seq "$runs"); do
    # Alternating the two spreads any load on the machine over both.
    measure_launch bare_window "$bare_title" no >>"$work/bare"
    measure_launch kestrune "$kestrune_title" no >>"$work/kestrune"
    echo "  launch $run: bare $(tail -1 "$work/bare" | cut -d' ' -f1) ms, kestrune $(tail -1 "$work/kestrune" | cut -d' ' -f1) ms"
done
echo "Idle CPU over $idle_seconds s, logo animating..."
measure_launch kestrune "$kestrune_title" yes >"$work/kestrune-idle"
measure_launch bare_window "$bare_title" yes >"$work/bare-idle"
kestrune_cpu=$(cut -d' ' -f3 "$work/kestrune-idle")
bare_cpu=$(cut -d' ' -f3 "$work/bare-idle")

bare_start=$(cut -d' ' -f1 "$work/bare" | median)
kestrune_start=$(cut -d' ' -f1 "$work/kestrune" | median)
bare_rss=$(cut -d' ' -f2 "$work/bare" | median)
kestrune_rss=$(cut -d' ' -f2 "$work/kestrune" | median)

verdict() { awk -v v="$1" -v limit="$2" 'BEGIN { print (v <= limit) ? "within budget" : "OVER BUDGET" }'; }
start_ratio=$(awk -v a="$kestrune_start" -v b="$bare_start" 'BEGIN { printf "%.2f", a / b }')
rss_ratio=$(awk -v a="$kestrune_rss" -v b="$bare_rss" 'BEGIN { printf "%.2f", a / b }')
cpu_ok=$(awk -v v="$kestrune_cpu" 'BEGIN { print (v < 1) ? "within budget" : "OVER BUDGET" }')

echo
printf '%-34s %12s %12s %7s   %s\n' "median of $runs launches" "bare window" "kestrune" "ratio" "budget"
printf '%-34s %12s %12s %7s   %s\n' "start-up to visible window (ms)" "$bare_start" "$kestrune_start" "$start_ratio" \
    "ratio <= 1.5: $(verdict "$start_ratio" 1.5)"
printf '%-34s %12s %12s %7s   %s\n' "resident memory once idle (MiB)" \
    "$(awk -v k="$bare_rss" 'BEGIN { printf "%.1f", k / 1024 }')" \
    "$(awk -v k="$kestrune_rss" 'BEGIN { printf "%.1f", k / 1024 }')" "$rss_ratio" \
    "ratio <= 1.5: $(verdict "$rss_ratio" 1.5)"
printf '%-34s %12s %12s %7s   %s\n' "idle CPU over ${idle_seconds} s (% of one core)" "$bare_cpu" "$kestrune_cpu" "-" \
    "kestrune < 1%: $cpu_ok"
