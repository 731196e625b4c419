#!/usr/bin/env bash
# Sets Quorvane up on a Debian 12 machine and builds it, then runs it or its tests.
#   ./bootstrap.sh run [FILE...]   build (Release) and start Quorvane on the files given
#   ./bootstrap.sh test            build (Debug) and run the whole test suite
#   ./bootstrap.sh sanitize        build with AddressSanitizer + UBSan and run the suite
#   ./bootstrap.sh tsan            build with ThreadSanitizer and run the suite
#   ./bootstrap.sh install         build (Release) and install into /usr/local (as root)
#   ./bootstrap.sh package         build (Release) the Debian package and print its path
#   ./bootstrap.sh windows         cross-build Quorvane.exe with MinGW-w64 (the toolchain
#                                  first, when its cache is missing), run the suite under
#                                  Wine, make the setup program and the portable zip
# Missing Debian packages are installed when run as root; otherwise the
# script names the apt-get command to run and stops.
set -euo pipefail
origin=$PWD
cd "$(dirname "$0")"

# libqt6svg6 draws the program's SVG icon; qt6-translations-l10n gives Qt's
# own dialogs their Japanese texts.
packages=(cmake ninja-build g++ pkg-config qt6-base-dev libqt6svg6 libgl-dev libicu-dev libtag1-dev libexiv2-dev libmagic-dev libmagic-mgc
          libgtest-dev libbenchmark-dev dbus-daemon fonts-noto-cjk clang-format git qt6-translations-l10n)
# The package is made with CPack's dpkg-shlibdeps and checked by the two
# freedesktop validators (packaging/check-package.sh).
package_tools=(dpkg-dev desktop-file-utils appstream)

ensure_packages() {
    local missing=()
    for p in "${packages[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Quorvane needs these Debian packages: ${missing[*]}" >&2
        echo "Install them with: sudo apt-get install ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing ${missing[*]}" >&2
    apt-get update -qq
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >&2
}

# CI (QUORVANE_CI=1) treats warnings as errors and keeps the benchmarks compiling.
ci_options=()
[ "${QUORVANE_CI:-0}" = 1 ] && ci_options=(-DQUORVANE_WERROR=ON)

build() { # build-dir, cmake options...
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja "${ci_options[@]}" "$@" >&2
    cmake --build "$dir" >&2
}

run_tests() { # build-dir
    # Tests never touch the user's settings: each test program points
    # QUORVANE_CONFIG_DIR at a temporary folder of its own.
    QT_QPA_PLATFORM=offscreen ctest --test-dir "$1" --output-on-failure -j "$(nproc)"
}

command=${1:-run}
[ $# -gt 0 ] && shift
case "$command" in
run)
    ensure_packages
    build build -DCMAKE_BUILD_TYPE=Release -DQUORVANE_TESTS=OFF -DQUORVANE_BENCH=OFF
    # Relative paths are meant from where the command was typed.
    repo=$PWD
    cd "$origin"
    exec "$repo/build/quorvane" "$@"
    ;;
test)
    ensure_packages
    build build-debug -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_BENCH="${QUORVANE_CI:-0}"
    run_tests build-debug
    ;;
sanitize)
    ensure_packages
    build build-sanitize -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_SANITIZE=ON -DQUORVANE_BENCH=OFF
    run_tests build-sanitize
    ;;
tsan)
    ensure_packages
    build build-tsan -DCMAKE_BUILD_TYPE=Debug -DQUORVANE_TSAN=ON -DQUORVANE_BENCH=OFF
    # Qt's own libraries are not built for ThreadSanitizer: what they touch
    # through its interceptors is not checked, only our code is.
    TSAN_OPTIONS="halt_on_error=1 ignore_noninstrumented_modules=1 suppressions=$PWD/tests/tsan.supp" \
        run_tests build-tsan
    ;;
install)
    ensure_packages
    build build -DCMAKE_BUILD_TYPE=Release -DQUORVANE_TESTS=OFF -DQUORVANE_BENCH=OFF
    cmake --install build
    ;;
package)
    packages+=("${package_tools[@]}")
    ensure_packages
    build build -DCMAKE_BUILD_TYPE=Release -DQUORVANE_TESTS=OFF -DQUORVANE_BENCH=OFF
    rm -f build/quorvane_*.deb
    (cd build && cpack -G DEB) >&2
    realpath build/quorvane_*.deb
    ;;
windows)
    # The toolchain prints its prefix last; it is built only when missing.
    prefix=$(packaging/windows/toolchain.sh | tail -n 1)
    build build-win -DCMAKE_TOOLCHAIN_FILE="$prefix/toolchain.cmake" -DCMAKE_BUILD_TYPE=Release \
        -DQUORVANE_BENCH=OFF
    # Each test program starts under Wine (packaging/windows/wine-run.sh),
    # all of them in one Wine server that ends on its own after the suite.
    # The tests named in wine-known-failures.txt are left out, and counted.
    known=$(sed -e 's/#.*//' -e 's/[[:space:]]//g' -e '/^$/d' packaging/windows/wine-known-failures.txt)
    echo "Windows suite: leaving out $(wc -l <<<"$known") tests named in packaging/windows/wine-known-failures.txt" >&2
    packaging/windows/wine-server.sh
    QT_QPA_PLATFORM=offscreen ctest --test-dir build-win --output-on-failure -j "$(nproc)" \
        -E "^($(paste -sd '|' <<<"$known"))\$" >&2
    version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-win/CMakeCache.txt)
    packaging/windows/package.sh build-win "$version"
    ;;
*)
    echo "usage: $0 run [FILE...] | test | sanitize | install | package | windows" >&2
    exit 2
    ;;
esac
