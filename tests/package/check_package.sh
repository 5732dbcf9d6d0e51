#!/usr/bin/env bash
# Makes the Debian package of a build with cpack and checks it from outside: its control fields,
# its file list, the validity of the files it installs, Debian's own checker, and that the program
# it carries starts.
# Usage: check_package.sh CPACK BUILD_DIR WORK_DIR METAINFO DESKTOP_FILE_VALIDATE APPSTREAMCLI LINTIAN
set -euo pipefail

readonly cpack=$1 build_dir=$2 work_dir=$3 metainfo=$4 desktop_file_validate=$5 appstreamcli=$6
readonly lintian=$7
readonly app_id=org.example.hirelings
readonly package=hirelings
readonly version=1.1.0.0
# The program must still be running this long after it was started: a start-up failure ends it.
readonly alive_seconds=2
readonly icon_sides=(16 24 32 48 64 128 256)
readonly expected_libraries=(libqt6widgets6 libqt6gui6 libqt6core6 libstdc++6 libc6)
# Packages the program needs at run time that no linker sees: Qt's platform plugins and the font.
readonly expected_runtime_packages=(qt6-qpa-plugins fonts-paratype)

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

program_pid=
stop_program() {
    if [ -n "$program_pid" ]; then
        kill "$program_pid" 2>/dev/null || true
        wait "$program_pid" 2>/dev/null || true
        program_pid=
    fi
}
trap stop_program EXIT

rm -rf "$work_dir"
mkdir -p "$work_dir/packages" "$work_dir/root" "$work_dir/runtime"
chmod 700 "$work_dir/runtime"

echo "== cpack in $build_dir"
(cd "$build_dir" && "$cpack" -G DEB --config CPackConfig.cmake -B "$work_dir/packages") \
    >"$work_dir/cpack.log" 2>&1 || {
    cat "$work_dir/cpack.log" >&2
    echo "FAIL: cpack failed" >&2
    exit 1
}
shopt -s nullglob
debs=("$work_dir/packages/${package}_"*.deb)
shopt -u nullglob
if [ "${#debs[@]}" -ne 1 ]; then
    cat "$work_dir/cpack.log" >&2
    echo "FAIL: expected one ${package}_*.deb in $work_dir/packages, found ${#debs[@]}" >&2
    exit 1
fi
readonly deb=${debs[0]}
readonly architecture=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "${package}_${version}_${architecture}.deb" ] ||
    fail "package file is named $(basename "$deb")"
echo "   $deb"

