#!/usr/bin/env bash
# One entry point for people and CI:
#   ./build.sh gallery [gallery args]   build and run the showcase (offscreen PNGs without a display)
#   ./build.sh test                     build everything and run the whole test suite
#   ./build.sh bench                    Release build of the benchmarks, then run them
#   ./build.sh asan                     the test suite under AddressSanitizer + UBSan
#   ./build.sh fuzz [seconds]           build the libFuzzer harnesses with clang and run each
set -euo pipefail
cd "$(dirname "$0")"
here=$(pwd)
jobs=$(nproc 2>/dev/null || echo 2)

packages=(cmake g++ make ccache pkg-config qtbase5-dev qtbase5-dev-tools libqt5svg5-dev
          qttools5-dev qttools5-dev-tools fonts-dejavu-core)
case "${1:-}" in
    bench) packages+=(libbenchmark-dev) ;;
    fuzz) packages+=(clang libclang-rt-14-dev) ;;
esac

ensure_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing missing Debian packages: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

configure_and_build() { # preset, [targets...]
    local preset=$1; shift
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset" -j "$jobs" "$@"
}

cmd=${1:-}
[ $# -gt 0 ] && shift
case "$cmd" in
    gallery)
        ensure_packages
        configure_and_build default --target nimb-gallery
        gallery="$here/build/default/examples/gallery/nimb-gallery"
        if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || [ "${QT_QPA_PLATFORM:-}" = offscreen ]; then
            out="$here/build/gallery-screenshots"
            QT_QPA_PLATFORM=offscreen "$gallery" --screenshots "$out" "$@"
        else
            exec "$gallery" "$@"
        fi
        ;;
    test)
        ensure_packages
        configure_and_build default
        ctest --preset default -j "$jobs"
        ;;
    asan)
        ensure_packages
        configure_and_build asan
        ctest --preset asan -j "$jobs"
        ;;
    bench)
        ensure_packages
        configure_and_build release
        for b in "$here"/build/release/benchmarks/bench_*; do
            [ -f "$b" ] && [ -x "$b" ] || continue
            QT_QPA_PLATFORM=offscreen "$b" "$@"
        done
        ;;
    fuzz)
        ensure_packages
        fuzz/run.sh "${1:-60}"
        ;;
    *)
        echo "usage: $0 gallery|test|asan|bench|fuzz [args]" >&2
        exit 2
        ;;
esac
