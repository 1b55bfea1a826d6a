# Shared by the install tests: a scratch folder removed on exit. Sourced, not run.
set -euo pipefail

readonly SKIPPED=77  # what CTest counts as a skip

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

need() {
    for tool in "$@"; do
        command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit "$SKIPPED"; }
    done
}
