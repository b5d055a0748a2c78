#!/usr/bin/env bash
# Builds, once per machine, a static libarchive for mingw-w64 from Debian's source of the
# libarchive that is installed, with liblzma (xz-utils) for 7z and .tar.xz and the zlib of
# libz-mingw-w64-dev for zip and .tar.gz; rar needs nothing more. Prints the folder it is
# installed in. Kept like the Qt for Windows (build-qt-windows.sh): in the cache outside the
# clone, installed into a temporary folder that is renamed into place only when whole.
set -euo pipefail
source "$(dirname "$0")/common.sh"

version=$(dpkg-query -W -f='${Version}' libarchive-dev) # e.g. 3.6.2-1+deb12u5
xz_version=$(dpkg-query -W -f='${Version}' liblzma-dev)
upstream=${version%%-*}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/kelvora-skin-manager
prefix=$cache/libarchive-$upstream-mingw-w64-static
work=$cache/libarchive-$upstream-mingw-w64-static.work
done_mark=lib/libarchive_static.a

[ -f "$prefix/$done_mark" ] && { echo "$prefix"; exit 0; }
mkdir -p "$work"
exec 9>"$work/lock"
flock 9
[ -f "$prefix/$done_mark" ] && { echo "$prefix"; exit 0; }

log=$work/build.log
echo "Building libarchive $upstream for Windows into $prefix (once per machine; log: $log)" >&2
staging=$prefix.tmp-$$
rm -rf "$prefix".tmp-*
toolchain=(-G Ninja -DCMAKE_TOOLCHAIN_FILE="$KSM_ROOT/cmake/mingw-w64.cmake"
    -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF -DCMAKE_INSTALL_PREFIX="$staging"
    -DCMAKE_PREFIX_PATH="$staging" -DCMAKE_FIND_ROOT_PATH="$staging")

ksm_debian_source xz-utils "$xz_version" "$work/xz" "$log"
cmake "${toolchain[@]}" -S "$work/xz/source" -B "$work/xz/build" >>"$log" 2>&1
cmake --build "$work/xz/build" --target liblzma >>"$log" 2>&1
for component in liblzma_Runtime liblzma_Development; do
    cmake --install "$work/xz/build" --component "$component" >>"$log" 2>&1
done

ksm_debian_source libarchive "$version" "$work/libarchive" "$log"
# Its check whether zlib wants ZLIB_WINAPI runs a program, which makes CMake crash when
# cross-compiling; on x86-64 Windows has one calling convention, so compiling is enough.
sed -i '/TRY_MACRO_FOR_LIBRARY(/,/ZLIB_WINAPI)/s/^      RUNS$/      COMPILES/' \
    "$work/libarchive/source/CMakeLists.txt"
# Only the library, and only the formats' own needs: no programs, tests, crypto
# libraries or ACLs (zip encryption is refused anyway). Its BLAKE2s, for RAR 5, is
# renamed: Qt's static core defines the same functions.
renamed=
for name in blake2s blake2s_final blake2s_init blake2s_init_key blake2s_init_param \
    blake2s_update blake2sp blake2sp_final blake2sp_init blake2sp_init_key blake2sp_update; do
    renamed+=" -D$name=archive_$name"
done
cmake "${toolchain[@]}" -S "$work/libarchive/source" -B "$work/libarchive/build" \
    -DCMAKE_C_FLAGS="$renamed" \
    -DENABLE_TAR=OFF -DENABLE_CPIO=OFF -DENABLE_CAT=OFF -DENABLE_TEST=OFF \
    -DENABLE_OPENSSL=OFF -DENABLE_MBEDTLS=OFF -DENABLE_NETTLE=OFF -DENABLE_CNG=OFF \
    -DENABLE_LIBB2=OFF -DENABLE_LZ4=OFF -DENABLE_ZSTD=OFF -DENABLE_BZip2=OFF \
    -DENABLE_LIBXML2=OFF -DENABLE_EXPAT=OFF -DENABLE_PCREPOSIX=OFF -DENABLE_ICONV=OFF \
    -DENABLE_ACL=OFF -DENABLE_XATTR=OFF -DENABLE_LZMA=ON -DENABLE_ZLIB=ON >>"$log" 2>&1
cmake --build "$work/libarchive/build" --target archive_static >>"$log" 2>&1
mkdir -p "$staging/lib" "$staging/include"
cp "$work/libarchive/build/libarchive/libarchive_static.a" "$staging/lib/"
cp "$work/libarchive/source/libarchive/archive.h" \
    "$work/libarchive/source/libarchive/archive_entry.h" "$staging/include/"
mv -T "$staging" "$prefix"
echo "$prefix"
