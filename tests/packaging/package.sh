#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package with CPack, checks it with Debian's own tools, unpacks it and starts
# the program from there. Arguments: the build folder, the source folder, the packaging_unpacked
# test program, and whether this is the sanitizer build (ON/OFF).
set -euo pipefail
build=$1 source=$2 unpacked_test=$3 sanitize=$4

if [ "$sanitize" = ON ]; then
    # An instrumented, unoptimised program needs the sanitizer runtime and is not what a school
    # installs; the package is built and checked from the ordinary build.
    echo "skipped: the sanitizer build is not packaged"
    exit 77
fi

source "$(dirname "$0")/../../scripts/scratch.sh"

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# --- Build -------------------------------------------------------------------------------
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" > "$work/cpack.log" 2>&1; then
    cat "$work/cpack.log"
    echo "FAIL: cpack"
    exit 1
fi
# The package's version is the one the history gives the source tree (1.0 and the number of
# commits); the packaged changelog's newest entry and the AppStream release name it.
version_of() { # source folder -> the version packaging/version.cmake computes for it
    cmake -DPROJECT_SOURCE_DIR="$1" -DPROJECT_VERSION=1.0 -P "$source/packaging/version.cmake" 2>&1 \
        | sed -n 's/^-- Package version \([^ ]*\) of .*/\1/p'
}
version=$(version_of "$source")
deb="$work/out/tessaria_${version}_$(dpkg --print-architecture).deb"
if [ ! -f "$deb" ]; then
    echo "FAIL: no $(basename "$deb") (the source tree's version); cpack made: $(cd "$work/out" && echo *.deb)"
    exit 1
fi
echo "package $(basename "$deb"): $(du -k "$deb" | cut -f1) KiB"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's Version is not $version"

# Every landed change gives a higher version: a commit more in a copy of the history.
if git -C "$source" rev-parse HEAD > /dev/null 2>&1; then
    git clone --quiet "$source" "$work/history"
    before=$(version_of "$work/history")
    git -C "$work/history" -c user.name=test -c user.email=test@example.org commit --quiet --allow-empty -m next
    after=$(version_of "$work/history")
    echo "version $before, one commit later $after"
    dpkg --compare-versions "$after" gt "$before" || fail "the version does not grow with a commit: $before, then $after"
else
    echo "no history in $source: the version's growth is not checked"
fi

# Reproducible: cpack run again on the same build makes the same bytes.
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/again" > "$work/cpack-again.log" 2>&1; then
    cat "$work/cpack-again.log"
    fail "cpack, second run"
elif cmp "$deb" "$work/again/$(basename "$deb")"; then
    echo "reproducible: a second cpack run made the same $(stat -c %s "$deb") bytes"
else
    fail "a second cpack run made a different package"
fi

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# libqt6gui6 holds the xcb platform plugin; qt6-qpa-plugins (VNC and touch only) is not needed.
for dep in libc6 libqt6gui6 libqt6widgets6 libqt6printsupport6 fonts-liberation fonts-kacst-one \
    fonts-wqy-microhei; do
    grep -Eq "(^|, )$dep( |,|$)" <<< "$depends" || fail "Depends lacks $dep"
done
! grep -Eq "(^|, )qt6-qpa-plugins( |,|$)" <<< "$depends" || fail "Depends names qt6-qpa-plugins"

# --- Debian's checks ---------------------------------------------------------------------
lintian --fail-on error,warning "$deb" || fail "lintian"

root="$work/root"
dpkg-deb -x "$deb" "$root"
lib="$root/usr/lib/tessaria"
zcat "$root/usr/share/doc/tessaria/changelog.gz" > "$work/changelog"
[ "$(head -n 1 "$work/changelog")" = "tessaria ($version) unstable; urgency=medium" ] \
    || fail "the changelog's newest entry is not $version"
