#!/usr/bin/env bash
# cmake/windows-deps.sh PREFIX
#
# Builds zlib, libpng and FreeType for x86_64-w64-mingw32, static, from
# Debian's source packages of the versions the Linux build uses (or, where
# the archive no longer serves that revision, the nearest one of the same
# upstream version), and installs them into PREFIX (bin/ lib/ include/).
# apt-get source fetches them through a deb-src list of the machine's own
# archive; dpkg-source -x checks every file against the checksums of the
# .dsc. The result is kept in ~/.cache/vexocnvt/windows-deps/KEY, KEY made
# of the versions and the compiler's, and copied from there when it exists.
set -euo pipefail

prefix=$(mkdir -p "$1" && cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
toolchain="$here/mingw-w64-x86_64.cmake"

version_of() { dpkg-query -W -f '${Version}' "$1" 2>/dev/null || true; }
zlib_version=$(version_of zlib1g)
png_version=$(version_of libpng-dev)
freetype_version=$(version_of libfreetype-dev)
compiler=$(x86_64-w64-mingw32-g++-posix -dumpversion)
key="zlib-${zlib_version//:/_}-png-$png_version-freetype-$freetype_version-gcc-$compiler"
cache="${XDG_CACHE_HOME:-$HOME/.cache}/vexocnvt/windows-deps/$key"

if [ -f "$cache/done" ]; then
  cp -a "$cache/." "$prefix/"
  echo "windows deps: from the cache ($cache)"
  exit 0
fi

work=$(mktemp -d /tmp/vexocnvt-windows-deps-XXXXXX)
trap 'rm -rf "$work"' EXIT
cd "$work"

# deb-src lines for the archive the machine installs from.
{
  for suite in bookworm bookworm-updates; do
    echo "deb-src http://deb.debian.org/debian $suite main"
  done
  echo "deb-src http://deb.debian.org/debian-security bookworm-security main"
} >sources.list
apt_opts=(-o Dir::Etc::SourceList="$work/sources.list" -o Dir::Etc::SourceParts=/dev/null
          -o Dir::State::Lists="$work/lists" -o Dir::Cache="$work/cache")
mkdir -p lists/partial cache/archives/partial
apt-get "${apt_opts[@]}" update -qq

# The source of `package` at `version`, else the newest of the same
# upstream version that the archive serves; unpacked (and checked) into
# ./package.
fetch() {
  local package=$1 version=$2 upstream=${2%-*}
  local candidates chosen=""
  candidates=$( { echo "$version"
                  apt-cache "${apt_opts[@]}" showsrc "$package" |
                    awk '/^Version:/ {print $2}' | grep -F "$upstream" |
                    sort -uVr; } | awk '!seen[$0]++')
  for candidate in $candidates; do
    if apt-get "${apt_opts[@]}" source --download-only -qq \
         "$package=$candidate" >/dev/null 2>&1; then
      chosen=$candidate
      break
    fi
  done
  if [ -z "$chosen" ]; then
    echo "windows deps: no source of $package $upstream can be fetched" >&2
    exit 1
  fi
  [ "$chosen" = "$version" ] ||
    echo "windows deps: $package $version is no longer served; using $chosen"
  dpkg-source --no-copy -x "$package"_"${chosen#*:}".dsc "$package" >/dev/null
  echo "$package $chosen" >>"$prefix/VERSIONS.txt"
}

: >"$prefix/VERSIONS.txt"
fetch zlib "$zlib_version"
fetch libpng1.6 "$png_version"
fetch freetype "$freetype_version"

build() {
  local source=$1
  shift
  cmake -S "$source" -B "build-$(basename "$source")" -G "Unix Makefiles" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_PREFIX_PATH="$prefix" \
    -DCMAKE_FIND_ROOT_PATH="$prefix;/usr/x86_64-w64-mingw32" "$@" >/dev/null
  cmake --build "build-$(basename "$source")" -j2 >/dev/null
  cmake --install "build-$(basename "$source")" >/dev/null
}

# zlib: the static library alone (Debian's source has no win32/ folder for
# the DLL's resources), installed by hand.
cmake -S zlib -B build-zlib -G "Unix Makefiles" \
  -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build-zlib -j2 --target zlibstatic >/dev/null
mkdir -p "$prefix/lib" "$prefix/include"
cp build-zlib/libzlibstatic.a "$prefix/lib/libz.a"
cp zlib/zlib.h build-zlib/zconf.h "$prefix/include/"
build libpng1.6 -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF \
  -DPNG_EXECUTABLES=OFF -DZLIB_LIBRARY="$prefix/lib/libz.a" \
  -DZLIB_INCLUDE_DIR="$prefix/include"
build freetype -DBUILD_SHARED_LIBS=OFF -DFT_DISABLE_HARFBUZZ=ON \
  -DFT_DISABLE_BZIP2=ON -DFT_DISABLE_BROTLI=ON -DFT_DISABLE_PNG=ON \
  -DFT_REQUIRE_ZLIB=ON -DZLIB_LIBRARY="$prefix/lib/libz.a" \
  -DZLIB_INCLUDE_DIR="$prefix/include"

# pkg-config files that hold wherever the prefix is copied to.
cat >"$prefix/lib/pkgconfig/zlib.pc" <<'PC'
prefix=${pcfiledir}/../..
libdir=${prefix}/lib
includedir=${prefix}/include
Name: zlib
Description: zlib compression library
Version: 1.2.13
Libs: -L${libdir} -lz
Cflags: -I${includedir}
PC
sed -i "s|$prefix|\${pcfiledir}/../..|g" "$prefix"/lib/pkgconfig/*.pc

mkdir -p "$cache"
cp -a "$prefix/." "$cache/"
touch "$cache/done"
echo "windows deps: built into $prefix"
