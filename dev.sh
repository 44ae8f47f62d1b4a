#!/usr/bin/env bash
# Zestora Plus developer entry point.
#   ./dev.sh run    install what is missing, build, prepare the demo data folder and start the program
#   ./dev.sh test   install what is missing, build and run every test
#   ./dev.sh setup  only install what is missing
#   ./dev.sh build  only configure and build
#   ./dev.sh package  build, then the Debian package build/zestora-plus_<version>_<arch>.deb
#   ./dev.sh test --sanitize   the whole test suite built with AddressSanitizer + UndefinedBehaviorSanitizer
# ZESTORA_FUZZ_SECONDS sets how long each fuzz target runs in the test command (default 5; 0 skips fuzzing).
set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
BUILD="${ZESTORA_BUILD_DIR:-$ROOT/build}"
DEMO="${ZESTORA_DEMO_DIR:-$ROOT/demo-data}"
JOBS="${ZESTORA_JOBS:-$(nproc)}"
# Paths below the source folder are hashed relative to it, so the compiler cache serves every clone.
export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$ROOT}"

# Real package names only: dpkg-query never reports a virtual package (one another package provides) as
# installed, so a virtual name here would send every run to apt-get.
PACKAGES=(cmake g++ make pkg-config qt6-base-dev libx11-dev xvfb xauth x11-utils
          xdotool openbox imagemagick ccache clang libclang-rt-14-dev
          dpkg-dev file help2man librsvg2-bin desktop-file-utils appstream libxml2-dev)

setup() {
    local missing=()
    local installed
    installed="$(dpkg-query -W -f='${Package} ${Status}\n' "${PACKAGES[@]}" 2>/dev/null || true)"
    for p in "${PACKAGES[@]}"; do
        grep -qx "$p install ok installed" <<<"$installed" || missing+=("$p")
    done
    ((${#missing[@]})) || return 0
    echo "Installing: ${missing[*]}"
    local sudo=()
    [[ $(id -u) -ne 0 ]] && sudo=(sudo)
    if ! "${sudo[@]}" apt-get update -qq \
        || ! DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; then
        echo "Could not install ${missing[*]} (no network?); install them and run again." >&2
        return 1
    fi
}

build() {
    cmake -S "$ROOT" -B "$BUILD" -DZESTORA_WERROR=ON >/dev/null
    cmake --build "$BUILD" -j "$JOBS"
}

package() {
    setup
    build
    (cd "$BUILD" && cpack -G DEB)
}

run() {
    setup
    build
    if [[ ! -f "$DEMO/ZestoDB.cdb" ]]; then
        "$BUILD/src/zestora" init --demo "$DEMO" 2>/dev/null || "$BUILD/src/zestora" init "$DEMO"
    fi
    local ini="$BUILD/src/zestoraplus.ini"
    if [[ ! -f "$ini" ]]; then
        printf '[Main]\r\nInstallType=Palm\r\nDataPath=%s/\r\n' "$DEMO" >"$ini"
    fi
    exec "$BUILD/src/zestoraplus" "$@"
}

test_all() {
    setup
    if [[ "${1:-}" == "--sanitize" ]]; then
        BUILD="${ZESTORA_BUILD_DIR:-$ROOT/build-sanitize}"
        export LSAN_OPTIONS="suppressions=$ROOT/tests/lsan.supp:print_suppressions=0"
        cmake -S "$ROOT" -B "$BUILD" -DZESTORA_WERROR=ON -DZESTORA_SANITIZE=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
        cmake --build "$BUILD" -j "$JOBS"
    else
        build
    fi
    local status=0
    # Widget tests use the offscreen platform; the X11 tests need a real (virtual) display.
    (cd "$BUILD" && xvfb-run -a -s "-screen 0 1280x1024x24" ctest --output-on-failure -j "$JOBS" --timeout 600) \
        || status=1
    if [[ "${1:-}" != "--sanitize" ]]; then
        "$ROOT/packaging/check-package.sh" "$BUILD" || status=1
    fi
    local fuzz_seconds="${ZESTORA_FUZZ_SECONDS:-5}"
    if [[ "${1:-}" != "--sanitize" && "$fuzz_seconds" != "0" ]]; then
        "$ROOT/fuzz/run.sh" --seconds "$fuzz_seconds" || status=1
    fi
    return $status
}

case "${1:-}" in
    run) shift; run "$@" ;;
    test) shift; test_all "$@" ;;
    setup) setup ;;
    build) build ;;
    package) package ;;
    *) echo "usage: $0 run|test|setup|build|package" >&2; exit 1 ;;
esac
