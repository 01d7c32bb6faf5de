# Installs the Debian packages named as arguments when any of them is missing.
ensure_packages() {
    local missing=()
    for package in "$@"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -q
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
}

# The tools every build needs: CMake, Ninja, the native compiler and GoogleTest, and the
# MinGW-w64 cross compiler for the Windows program.
BUILD_PACKAGES=(cmake ninja-build g++ libgtest-dev googletest g++-mingw-w64-x86-64-posix
                binutils-mingw-w64-x86-64)
# What running the Windows program on Linux needs.
WINE_PACKAGES=(wine wine64 xvfb xauth xdotool x11-utils imagemagick)
WINE_PACKAGES+=(x11-apps)  # xwd, for screenshots of the virtual display
