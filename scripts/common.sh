# Shared by ./test, ./run and ./bench: packages, builds and a virtual display.

KSM_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

KSM_PACKAGES=(
    cmake g++ pkg-config
    qt6-base-dev qt6-translations-l10n libxcb1-dev libxcb-res0-dev libarchive-dev
    libgtest-dev libbenchmark-dev
    xvfb xauth x11-utils openbox fonts-dejavu-core
    g++-mingw-w64-x86-64 wine64 locales ninja-build nsis
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
