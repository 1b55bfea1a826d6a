#!/bin/sh
# Writes the Debian package's changelog.Debian.gz from the release notes: each heading
# "Kestrune VERSION, YYYY-MM-DD" starts an entry for Debian revision REVISION, the indented
# lines below it are the entry, and it is signed by MAINTAINER at midnight UTC of the release
# day, so that every build of the same notes gives the same file.
#   debian-changelog.sh NOTES VERSION REVISION MAINTAINER OUTPUT
# VERSION, the version being packaged, must be the newest release in the notes.
set -eu
notes=$1 version=$2 revision=$3 maintainer=$4 output=$5

changelog=$(awk -v version="$version" -v revision="$revision" -v maintainer="$maintainer" '
    function sign(    date, stamp) {
        date = "date --utc --rfc-email --date=" day
        date | getline stamp
        close(date)
        printf "\n -- %s  %s\n", maintainer, stamp
    }
    /^Kestrune [0-9.]+, [0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]$/ {
        release = substr($2, 1, length($2) - 1)
        if (day == "" && release != version) exit 1
        if (day != "") { sign(); print "" }
        day = $3
        printf "kestrune (%s-%s) unstable; urgency=medium\n\n", release, revision
        next
    }
    day != "" && /^  / { print }
    END { if (day != "") sign() }
' "$notes") && [ -n "$changelog" ] || { echo "$notes: no release notes for $version yet" >&2; exit 1; }
printf '%s\n' "$changelog" | gzip --no-name --best >"$output"
