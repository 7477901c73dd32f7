#!/usr/bin/env bash
# Builds libjpeg-turbo, libpng, libdeflate, libtiff and Little CMS 2 as static libraries
# from Debian's source packages, for both MinGW-w64 targets and for the
# native build (which thus tests and benchmarks the libraries the program
# ships with, not Debian's differently configured ones), into a cache outside
# the checkout: ${HUEMIRA_DEPS:-~/.cache/huemira-deps}/<triple>/{include,lib},
# the native triple being Debian's multiarch name (x86_64-linux-gnu). zlib is
# Debian's own: libz-mingw-w64-dev and zlib1g-dev (building it ourselves with
# other flags made PNG decoding no faster).
#
# Each library+version+configuration+target gets a stamp file once it is
# installed, so a warm cache costs a few apt-cache look-ups and no network; a
# new Debian version of a library (after apt-get update) is downloaded and
# built once, and so is a library whose build options below have changed.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/.." && pwd)
DEPS=${HUEMIRA_DEPS:-$HOME/.cache/huemira-deps}
JOBS=${JOBS:-2}
NATIVE=$(dpkg-architecture -qDEB_HOST_MULTIARCH) || { echo "deps: error: dpkg-architecture missing (install dpkg-dev)" >&2; exit 1; }
TRIPLES=(i686-w64-mingw32 x86_64-w64-mingw32 "$NATIVE")
# Bump to rebuild every library in every cache (for a change outside the
# build_* functions, whose own text is part of each library's stamp).
RECIPE=1

# Source package and the upstream series whose build options are known to work.
JPEG_SRC=libjpeg-turbo JPEG_SERIES="1:2.1.5-"
PNG_SRC=libpng1.6      PNG_SERIES="1.6.39-"
DEFLATE_SRC=libdeflate DEFLATE_SERIES="1.14-"
TIFF_SRC=tiff          TIFF_SERIES="4.5.0-"
LCMS_SRC=lcms2         LCMS_SERIES="2.14-"

say() { echo "deps: $*" >&2; }
is_mingw() { [[ $1 == *-mingw32 ]]; }
die() { say "error: $*"; exit 1; }

mkdir -p "$DEPS/src"
exec 9>"$DEPS/.lock"
flock 9 # two builds sharing the cache must not install over each other

# Versions of a source package that apt knows, newest first.
candidate_versions() {
  local src=$1 series=$2
  # Within one upstream series only the Debian revision differs, which
  # version sort orders correctly (2 < 2+deb12u1 < 2+deb12u2).
  apt-cache showsrc --only-source "$src" 2>/dev/null | sed -n 's/^Version: //p' |
    awk -v s="$series" 'index($0, s) == 1' | sort -u -V -r
}

dsc_name() { # source package, version -> file name of its .dsc (no epoch)
  echo "$1_${2#*:}.dsc"
}

# Picks the newest version that is already downloaded or that downloads now.
# The archive may list a security version it no longer serves (404); such a
# version is remembered so later runs do not ask again.
fetch_source() {
  local src=$1 series=$2 v dsc log
  local versions
  versions=$(candidate_versions "$src" "$series")
  [ -n "$versions" ] || die "apt knows no source of $src $series* (are deb-src entries present and apt-get update run?)"
  for v in $versions; do
    dsc=$(dsc_name "$src" "$v")
    [ -f "$DEPS/src/$dsc.unavailable" ] && continue
    if [ -f "$DEPS/src/$dsc" ]; then echo "$v"; return 0; fi
    say "downloading source $src=$v"
    log=$(cd "$DEPS/src" && apt-get source --download-only "$src=$v" 2>&1) && [ -f "$DEPS/src/$dsc" ] && {
      echo "$v"; return 0
    }
    if grep -q '404' <<<"$log"; then
      say "$src=$v is listed but not served; trying an older version"
      touch "$DEPS/src/$dsc.unavailable"
    else
      say "download of $src=$v failed:"; echo "$log" | tail -3 >&2
    fi
  done
  die "no version of $src could be downloaded"
}

# Unpacks a source package (with Debian's patches) into a fresh directory.
unpack() {
  local src=$1 v=$2 dest=$3
  mkdir -p "$(dirname "$dest")"
  # dpkg-source also links the upstream tarball beside DEST.
  dpkg-source --no-check -x "$DEPS/src/$(dsc_name "$src" "$v")" "$dest" >/dev/null
}

