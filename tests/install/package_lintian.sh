#!/usr/bin/env bash
# Builds the Debian package once for the package tests, into BUILD_DIR/package, and lets
# lintian judge it as a Debian reviewer would: no error and no warning left unexplained.
#   package_lintian.sh BUILD_DIR PREFIX   PREFIX the install prefix the build was configured for
set -euo pipefail
build=$1 prefix=$2
command -v dpkg-shlibdeps >/dev/null || { echo "SKIP: dpkg-shlibdeps is not installed"; exit 77; }
rm -rf "$build/package"
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$build/package" >/dev/null
command -v lintian >/dev/null || { echo "SKIP: lintian is not installed"; exit 77; }
# For /usr the plug-ins lie in lib/<multiarch>/kestrune; for another prefix in lib/kestrune,
# which the package puts beneath /usr/lib, where CPack calls ldconfig for every library.
[ "$prefix" = /usr ] && suppressed=() || suppressed=(--suppress-tags maintscript-calls-ldconfig)
lintian --fail-on error,warning "${suppressed[@]}" "$build"/package/kestrune_*.deb
