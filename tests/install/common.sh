# Shared by the install tests: a scratch folder removed on exit, a program or X server left
# running stopped, a session bus for a real window, and a skip where a tool is missing.
set -euo pipefail

readonly SKIPPED=77  # what CTest counts as a skip

need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit "$SKIPPED"; }
    done
}

# The window's screen reader bridge asks for the session bus. Without one, the bus library forks to
# start one itself, and the child of a fork under AddressSanitizer can hang the program before its
# window shows; so the test runs with a bus of its own.
if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ]; then
    need dbus-run-session
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

fail() { echo "FAIL: $*" >&2; exit 1; }