echo "== control fields"
field() {
    dpkg-deb -f "$deb" "$1"
}
dpkg-deb -f "$deb" Package Version Architecture Maintainer Section Depends Recommends
[ "$(field Package)" = "$package" ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$version" ] || fail "Version is '$(field Version)'"
[ "$(field Architecture)" = "$architecture" ] || fail "Architecture is '$(field Architecture)'"
[ "$(field Section)" = misc ] || fail "Section is '$(field Section)'"
readonly maintainer_pattern='^[^<>]+ <[^@<>]+@example[.]org>$'
[[ "$(field Maintainer)" =~ $maintainer_pattern ]] || fail "Maintainer is '$(field Maintainer)'"

# The computed dependencies name each library package with a lower version bound.
depends=$(field Depends)
IFS=',' read -r -a depend_items <<<"$depends"
for library in "${expected_libraries[@]}"; do
    found=
    for item in "${depend_items[@]}"; do
        item=${item# }
        case "$item" in "$library (>= "*")") found=yes ;; esac
    done
    [ -n "$found" ] || fail "Depends has no versioned $library: '$depends'"
done
for runtime_package in "${expected_runtime_packages[@]}"; do
    found=
    for item in "${depend_items[@]}"; do
        [ "${item# }" = "$runtime_package" ] && found=yes
    done
    [ -n "$found" ] || fail "Depends has no $runtime_package: '$depends'"
done

# The description is the metainfo's: its summary, then its first paragraph.
summary=$(sed -n 's:.*<summary>\(.*\)</summary>.*:\1:p' "$metainfo")
paragraph=$(sed -n 's:.*<p>\(.*\)</p>.*:\1:p' "$metainfo" | head -n 1)
description=$(field Description)
[ "$(head -n 1 <<<"$description")" = "$summary" ] ||
    fail "Description starts with '$(head -n 1 <<<"$description")', expected '$summary'"
# The paragraph follows, wrapped into lines that each begin with a space.
body=$(tail -n +2 <<<"$description" | sed 's/^ //' | paste -sd ' ')
[ "$body" = "$paragraph" ] ||
    fail "Description does not carry the paragraph '$paragraph': '$description'"

echo "== file list"
dpkg-deb -c "$deb" >"$work_dir/contents"
# Each line: mode owner/group size date time path.
entry() {
    awk -v path="./$1" '$6 == path { print $1, $2 }' "$work_dir/contents"
}
expect_entry() {
    local path=$1 expected_mode=$2 found
    found=$(entry "$path")
    if [ -z "$found" ]; then
        fail "missing in the package: /$path"
    elif [ "$found" != "$expected_mode root/root" ]; then
        fail "/$path is '$found', expected '$expected_mode root/root'"
    fi
}
expect_entry usr/bin/hirelings -rwxr-xr-x
expect_entry "usr/share/applications/$app_id.desktop" -rw-r--r--
expect_entry "usr/share/metainfo/$app_id.metainfo.xml" -rw-r--r--
expect_entry "usr/share/icons/hicolor/scalable/apps/$app_id.svg" -rw-r--r--
for side in "${icon_sides[@]}"; do
    expect_entry "usr/share/icons/hicolor/${side}x${side}/apps/$app_id.png" -rw-r--r--
done
expect_entry "usr/share/doc/$package/copyright" -rw-r--r--
expect_entry "usr/share/doc/$package/changelog.gz" -rw-r--r--
expect_entry "usr/share/man/man1/$package.1.gz" -rw-r--r--
# The window face is Debian's packaged font: the package carries no font file of its own.
fonts=$(awk '$6 ~ /\.(ttf|otf|ttc|pfb|woff2?)$/ { print $6 }' "$work_dir/contents")
[ -z "$fonts" ] || fail "the package carries fonts: $fonts"
# Nothing of the build machine may travel: every file lies under /usr.
stray=$(awk '$1 !~ /^d/ && $6 !~ /^\.\/usr\// { print $6 }' "$work_dir/contents")
[ -z "$stray" ] || fail "files outside /usr: $stray"

echo "== extracted files"
dpkg-deb -x "$deb" "$work_dir/root"
readonly program=$work_dir/root/usr/bin/hirelings
if [ -n "$desktop_file_validate" ]; then
    "$desktop_file_validate" "$work_dir/root/usr/share/applications/$app_id.desktop" ||
        fail "desktop-file-validate rejects the packaged desktop entry"
else
    echo "   desktop-file-validate not found: the desktop entry is not validated"
fi
if [ -n "$appstreamcli" ]; then
    # Even a pedantic note counts: software centres show what the validator frowns upon.
    validation=$("$appstreamcli" validate --pedantic --no-net \
        "$work_dir/root/usr/share/metainfo/$app_id.metainfo.xml" 2>&1) ||
        fail "appstreamcli rejects the packaged metainfo"
    if grep -q '^[EWIP]: ' <<<"$validation"; then
        echo "$validation" >&2
        fail "appstreamcli has remarks on the packaged metainfo"
    fi
else
    echo "   appstreamcli not found: the metainfo is not validated"
fi
# The changelog is Debian's, for this version; the copyright file is machine-readable.
changelog_head=$(gzip -dc "$work_dir/root/usr/share/doc/$package/changelog.gz" | head -n 1) ||
    fail "the packaged changelog is not a gzip file"
[[ "$changelog_head" == "$package ($version) "* ]] ||
    fail "the changelog starts with '$changelog_head', not the entry of $package $version"
readonly copyright_format='Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/'
[ "$(head -n 1 "$work_dir/root/usr/share/doc/$package/copyright")" = "$copyright_format" ] ||
    fail "the copyright file does not declare the machine-readable format"
# A stripped program keeps no debug sections.
if readelf -S "$program" | grep -q '\.debug_info'; then
    fail "the packaged program still carries debug information"
fi

echo "== lintian"
if [ -n "$lintian" ]; then
    # Any error or warning fails, whether lintian's status says so or only its output. An override,
    # should one ever be needed, is shipped in the package with its reason written beside it.
    lintian_status=0
    "$lintian" --fail-on error,warning --tag-display-limit 0 "$deb" >"$work_dir/lintian.log" 2>&1 ||
        lintian_status=$?
    cat "$work_dir/lintian.log"
    [ "$lintian_status" -eq 0 ] || fail "lintian fails the package (status $lintian_status)"
    if grep -q '^[EW]: ' "$work_dir/lintian.log"; then
        fail "lintian reports errors or warnings"
    fi
else
    echo "   lintian not found: the package is not checked against Debian's policy"
fi

echo "== the packaged program starts"
env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$work_dir/runtime" \
    "$program" >"$work_dir/program.out" 2>"$work_dir/program.err" &
program_pid=$!
sleep "$alive_seconds"
if kill -0 "$program_pid" 2>/dev/null; then
    stop_program
else
    status=0
    wait "$program_pid" || status=$?
    program_pid=
    fail "the program ended within $alive_seconds s with status $status"
fi
# A clean start says nothing; a missing library, plugin or resource would be reported here.
if [ -s "$work_dir/program.err" ]; then
    cat "$work_dir/program.err" >&2
    fail "the program wrote to its error output"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) of $(basename "$deb") failed" >&2
    exit 1
fi
echo "PASS: $(basename "$deb") is complete, valid and starts"
