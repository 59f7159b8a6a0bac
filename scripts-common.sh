# Shared by run.sh and test.sh: installs what the build needs on Debian 12
# (only what is missing), then configures and builds.

set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"

PACKAGES=(
    build-essential cmake ninja-build pkg-config
    libgtest-dev libgmock-dev libbenchmark-dev
    qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-multimedia-dev qt6-svg-dev qt6-image-formats-plugins
    qt6-translations-l10n qt6-l10n-tools
    desktop-file-utils appstream shared-mime-info man-db
    libopenmpt-dev
    libosmium2-dev libprotozero-dev libexpat1-dev zlib1g-dev libbz2-dev liblz4-dev
    xvfb xauth fonts-dejavu-core
    python3 clang-format-14
)

install_missing_packages() {
    local missing=()
    for package in "${PACKAGES[@]}"; do
        dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$package")
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return
    fi
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Fails when a C++ source or header is not formatted as .clang-format says.
# Debian 12's clang-format 14 is called by its versioned name: other versions
# lay out some constructs differently.
check_format() {
    (cd "$ROOT" && find src tests bench fuzz \( -name '*.cpp' -o -name '*.h' \) -print0 |
        xargs -0 clang-format-14 --dry-run -Werror)
}

# configure_and_build DIR [cmake options...]
configure_and_build() {
    local dir="$1"
    shift
    cmake -S "$ROOT" -B "$dir" -G Ninja "$@"
    cmake --build "$dir" -j "$(nproc)"
}
