#!/usr/bin/env bash
# Builds the MinGW-w64 cross toolchain for the Windows build of Quorvane:
# Qt 6 (qtbase), TagLib, Exiv2 and libmagic, cross-compiled from Debian's own
# sources so that the Windows build uses the same versions as the Linux one.
#
# The result lives outside the repository, in a cache keyed by the source
# versions; a finished cache is reused at once. The last line on stdout is
# the install prefix, everything else goes to stderr:
#
#   prefix=$(packaging/windows/toolchain.sh)
#   cmake -DCMAKE_TOOLCHAIN_FILE="$prefix/toolchain.cmake" ...
#
#   packaging/windows/toolchain.sh --cached   # the prefix if already built, else exit 1
#
# Environment: QUORVANE_WIN_CACHE (default $XDG_CACHE_HOME/quorvane-win, else
# ~/.cache/quorvane-win),
# QUORVANE_WIN_JOBS (default 2).
set -Eeuo pipefail

readonly TRIPLE=x86_64-w64-mingw32
readonly HOST_QT_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake
readonly CACHE_ROOT=${QUORVANE_WIN_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/quorvane-win}
readonly JOBS=${QUORVANE_WIN_JOBS:-2}
# Bumped whenever the build recipe below changes, so an old cache is not reused.
readonly RECIPE=r2
# Other builds share these cores and come first.
readonly NICE=(nice -n 10)

readonly PACKAGES=(
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  mingw-w64-tools wine wine64 nsis dpkg-dev cmake ninja-build
  qt6-base-dev-tools qt6-base-dev pkg-config zip libgtest-dev
  gcc libc6-dev make patch autoconf automake libtool perl xz-utils
)
readonly SOURCES=(qt6-base taglib exiv2 file pcre2)

LOG=
CURRENT_STEP=setup

say() {
  printf 'toolchain.sh: %s\n' "$*" >&2
  if [[ -n $LOG ]]; then printf '[%(%F %T)T] %s\n' -1 "$*" >>"$LOG"; fi
}

die() {
  if [[ -n $LOG && -s $LOG ]]; then
    printf 'toolchain.sh: last lines of %s:\n' "$LOG" >&2
    tail -n 40 "$LOG" >&2
  fi
  say "FAILED in step '$CURRENT_STEP': $*"
  exit 1
}

trap 'die "command exited with status $? (line $LINENO)"' ERR

# Runs one command of the current step, output to the log only.
run() {
  "$@" >>"$LOG" 2>&1 || die "'$*' exited with status $?"
}

# The same in another folder.
run_in() {
  local dir=$1
  shift
  run env -C "$dir" "$@"
}

as_root() {
  if [[ $EUID -eq 0 ]]; then "$@"; else sudo "$@"; fi
}