for metainfo in "$root"/usr/share/metainfo/*.metainfo.xml; do
    grep -q "<release version=\"$version\" date=\"[0-9-]*\">" "$metainfo" \
        || fail "$(basename "$metainfo"): the newest release is not $version"
done
# The documentation for users and administrators, as the source tree has it, and in it the
# scheme format, the language files and the shared scheme folder.
docs="$root/usr/share/doc/tessaria"
for doc in "$source"/README.md "$source"/docs/{administrators,playing,teachers}.md; do
    zcat "$docs/$(basename "$doc").gz" 2> /dev/null | cmp -s - "$doc" \
        || fail "usr/share/doc/tessaria/$(basename "$doc").gz is missing or differs"
done
# (Read whole before grep: grep -q stops early, and zcat on a closed pipe would fail the line.)
zcat "$docs"/*.md.gz > "$work/docs.txt"
for topic in '| `#` | a picture cell |' '[Translations]' '/usr/local/share/tessaria/schemi' 'dpkg-reconfigure tessaria'; do
    grep -qF "$topic" "$work/docs.txt" || fail "the shipped documentation does not tell '$topic'"
done
zcat "$root/usr/share/man/man6/tessaria.6.gz" > "$work/tessaria.6"
grep -q 'dpkg\\-reconfigure tessaria' "$work/tessaria.6" \
    || fail "the manual page does not say how to make the scheme folder again"
desktop="$root/usr/share/applications/tessaria.desktop"
# Every desktop entry the package ships passes desktop-file-validate without a hint, and names
# exactly one main category, so that the program shows once in a menu.
main_categories="AudioVideo Audio Video Development Education Game Graphics Network Office Science Settings System Utility"
for entry in "$root"/usr/share/applications/*.desktop; do
    hints=$(desktop-file-validate "$entry") || fail "desktop-file-validate $(basename "$entry")"
    [ -z "$hints" ] || fail "desktop-file-validate $(basename "$entry"): $hints"
    mains=0
    for category in $(sed -n 's/^Categories=//p' "$entry" | tr ';' ' '); do
        grep -qw "$category" <<< "$main_categories" && mains=$((mains + 1))
    done
    [ "$mains" -eq 1 ] || fail "$(basename "$entry") names $mains main categories, not 1"
done
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"
# The tree check also matches the metainfo's launchable with the installed desktop entry.
appstreamcli validate-tree --no-net "$root" || fail "appstreamcli validate-tree"
command=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")
[ -x "$root/usr/bin/$command" ] || fail "the desktop entry starts '$command', which is not in usr/bin"
icon=$(sed -n 's/^Icon=//p' "$desktop")
compgen -G "$root/usr/share/icons/hicolor/*/apps/$icon.*" > /dev/null || fail "no icon '$icon' in hicolor"

# --- Contents ----------------------------------------------------------------------------
# Every program the build makes is on the PATH, and resolves to an ELF program inside the package.
for program in "$build"/bin/*; do
    [ -f "$program" ] && [ -x "$program" ] || continue
    name=$(basename "$program")
    target=$(readlink -f "$root/usr/bin/$name" || true)
    case "$target" in
        "$root"/*)
            grep -q '^ELF' <<< "$(file -b "$target")" || fail "usr/bin/$name is not a program"
            # Debian's compiler adds no stack protector of its own: its calls show the flags.
            grep -q __stack_chk_fail <<< "$(readelf -W --dyn-syms "$target")" \
                || fail "usr/bin/$name was built without Debian's hardening flags"
            ;;
        *) fail "usr/bin/$name is missing or points out of the package" ;;
    esac
done
diff -r -x scuola "$source/schemi" "$lib/schemi" || fail "usr/lib/tessaria/schemi differs from schemi/"
[ "$(readlink "$lib/schemi/scuola")" = ../../../local/share/tessaria/schemi ] \
    || fail "schemi/scuola does not link to /usr/local/share/tessaria/schemi"
for file in "$source"/lang/data/lingue.txt "$source"/lang/data/*.lng; do
    cmp -s "$file" "$lib/$(basename "$file")" || fail "$(basename "$file") is missing or differs"
done

# --- The unpacked program ----------------------------------------------------------------
# Started through its link on the PATH, it must find its data beside the real executable: at its
# first activation it lists usr/lib/tessaria/schemi, which a watch on that folder sees.
inotifywait -m -e open --format '%f %e' -o "$work/opened" "$lib" 2> "$work/watch.log" &
pids+=($!)
for _ in $(seq 200); do
    grep -q "Watches established" "$work/watch.log" && break
    sleep 0.05
done
if ! grep -q "Watches established" "$work/watch.log"; then
    cat "$work/watch.log"
    echo "FAIL: inotifywait could not watch usr/lib/tessaria"
    exit 1
fi
# A desktop session has a runtime folder; without one Qt warns.
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
QT_QPA_PLATFORM=offscreen "$root/usr/bin/tessaria" > "$work/program.out" 2>&1 &
program=$!
pids+=("$program")
# A loaded machine may take a while to start it: wait up to 20 seconds.
for _ in $(seq 400); do
    grep -qs "^schemi OPEN,ISDIR" "$work/opened" && break
    sleep 0.05
done
grep -qs "^schemi OPEN,ISDIR" "$work/opened" || fail "the unpacked program did not list usr/lib/tessaria/schemi"
# Still up a second later; it ends on SIGTERM, having printed nothing.
sleep 1
if kill -0 "$program" 2>/dev/null; then
    kill -TERM "$program"
    status=0
    wait "$program" || status=$?
    [ "$status" -eq 143 ] || fail "the unpacked program ended with status $status on SIGTERM"
else
    status=0
    wait "$program" || status=$?
    fail "the unpacked program ended by itself, status $status"
fi
if [ -s "$work/program.out" ]; then
    cat "$work/program.out"
    fail "the unpacked program printed something"
fi

TESSARIA_UNPACKED_ROOT="$root" QT_QPA_PLATFORM=offscreen "$unpacked_test" || fail "the window on the unpacked files"

if [ "$failures" -ne 0 ]; then
    echo "$failures package check(s) failed"
    exit 1
fi
echo "package checks passed"
