# Shared by ./test, ./run and ./bench: packages, builds and a virtual display.

KSM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

KSM_PACKAGES=(
    cmake g++ pkg-config
    qt6-base-dev qt6-translations-l10n libxcb1-dev libxcb-res0-dev libarchive-dev
    libgtest-dev libbenchmark-dev
    xvfb xauth x11-utils openbox fonts-dejavu-core
    g++-mingw-w64-x86-64 libz-mingw-w64-dev wine64 locales ninja-build nsis
    dpkg-dev desktop-file-utils appstream shared-mime-info lintian
    clang-tidy
)

# Installs the Debian packages that are missing: one update, one install.
ksm_install_packages() {
    local missing=()
    for package in "${KSM_PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -q
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# ksm_build DIR [cmake options...]: configures and builds into DIR.
ksm_build() {
    local dir=$1
    shift
    cmake -S "$KSM_ROOT" -B "$dir" "$@"
    cmake --build "$dir" -j "$(nproc)"
}

# ksm_build_package DIR: the Debian package from a Release build of the
# program alone in DIR; prints the package's path.
ksm_build_package() {
    local dir=$1
    rm -f "$dir"/kelvora-skin-manager_*.deb
    # Installing builds nothing more: the package holds the program alone.
    cmake -S "$KSM_ROOT" -B "$dir" -DCMAKE_BUILD_TYPE=Release -DKSM_BUILD_TESTS=OFF \
        -DCMAKE_SKIP_INSTALL_ALL_DEPENDENCY=ON >/dev/null &&
        cmake --build "$dir" -j "$(nproc)" --target KelvoraSkinManager >/dev/null &&
        (cd "$dir" && cpack -G DEB >/dev/null) &&
        ls "$dir"/kelvora-skin-manager_*.deb
}

# Starts Xvfb on a free display and exports DISPLAY; the server ends with the script.
ksm_start_xvfb() {
    local display
    for display in $(seq 90 120); do
        [ -e "/tmp/.X${display}-lock" ] && continue
        Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp -noreset >/dev/null 2>&1 &
        KSM_XVFB_PID=$!
        for _ in $(seq 50); do
            if DISPLAY=":$display" xdpyinfo >/dev/null 2>&1; then
                export DISPLAY=":$display"
                trap 'kill $KSM_XVFB_PID 2>/dev/null' EXIT
                return 0
            fi
            kill -0 "$KSM_XVFB_PID" 2>/dev/null || break
            sleep 0.1
        done
        kill "$KSM_XVFB_PID" 2>/dev/null
    done
    return 1
}

# Fetches and unpacks, once, Debian's source of PACKAGE at VERSION (with Debian's
# patches) into WORK/source, through a private apt setup so that the machine's own
# is never changed; its output goes to LOG. A version that the archive no longer
# holds (a security update replaced it) gives way to the newest one.
#   ksm_debian_source PACKAGE VERSION WORK LOG
ksm_debian_source() {
    local package=$1 version=$2 work=$3 log=$4
    local source_dir=$work/source apt_dir=$work/apt
    [ -f "$source_dir/.complete" ] && return 0
    rm -rf "$apt_dir" "$source_dir" "$work/download"
    mkdir -p "$apt_dir/lists/partial" "$work/download"
    local uris
    uris=$(awk '/^URIs:/ { print $2; exit }' /etc/apt/sources.list.d/debian.sources 2>/dev/null || true)
    cat >"$apt_dir/source.sources" <<EOF
Types: deb-src
URIs: ${uris:-http://deb.debian.org/debian}
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: ${uris:-http://deb.debian.org/debian}-security
Suites: bookworm-security
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
EOF
    local apt_options=(-o Dir::Etc::sourcelist=/dev/null -o "Dir::Etc::sourceparts=$apt_dir"
        -o "Dir::State::Lists=$apt_dir/lists" -o Dir::Cache::pkgcache= -o Dir::Cache::srcpkgcache=)
    apt-get -q "${apt_options[@]}" update >>"$log" 2>&1
    (cd "$work/download" &&
        { apt-get -q "${apt_options[@]}" source --download-only "$package=$version" ||
            apt-get -q "${apt_options[@]}" source --download-only "$package"; }) >>"$log" 2>&1
    dpkg-source -x "$work/download"/*.dsc "$source_dir" >>"$log" 2>&1
    touch "$source_dir/.complete"
}
