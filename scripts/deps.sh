# SPDX-License-Identifier: MIT
# Installs, with apt-get, the Debian packages that building and testing need and that are
# missing. Sourced by the other scripts: `need_packages pkg...`.

need_packages() {
    local missing=()
    local pkg
    for pkg in "$@"; do
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q "install ok installed" ||
            missing+=("$pkg")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-qpa-plugins qt6-translations-l10n fonts-wine
                fonts-liberation2 fonts-dejavu-core libboost1.81-dev libjemalloc2 libminizip-dev
                libexpat1-dev)
# Making and checking the Debian package: dpkg-shlibdeps (dpkg-dev) and file for CPack, and the
# validators of the desktop entry and the AppStream file.
PACKAGE_PACKAGES=(dpkg-dev file desktop-file-utils appstream)
TEST_PACKAGES=(googletest libgtest-dev python3 python3-igraph python3-networkx python3-openpyxl
               python3-xlsxwriter python3-odf unrtf xvfb xauth x11-utils xdotool
               "${PACKAGE_PACKAGES[@]}")
