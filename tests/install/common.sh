# Shared by the install tests: a scratch folder removed on exit, a private X display, and the
# program run as a user who owns none of the installed tree. Sourced, not run.
set -euo pipefail

readonly SKIPPED=77  # what CTest counts as a skip

scratch=$(mktemp -d)
chmod 755 "$scratch"  # the unprivileged user must reach the tree inside
cleanup() {
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

# Xvfb picks a free display itself and says which.
start_xvfb() {
    need Xvfb xdotool
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$scratch/display" 2>/dev/null &
    xvfb_pid=$!
    for _ in $(seq 100); do [ -s "$scratch/display" ] && break; sleep 0.1; done
    [ -s "$scratch/display" ] || { echo "Xvfb did not start"; exit 1; }
    DISPLAY=:$(cat "$scratch/display")
    export DISPLAY
}

# Root may write anywhere, so as root the program runs as nobody, who owns nothing here.
as_user() {
    if [ "$(id -u)" -eq 0 ]; then
        setpriv --reuid=65534 --regid=65534 --clear-groups "$@"
    else
        "$@"
    fi
}

# A home folder the user owns, and the tree made read-only for any user but root.
prepare_user() {
    mkdir -p "$scratch/home"
    [ "$(id -u)" -ne 0 ] || chown 65534:65534 "$scratch/home"
    chmod -R a-w "$1"
}
