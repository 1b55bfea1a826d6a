# Shared by the real-window and install tests: a scratch folder removed on exit, a private X
# display with a session bus, and the program run as a user who owns none of the installed tree.
set -euo pipefail

readonly SKIPPED=77  # what CTest counts as a skip

# The window's screen reader bridge asks for the session bus. Without one, the bus library forks to
# start one itself, and the child of a fork under AddressSanitizer can hang the program before its
# window shows; so the test runs with a bus of its own.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    command -v dbus-run-session >/dev/null || { echo "SKIP: dbus-run-session is not installed"; exit "$SKIPPED"; }
    exec dbus-run-session -- bash "$0" "$@"
fi

scratch=$(mktemp -d)
chmod 755 "$scratch"  # the unprivileged user must reach the tree inside
cleanup() {
    # A program left running would hold the test's output open until its own time limit.
    if [ -n "${program_pid:-}" ]; then kill "$program_pid" 2>/dev/null || true; fi
    if [ -n "${xvfb_pid:-}" ]; then kill "$xvfb_pid" 2>/dev/null || true; fi
    chmod -R u+w "$scratch" 2>/dev/null || true
    rm -rf "$scratch"
}
trap cleanup EXIT

need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit "$SKIPPED"; }
    done
}

fail() { echo "FAIL: $*" >&2; exit 1; }

# Xvfb picks a free display itself and says which.
start_xvfb() {
    need Xvfb xdotool
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
    [ -s "$scratch/display" ] || fail "Xvfb did not start"
    DISPLAY=:$(cat "$scratch/display")
    export DISPLAY
}

# The program's window, once it is drawn; a build with the sanitizers may take long to start.
program_window() {
    local found
    found=$(timeout 60 xdotool search --sync --onlyvisible --name '^Kestrune : Delay Loop Calculator' | head -n 1) ||
        fail "no window appeared: $(cat "$scratch/program.log")"
    sleep 0.5  # the first paint
    echo "$found"
}

# Starts a program in the background, writing to program.log, as a user who owns none of the
# tree: as root, nobody, for root may write anywhere.
start_as_user() {
    if [ "$(id -u)" -eq 0 ]; then
        setpriv --reuid=65534 --regid=65534 --clear-groups "$@" >"$scratch/program.log" 2>&1 &
    else
        "$@" >"$scratch/program.log" 2>&1 &
    fi
    program_pid=$!
}

# No sound server runs here, and for any user but root the audio library would fork to start one.
printf 'autospawn = no\n' >"$scratch/pulse-client.conf"
export PULSE_CLIENTCONFIG=$scratch/pulse-client.conf

# A home folder the user owns, and the tree made read-only for any user but root.
prepare_user() {
    mkdir -p "$scratch/home"
    [ "$(id -u)" -ne 0 ] || chown 65534:65534 "$scratch/home"
    chmod -R a-w "$1"
}
