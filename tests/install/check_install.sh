#!/usr/bin/env bash
# cmake --install into a temporary DESTDIR puts every file where a desktop looks for it, the
# desktop's validators accept the entry and the metainfo, and both manual pages render
# without a warning, the command-line one documenting every option of kestrune-cli --help.
#   check_install.sh BUILD_DIR LIBDIR   LIBDIR as GNUInstallDirs set it, lib/... beneath /usr
source "$(dirname "$0")/common.sh"
build=$1 libdir=$2
need desktop-file-validate appstreamcli man

DESTDIR="$scratch" cmake --install "$build" --prefix /usr >/dev/null
cd "$scratch/usr"
# ls names each file that is missing, and fails.
ls -- bin/kestrune bin/kestrune-cli \
    "$libdir"/kestrune/libkestrune_sound.so "$libdir"/kestrune/libkestrune_print.so \
    share/kestrune/Kestrune.def share/kestrune/kestrune.cfg share/doc/kestrune/{kestrune_v2_2.pdf,copyright} \
    share/applications/org.example.Kestrune.desktop share/metainfo/org.example.Kestrune.metainfo.xml \
    share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/org.example.Kestrune.png \
    share/man/man1/kestrune.1.gz share/man/man1/kestrune-cli.1.gz >/dev/null

desktop-file-validate share/applications/org.example.Kestrune.desktop
appstreamcli validate --no-net share/metainfo/org.example.Kestrune.metainfo.xml
for page in share/man/man1/*.1.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "$page: $warnings"; exit 1; }
done
page=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -E ascii -l share/man/man1/kestrune-cli.1.gz 2>/dev/null)
for option in $(bin/kestrune-cli --help | grep -oE '^ +(-[a-z], )?--[a-z-]+' | grep -oE -- '-+[a-z-]+'); do
    grep -qe "$option\b" <<<"$page" || { echo "kestrune-cli(1) does not document $option"; exit 1; }
done
echo "installed, validated and documented"
