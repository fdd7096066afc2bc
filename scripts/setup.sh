# Shared by scripts/run and scripts/test: installs what is missing, then configures and builds.
# Usage: source this file, then call qx7_install_packages and qx7_build DIR [cmake options...].

QX7_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

QX7_PACKAGES=(
    cmake ninja-build g++ pkg-config clang-format
    qt6-base-dev qt6-declarative-dev qt6-svg-dev libqt6opengl6-dev libgl-dev libegl-dev
    qml6-module-qtquick qml6-module-qtquick-window qml6-module-qtquick-controls
    qml6-module-qtquick-layouts qml6-module-qtquick-templates qml6-module-qtqml
    qml6-module-qtqml-workerscript qml6-module-qtqml-models qml6-module-qttest
    libhidapi-dev libudev-dev
    xvfb xauth xdotool x11-utils python3 libxtst-dev libx11-dev libxcb1-dev
    fonts-noto-cjk fonts-noto-core
    libglib2.0-dev libglib2.0-bin gsettings-desktop-schemas
    g++-mingw-w64-x86-64
    clang libclang-rt-14-dev llvm-14
    dpkg-dev file
    dbus-daemon appstream
)

qx7_install_packages() {
    local missing=()
    local p
    for p in "${QX7_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# qx7_build DIR [cmake -D options...] [--target TARGETS...]
qx7_build() {
    local dir="$1"
    shift
    local options=() targets=()
    while [ $# -gt 0 ]; do
        if [ "$1" = "--target" ]; then
            shift
            targets=("$@")
            break
        fi
        options+=("$1")
        shift
    done
    if [ ! -f "$dir/build.ninja" ]; then
        cmake -S "$QX7_ROOT" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${options[@]}"
    fi
    if [ ${#targets[@]} -gt 0 ]; then
        cmake --build "$dir" --parallel "$(nproc)" --target "${targets[@]}"
    else
        cmake --build "$dir" --parallel "$(nproc)"
    fi
}
