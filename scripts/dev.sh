#!/usr/bin/env bash
# Sets up a Debian 12 machine for the project, builds it, and then runs the program or the tests.
#   scripts/dev.sh run    install packages, configure, build, start the program
#   scripts/dev.sh test   install packages, configure, build, run the whole test suite
set -euo pipefail

cd "$(dirname "$0")/.."
readonly BUILD_DIR="${HIRELINGS_BUILD_DIR:-build}"

as_root() {
    if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_packages() {
    local package missing=()
    while read -r package; do
        case "$package" in '' | '#'*) continue ;; esac
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' \
            || missing+=("$package")
    done <scripts/debian-packages.txt
    if [ "${#missing[@]}" -eq 0 ]; then return 0; fi
    as_root apt-get update -q
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
}

configure_and_build() {
    local werror=OFF
    if [ "${CI:-}" = "true" ]; then werror=ON; fi
    cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DHIRELINGS_WARNINGS_AS_ERRORS="$werror" "$@"
    cmake --build "$BUILD_DIR" --parallel "$(nproc)"
}

case "${1:-}" in
run)
    install_packages
    configure_and_build
    exec "$BUILD_DIR/app/hirelings"
    ;;
test)
    install_packages
    configure_and_build
    cd "$BUILD_DIR"
    exec ctest --output-on-failure --parallel "$(nproc)"
    ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac
