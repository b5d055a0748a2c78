#!/usr/bin/env bash
# Builds, once per machine, a static Qt for mingw-w64 from Debian's source of the Qt that is
# installed, with only what the program uses; prints the folder it is installed in.
#
# The cache lives outside the clone, so every clone and build reuses it. The install goes to a
# temporary folder that is renamed into place only when whole: a killed build is never taken
# for a finished one. The build folder stays in the cache, so a killed build resumes.
set -euo pipefail
source "$(dirname "$0")/common.sh"

version=$(dpkg-query -W -f='${Version}' qt6-base-dev)  # e.g. 6.4.2+dfsg-10
upstream=${version%%+*}
cache=${XDG_CACHE_HOME:-$HOME/.cache}/kelvora-skin-manager
prefix=$cache/qt-$upstream-mingw-w64-static
work=$cache/qt-$upstream-mingw-w64-static.work

if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "$prefix"
    exit 0
fi

mkdir -p "$work"
# Two builds at once would share one build folder: the second waits for the first.
exec 9>"$work/lock"
flock 9
if [ -f "$prefix/lib/cmake/Qt6/Qt6Config.cmake" ]; then
    echo "$prefix"
    exit 0
fi

log=$work/build.log
echo "Building Qt $upstream for Windows into $prefix (once per machine; about 25 minutes on two cores; log: $log)" >&2

source_dir=$work/source
ksm_debian_source qt6-base "$version" "$work" "$log"

build_dir=$work/build
if [ ! -f "$build_dir/build.ninja" ]; then
    # Only what the program links: Core, Gui, Widgets, Concurrent, Test, the Windows platform
    # plugin and style, JPEG and PNG. Debian's source lacks wintab, hence no tablet events.
    cmake -G Ninja -S "$source_dir" -B "$build_dir" \
        -DCMAKE_TOOLCHAIN_FILE="$KSM_ROOT/cmake/mingw-w64.cmake" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_INSTALL_PREFIX="$prefix" -DCMAKE_BUILD_TYPE=Release -DBUILD_SHARED_LIBS=OFF \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_network=OFF -DFEATURE_sql=OFF -DFEATURE_xml=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_printsupport=OFF -DFEATURE_vulkan=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_freetype=OFF -DFEATURE_fontconfig=OFF \
        -DFEATURE_gif=OFF -DFEATURE_ico=ON -DFEATURE_accessibility=ON \
        -DFEATURE_testlib_selfcover=OFF >>"$log" 2>&1
fi
cmake --build "$build_dir" -j "$(nproc)" >>"$log" 2>&1

staging=$prefix.tmp-$$
rm -rf "$prefix".tmp-*
cmake --install "$build_dir" --prefix "$staging" >>"$log" 2>&1
mv -T "$staging" "$prefix"
echo "$prefix"