# cmake_build TRIPLE WORK_DIR [cmake options...]: configure, build and
# install WORK_DIR/src into the target's prefix. The output goes to a log
# beside the cache that is shown only when something fails.
cmake_build() {
  local triple=$1 work=$2; shift 2
  local srcdir="$work/src" builddir="$work/build" prefix="$DEPS/$triple"
  local log="$DEPS/logs/$triple-$(basename "$work").log" target
  mkdir -p "$DEPS/logs"
  if is_mingw "$triple"; then
    # Each function in a section of its own, so that the program's linker
    # leaves out what it never calls.
    target=(-DCMAKE_TOOLCHAIN_FILE="$root/cmake/toolchain-$triple.cmake" -DHUEMIRA_DEPS_DIR="$DEPS"
            -DCMAKE_C_FLAGS="-ffunction-sections -fdata-sections")
  else
    # Linked into position-independent executables; the libraries built
    # before (libjpeg, libdeflate) are taken from the prefix, not the system.
    target=(-DCMAKE_POSITION_INDEPENDENT_CODE=ON -DCMAKE_PREFIX_PATH="$prefix")
  fi
  # Absolute install directories: libjpeg-turbo resolves relative ones
  # against the current directory instead of the prefix.
  {
    cmake -S "$srcdir" -B "$builddir" -G Ninja "${target[@]}" \
      -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_INSTALL_PREFIX="$prefix" \
      -DCMAKE_INSTALL_LIBDIR="$prefix/lib" \
      -DCMAKE_INSTALL_INCLUDEDIR="$prefix/include" \
      -DBUILD_SHARED_LIBS=OFF \
      "$@" &&
    cmake --build "$builddir" -j "$JOBS" &&
    cmake --install "$builddir"
  } >"$log" 2>&1 || { tail -40 "$log" >&2; die "build failed, full log: $log"; }
}

build_jpeg() {
  cmake_build "$1" "$2" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF \
    -DWITH_SIMD=ON -DREQUIRE_SIMD=ON
}

build_png() {
  cmake_build "$1" "$2" \
    -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_EXECUTABLES=OFF -DPNG_TESTS=OFF \
    -Dld-version-script=OFF
}

# libdeflate 1.14 has only a Makefile. It names its MinGW static library
# libdeflatestatic.lib; installed as libdeflate.a, the usual name.
build_deflate() {
  local triple=$1 work=$2 prefix="$DEPS/$1" cc=gcc ar=ar lib=libdeflate.a flags=-fPIC
  local log="$DEPS/logs/$triple-$(basename "$work").log"
  if is_mingw "$triple"; then
    cc=$triple-gcc-posix ar=$triple-ar lib=libdeflatestatic.lib flags="-ffunction-sections -fdata-sections"
  fi
  mkdir -p "$DEPS/logs"
  {
    make -C "$work/src" -j "$JOBS" CC="$cc" AR="$ar" CFLAGS="$flags" "$lib" &&
    install -D -m 644 "$work/src/$lib" "$prefix/lib/libdeflate.a" &&
    install -D -m 644 "$work/src/libdeflate.h" "$prefix/include/libdeflate.h"
  } >"$log" 2>&1 || { tail -40 "$log" >&2; die "build failed, full log: $log"; }
}

# Deflate strips are decoded whole, which libtiff hands to libdeflate
# (zlib still serves partial reads and writing).
build_tiff() {
  cmake_build "$1" "$2" \
    -Dtiff-tools=OFF -Dtiff-tests=OFF -Dtiff-contrib=OFF -Dtiff-docs=OFF \
    -Dcxx=OFF -Dsphinx=OFF -Dtiff-opengl=OFF -Dld-version-script=OFF \
    -Djpeg=ON -Dold-jpeg=ON -Dzlib=ON -Dpixarlog=ON -Djpeg12=OFF \
    -Dlibdeflate=ON -Dlzma=OFF -Dzstd=OFF -Dwebp=OFF -Djbig=OFF -Dlerc=OFF
}