ensure_packages() {
  local missing=() p
  for p in "${PACKAGES[@]}"; do
    [[ $(dpkg-query -W -f='${Status}' "$p" 2>/dev/null) == 'install ok installed' ]] ||
      missing+=("$p")
  done
  [[ ${#missing[@]} -eq 0 ]] && return 0
  say "installing ${missing[*]}"
  as_root apt-get update >&2
  as_root env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}" >&2
}

apt_has_sources() {
  [[ $(apt-cache showsrc qt6-base 2>/dev/null) == *Version:* ]]
}

# deb-src entries mirroring the Debian deb entries already configured, in the
# same format each came in.
ensure_deb_src() {
  if apt_has_sources; then return 0; fi
  say "adding deb-src entries for the configured Debian archive"
  local f deb822='' oneline=''
  for f in /etc/apt/sources.list.d/*.sources; do
    [[ -e $f ]] || continue
    deb822+=$(awk 'BEGIN { RS = ""; ORS = "\n\n" }
      /(^|\n)Types:([^\n]* )?deb( |\n|$)/ && !/(^|\n)Types:[^\n]*deb-src/ &&
      /(^|\n)URIs:[^\n]*debian/ && !/(^|\n)Enabled: *no/ {
        sub(/(^|\n)Types:[^\n]*/, "\nTypes: deb-src"); sub(/^\n/, ""); print }' "$f")
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [[ -e $f ]] || continue
    oneline+=$(sed -nE 's/^[[:space:]]*deb[[:space:]]+(.*debian.*)$/deb-src \1/p' "$f")$'\n'
  done
  [[ -n ${deb822//[[:space:]]/} || -n ${oneline//[[:space:]]/} ]] ||
    die "no Debian archive found in /etc/apt sources"
  if [[ -n ${deb822//[[:space:]]/} ]]; then
    printf '%s' "$deb822" | as_root tee /etc/apt/sources.list.d/quorvane-deb-src.sources >/dev/null
  fi
  if [[ -n ${oneline//[[:space:]]/} ]]; then
    printf '%s' "$oneline" | as_root tee /etc/apt/sources.list.d/quorvane-deb-src.list >/dev/null
  fi
  as_root apt-get update >&2
  apt_has_sources ||
    die "apt still knows no source packages after adding deb-src"
}

# All known Debian versions of a source package, newest first.
source_versions() {
  local v out=()
  while read -r v; do
    local i=0
    while ((i < ${#out[@]})) && dpkg --compare-versions "${out[i]}" ge "$v"; do ((++i)); done
    out=("${out[@]:0:i}" "$v" "${out[@]:i}")
  done < <(apt-cache showsrc "$1" | awk '/^Version:/ { print $2 }' | sort -u)
  ((${#out[@]})) || die "no source package $1 known to apt"
  printf '%s\n' "${out[@]}"
}

# 1:5.44-3 -> 5.44, 6.4.2+dfsg-10 -> 6.4.2
upstream_of() {
  local v=${1#*:}
  v=${v%-*}
  printf '%s' "${v%%+*}"
}

# Downloads and unpacks a source package into src/<name>; the newest version
# is tried first, older ones when a mirror lacks it (a security upload may be
# missing from a snapshot).
fetch_source() {
  local pkg=$1 dest=$SRC/$1 v dir
  [[ -e $STAMPS/src-$pkg ]] && return 0
  CURRENT_STEP="download $pkg"
  rm -rf "$dest"
  mkdir -p "$SRC/dl-$pkg"
  for v in $(source_versions "$pkg"); do
    say "downloading source $pkg $v"
    if (cd "$SRC/dl-$pkg" && apt-get source -q "$pkg=$v") >>"$LOG" 2>&1; then
      dir=${v#*:}
      dir=$SRC/dl-$pkg/$pkg-${dir%-*}
      [[ -d $dir ]] || die "apt-get source left no $dir"
      mv "$dir" "$dest"
      rm -rf "$SRC/dl-$pkg"
      touch "$STAMPS/src-$pkg"
      return 0
    fi
    say "source $pkg $v could not be fetched, trying an older one"
  done
  die "no version of source package $pkg could be fetched"
}

write_toolchain_file() {
  cat >"$PREFIX/toolchain.cmake" <<EOF
# MinGW-w64 cross toolchain for Quorvane, written by packaging/windows/toolchain.sh.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
# The posix thread model: Qt and std::thread need winpthreads.
set(CMAKE_C_COMPILER ${TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TRIPLE}-windres)
set(QUORVANE_WIN_PREFIX "$PREFIX")
set(CMAKE_FIND_ROOT_PATH "$PREFIX" /usr/${TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# moc, rcc, uic and qdbusxml2cpp run on the build machine.
set(QT_HOST_PATH /usr CACHE PATH "Host Qt")
set(QT_HOST_PATH_CMAKE_DIR ${HOST_QT_CMAKE_DIR} CACHE PATH "Host Qt CMake packages")
# pkg-config must see the Windows .pc files only.
set(ENV{PKG_CONFIG_LIBDIR} "$PREFIX/lib/pkgconfig")
set(ENV{PKG_CONFIG_PATH} "")
set(ENV{PKG_CONFIG_SYSROOT_DIR} "")
EOF
}

cmake_cross() {
  run "${NICE[@]}" cmake -G Ninja -Wno-dev \
    -DCMAKE_TOOLCHAIN_FILE="$PREFIX/toolchain.cmake" \
    -DCMAKE_BUILD_TYPE=Release "$@"
}

build_and_install() {
  run "${NICE[@]}" cmake --build "$1" --parallel "$JOBS"
  run "${NICE[@]}" cmake --install "$1"
}

# PCRE2's POSIX layer stands in for <regex.h>, which MinGW lacks. It is linked
# statically into libmagic, so only a private copy is installed.
build_pcre2() {
  [[ -e $STAMPS/pcre2 ]] && return 0
  CURRENT_STEP=pcre2
  say "building PCRE2 (static, for libmagic)"
  rm -rf "$BUILD/pcre2" "$DEPS"
  cmake_cross -S "$SRC/pcre2" -B "$BUILD/pcre2" -DCMAKE_INSTALL_PREFIX="$DEPS" \
    -DBUILD_SHARED_LIBS=OFF -DBUILD_STATIC_LIBS=ON -DPCRE2_BUILD_PCRE2_8=ON \
    -DPCRE2_BUILD_PCRE2_16=OFF -DPCRE2_BUILD_PCRE2_32=OFF -DPCRE2_SUPPORT_JIT=OFF \
    -DPCRE2_BUILD_PCRE2GREP=OFF -DPCRE2_BUILD_TESTS=OFF
  build_and_install "$BUILD/pcre2"
  # file's configure insists on libgnurx under MinGW; one archive with both
  # PCRE2 libraries answers to that name.
  printf 'CREATE libgnurx.a\nADDLIB libpcre2-posix.a\nADDLIB libpcre2-8.a\nSAVE\nEND\n' \
    >"$DEPS/gnurx.mri"
  run_in "$DEPS/lib" ${TRIPLE}-ar -M <"$DEPS/gnurx.mri"
  mkdir -p "$DEPS/regex-shim"
  printf '%s\n' '/* MinGW has no <regex.h>; PCRE2 provides the POSIX calls. */' \
    '#define PCRE2_STATIC 1' '#include <pcre2posix.h>' >"$DEPS/regex-shim/regex.h"
  touch "$STAMPS/pcre2"
}

readonly FILE_NO_COMPRESSION=(--disable-zlib --disable-bzlib --disable-xzlib
  --disable-zstdlib --disable-lzlib --disable-libseccomp)

# file 5.44 calls pipe(), which MinGW lacks (fixed upstream in 5.45); only
# the decompression helpers use it, so the CRT's _pipe() will do.
patch_file_pipe() {
  [[ -e $STAMPS/file-pipe-patch ]] && return 0
  CURRENT_STEP="file patch"
  run patch -d "$SRC/file" -p1 <<'EOF'
--- a/src/funcs.c
+++ b/src/funcs.c
@@ -875,6 +875,12 @@
 #endif
 }
 
+#if !defined(HAVE_PIPE2) && defined(_WIN32)
+#include <fcntl.h>
+#include <io.h>
+#define pipe(fds) _pipe(fds, 4096, _O_BINARY)
+#endif
+
 file_protected int
 file_pipe_closexec(int *fds)
 {
EOF
  touch "$STAMPS/file-pipe-patch"
}

# Debian's patches touch Makefile.am, so the autotools files are regenerated once.
prepare_file() {
  patch_file_pipe
  [[ -e $STAMPS/file-autoreconf ]] && return 0
  CURRENT_STEP="file autoreconf"
  say "regenerating file's build system"
  run_in "$SRC/file" "${NICE[@]}" autoreconf -fi
  touch "$STAMPS/file-autoreconf"
}

# The magic database is compiled by a native file(1) of the very same version.
build_file_native() {
  [[ -e $STAMPS/file-native ]] && return 0
  CURRENT_STEP="file (native)"
  say "building native file(1) to compile the magic database"
  rm -rf "$BUILD/file-native" && mkdir -p "$BUILD/file-native"
  run_in "$BUILD/file-native" "${NICE[@]}" "$SRC/file/configure" --prefix="$WORK/native" \
    --disable-shared --enable-static "${FILE_NO_COMPRESSION[@]}"
  run_in "$BUILD/file-native" "${NICE[@]}" make -j"$JOBS"
  [[ -x $BUILD/file-native/src/file ]] || die "native file(1) was not built"
  touch "$STAMPS/file-native"
}

build_libmagic() {
  [[ -e $STAMPS/libmagic ]] && return 0
  CURRENT_STEP="libmagic"
  say "cross-building libmagic"
  local native=$BUILD/file-native/src/file
  rm -rf "$BUILD/file" && mkdir -p "$BUILD/file"
  # PCRE2 exports regexec only as pcre2_regexec (a macro in its header), so
  # configure's plain link test for it is answered here. pass_all: libtool
  # would otherwise refuse to put the static PCRE2 into the DLL, and
  # --exclude-libs keeps PCRE2's symbols out of the DLL's exports.
  run_in "$BUILD/file" "${NICE[@]}" "$SRC/file/configure" --host=$TRIPLE --prefix="$PREFIX" \
    --enable-shared --disable-static "${FILE_NO_COMPRESSION[@]}" \
    CC=${TRIPLE}-gcc-posix CPPFLAGS="-I$DEPS/regex-shim -I$DEPS/include" \
    LDFLAGS="-L$DEPS/lib -Wl,--exclude-libs,ALL" ac_cv_lib_gnurx_regexec=yes lt_cv_deplibs_check_method=pass_all
  run_in "$BUILD/file" "${NICE[@]}" make -j"$JOBS" FILE_COMPILE="$native"
  run_in "$BUILD/file" "${NICE[@]}" make install FILE_COMPILE="$native"
  # The .la and the .pc's private libs would point later links at the
  # private PCRE2, which is inside the DLL already.
  rm -f "$PREFIX/lib/libmagic.la"
  run sed -i '/^Libs.private:/d' "$PREFIX/lib/pkgconfig/libmagic.pc"
  [[ -s $PREFIX/share/misc/magic.mgc ]] || die "magic.mgc was not installed"
  touch "$STAMPS/libmagic"
}

build_taglib() {
  [[ -e $STAMPS/taglib ]] && return 0
  CURRENT_STEP=taglib
  say "cross-building TagLib"
  # Debian's patch expects utf8cpp as a system library; use the bundled copy.
  mkdir -p "$DEPS/utf8cpp"
  ln -sfn "$SRC/taglib/3rdparty/utf8-cpp" "$DEPS/utf8cpp/utf8"
  rm -rf "$BUILD/taglib"
  cmake_cross -S "$SRC/taglib" -B "$BUILD/taglib" -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DCMAKE_CXX_FLAGS="-I$DEPS/utf8cpp" -DBUILD_SHARED_LIBS=ON -DWITH_ZLIB=OFF \
    -DBUILD_TESTING=OFF -DBUILD_EXAMPLES=OFF -DBUILD_BINDINGS=OFF
  build_and_install "$BUILD/taglib"
  [[ -s $PREFIX/lib/pkgconfig/taglib.pc ]] || die "taglib.pc was not installed"
  touch "$STAMPS/taglib"
}

# Exiv2 reads the date a photo was taken. Without XMP (it would need expat)
# and PNG (zlib); a DLL, so that its export macros need no static define.
build_exiv2() {
  [[ -e $STAMPS/exiv2 ]] && return 0
  CURRENT_STEP=exiv2
  say "cross-building Exiv2"
  rm -rf "$BUILD/exiv2"
  cmake_cross -S "$SRC/exiv2" -B "$BUILD/exiv2" -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DBUILD_SHARED_LIBS=ON -DEXIV2_ENABLE_XMP=OFF -DEXIV2_ENABLE_PNG=OFF \
    -DEXIV2_ENABLE_NLS=OFF -DEXIV2_ENABLE_BMFF=ON -DEXIV2_ENABLE_WEBREADY=OFF \
    -DEXIV2_ENABLE_CURL=OFF -DEXIV2_ENABLE_VIDEO=OFF -DEXIV2_BUILD_SAMPLES=OFF \
    -DEXIV2_BUILD_EXIV2_COMMAND=OFF -DEXIV2_BUILD_UNIT_TESTS=OFF -DEXIV2_BUILD_DOC=OFF \
    -DEXIV2_ENABLE_PRINTUCS2=OFF -DEXIV2_ENABLE_LENSDATA=ON -DEXIV2_ENABLE_DYNAMIC_RUNTIME=OFF
  build_and_install "$BUILD/exiv2"
  [[ -s $PREFIX/lib/pkgconfig/exiv2.pc ]] || die "exiv2.pc was not installed"
  touch "$STAMPS/exiv2"
}

# GoogleTest for the test suite, from the source Debian's libgtest-dev ships.
build_gtest() {
  [[ -e $STAMPS/gtest ]] && return 0
  CURRENT_STEP=googletest
  say "cross-building GoogleTest"
  rm -rf "$BUILD/gtest"
  cmake_cross -S /usr/src/googletest -B "$BUILD/gtest" -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DBUILD_GMOCK=OFF -DBUILD_SHARED_LIBS=OFF -Dgtest_disable_pthreads=OFF
  build_and_install "$BUILD/gtest"
  touch "$STAMPS/gtest"
}

# qtbase with what Quorvane links: Core, Gui, Widgets, DBus (loaded at run
# time, never linked), Test, the qwindows platform and the Windows styles.
build_qt() {
  [[ -e $STAMPS/qt ]] && return 0
  # A configured tree is kept, so an interrupted build resumes where it stopped.
  [[ -e $STAMPS/qt-configured ]] || configure_qt
  CURRENT_STEP="Qt build"
  say "building Qt, about 1,100 steps (log: $LOG)"
  build_and_install "$BUILD/qt"
  [[ -s $PREFIX/plugins/platforms/qwindows.dll ]] || die "qwindows.dll was not installed"
  touch "$STAMPS/qt"
}

# MinGW-w64 runs the destructors of thread_local objects after the thread's
# storage is freed, so Qt's thread_local JIT stack of QRegularExpression
# crashes every std::thread that matched a pattern, at its end. A plain
# pointer needs no destructor.
patch_qt_jit_stack() {
  [[ -e $STAMPS/qt-jit-stack-patch ]] && return 0
  CURRENT_STEP="Qt patch"
  run patch -d "$SRC/qt6-base" -p1 <<'EOF'
--- a/src/corelib/text/qregularexpression.cpp
+++ b/src/corelib/text/qregularexpression.cpp
@@ -954,7 +954,10 @@
             pcre2_jit_stack_free_16(stack);
     }
 };
-static thread_local std::unique_ptr<pcre2_jit_stack_16, PcreJitStackFree> jitStacks;
+// MinGW-w64 runs the destructors of thread_local objects after the thread's
+// storage is gone, so a plain pointer: the stack, made only for a match that
+// outgrows the default one, stays with the thread.
+static thread_local pcre2_jit_stack_16 *jitStacks = nullptr;
 }
 
 /*!
@@ -962,7 +965,7 @@
 */
 static pcre2_jit_stack_16 *qtPcreCallback(void *)
 {
-    return jitStacks.get();
+    return jitStacks;
 }
 
 /*!
@@ -1061,7 +1064,7 @@
     if (result == PCRE2_ERROR_JIT_STACKLIMIT && !jitStacks) {
         // The default JIT stack size in PCRE is 32K,
         // we allocate from 32K up to 512K.
-        jitStacks.reset(pcre2_jit_stack_create_16(32 * 1024, 512 * 1024, NULL));
+        jitStacks = pcre2_jit_stack_create_16(32 * 1024, 512 * 1024, NULL);
 
         result = pcre2_match_16(code, subject, length,
                                 startOffset, options, matchData, matchContext);
EOF
  touch "$STAMPS/qt-jit-stack-patch"
}

configure_qt() {
  patch_qt_jit_stack
  CURRENT_STEP="Qt configure"
  say "configuring Qt"
  rm -rf "$BUILD/qt"
  # Debian's source drops the bundled wintab.h, hence no tablet events; the
  # 6.4 qwindows plugin does not build without OpenGL, so that stays on.
  # direct2d1_1 only adds a second, unused platform plugin (DirectWrite
  # fonts need plain direct2d, which stays).
  cmake_cross -S "$SRC/qt6-base" -B "$BUILD/qt" -DCMAKE_INSTALL_PREFIX="$PREFIX" \
    -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=$HOST_QT_CMAKE_DIR \
    -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
    -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_printsupport=OFF \
    -DFEATURE_concurrent=OFF -DFEATURE_xml=OFF \
    -DFEATURE_dbus=ON -DFEATURE_dbus_linked=OFF \
    -DFEATURE_tabletevent=OFF -DFEATURE_direct2d1_1=OFF -DFEATURE_vulkan=OFF -DFEATURE_icu=OFF -DFEATURE_zstd=OFF \
    -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
    -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF \
    -DFEATURE_system_png=OFF -DFEATURE_system_jpeg=OFF \
    -DFEATURE_system_doubleconversion=OFF
  touch "$STAMPS/qt-configured"
}

main() {
  # --cached: print the prefix of a finished cache, or fail quietly; nothing
  # is installed or built.
  local cached=false
  [[ ${1:-} == --cached ]] && cached=true
  if $cached; then
    trap - ERR
    apt_has_sources && dpkg-query -W libgtest-dev >/dev/null 2>&1 || exit 1
  else
    ensure_packages
    ensure_deb_src
  fi

  local pkg key= newest
  declare -A ver
  for pkg in "${SOURCES[@]}"; do
    newest=$(source_versions "$pkg")
    ver[$pkg]=$(upstream_of "${newest%%$'\n'*}")
  done
  local gtest
  gtest=$(dpkg-query -W -f='${Version}' libgtest-dev)
  key="qt${ver[qt6-base]}-taglib${ver[taglib]}-exiv2-${ver[exiv2]}-file${ver[file]}-pcre2-${ver[pcre2]}-gtest$(upstream_of "$gtest")-$RECIPE"
  KEYDIR=$CACHE_ROOT/$key
  PREFIX=$KEYDIR/prefix
  WORK=$KEYDIR/work
  if [[ -e $KEYDIR/complete ]]; then
    printf '%s\n' "$PREFIX"
    return 0
  fi
  $cached && exit 1

  mkdir -p "$PREFIX" "$WORK"
  # One build per cache at a time; a second caller waits for the first.
  exec 9>"$KEYDIR/lock"
  flock 9
  if [[ -e $KEYDIR/complete ]]; then
    printf '%s\n' "$PREFIX"
    return 0
  fi

  SRC=$WORK/src BUILD=$WORK/build DEPS=$WORK/deps STAMPS=$WORK/stamps
  mkdir -p "$SRC" "$BUILD" "$STAMPS"
  LOG=$WORK/build.log
  say "building the Windows toolchain $key in $KEYDIR"
  write_toolchain_file

  for pkg in "${SOURCES[@]}"; do fetch_source "$pkg"; done
  # Qt first: it takes longest, and the small ones can be fixed while it builds.
  build_qt
  build_pcre2
  prepare_file
  build_file_native
  build_libmagic
  build_taglib
  build_exiv2
  build_gtest

  CURRENT_STEP=finish
  touch "$KEYDIR/complete"
  say "done; the build directories under $BUILD may be deleted"
  printf '%s\n' "$PREFIX"
}

main "$@"