# Little CMS 2.14 builds with autotools (its meson files need a newer meson
# than Debian 12's). Only the library and its header are built: the tools
# would want libjpeg and libtiff. On Windows it locks with critical sections,
# whatever configure finds of pthreads.
build_lcms2() {
  local triple=$1 work=$2 prefix="$DEPS/$1" host=() flags="-O2"
  local log="$DEPS/logs/$triple-$(basename "$work").log"
  if is_mingw "$triple"; then
    host=(--host="$triple" CC="$triple-gcc-posix" AR="$triple-ar" RANLIB="$triple-ranlib")
    flags="-O2 -ffunction-sections -fdata-sections"
  else
    host=(--with-pic)
  fi
  mkdir -p "$DEPS/logs"
  {
    (cd "$work/src" && ./configure "${host[@]}" --prefix="$prefix" --libdir="$prefix/lib" \
       --includedir="$prefix/include" --disable-shared --enable-static \
       --without-jpeg --without-tiff --without-zlib CFLAGS="$flags") &&
    make -C "$work/src/src" -j "$JOBS" install &&
    make -C "$work/src/include" install
  } >"$log" 2>&1 || { tail -40 "$log" >&2; die "build failed, full log: $log"; }
}

# A short digest of how NAME is built: its build function and the shared
# cmake step. Part of the stamp, so that a library built with other options
# (libtiff without libdeflate, say) is built again rather than reused.
configuration() {
  { declare -f "build_$1"; declare -f cmake_build; } | sha1sum | cut -c1-10
}

# ensure NAME SRC VERSION: build NAME for every target that lacks its stamp.
# The work directory goes away after a good build; after a failed one it
# stays, with its log, for a look.
ensure() {
  local name=$1 src=$2 v=$3 triple stamps stamp work
  for triple in "${TRIPLES[@]}"; do
    stamps="$DEPS/$triple/stamps"
    stamp="$stamps/${src}_${v#*:}.r$RECIPE.$(configuration "$name")"
    # Another stamp of the library beside ours means that a build with other
    # options (an older checkout sharing the cache) has installed over ours.
    if [ -f "$stamp" ] && [ "$(find "$stamps" -name "${src}_*" ! -path "$stamp" | head -1)" = "" ]; then
      continue
    fi
    say "building $src $v for $triple"
    work="$DEPS/build/$triple/$src"
    rm -rf "$work"
    unpack "$src" "$v" "$work/src"
    "build_$name" "$triple" "$work"
    rm -rf "$work"
    mkdir -p "$stamps"
    # Whatever was built of this library before has just been installed over.
    rm -f "$stamps/${src}_"*
    date -u +%FT%TZ >"$stamp"
  done
}

for triple in "${TRIPLES[@]}"; do
  is_mingw "$triple" || continue
  [ -f "/usr/$triple/lib/libz.a" ] || die "/usr/$triple/lib/libz.a missing (install libz-mingw-w64-dev)"
  command -v "$triple-gcc-posix" >/dev/null || die "$triple-gcc-posix missing (install the MinGW-w64 posix compilers)"
done
[ -f /usr/include/zlib.h ] || die "/usr/include/zlib.h missing (install zlib1g-dev)"
command -v nasm >/dev/null || die "nasm missing (libjpeg-turbo's SIMD code needs it)"

jpeg_v=$(fetch_source "$JPEG_SRC" "$JPEG_SERIES")
png_v=$(fetch_source "$PNG_SRC" "$PNG_SERIES")
deflate_v=$(fetch_source "$DEFLATE_SRC" "$DEFLATE_SERIES")
tiff_v=$(fetch_source "$TIFF_SRC" "$TIFF_SERIES")
lcms_v=$(fetch_source "$LCMS_SRC" "$LCMS_SERIES")

# libtiff finds libjpeg and libdeflate in the cache, so they come first.
ensure jpeg "$JPEG_SRC" "$jpeg_v"
ensure png "$PNG_SRC" "$png_v"
ensure deflate "$DEFLATE_SRC" "$deflate_v"
ensure tiff "$TIFF_SRC" "$tiff_v"
ensure lcms2 "$LCMS_SRC" "$lcms_v"
say "ready in $DEPS: $JPEG_SRC $jpeg_v, $PNG_SRC $png_v, $DEFLATE_SRC $deflate_v, $TIFF_SRC $tiff_v, $LCMS_SRC $lcms_v"
