# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by run.sh and test.sh: installs the Debian packages the build needs
# when any is missing (apt-get, through sudo when not root).

# qt6-tools-dev and qt6-l10n-tools build the translations (lrelease);
# qt6-translations-l10n holds Qt's own German for the standard buttons.
PRESETTA_PACKAGES=(cmake g++ ninja-build pkg-config qt6-base-dev qt6-serialport-dev libgl-dev
                   librsvg2-bin fonts-terminus-otb qt6-tools-dev qt6-l10n-tools qt6-tools-dev-tools
                   qt6-translations-l10n)
# What the tests run: the X server the screen test reads the window back from,
# the desktop-entry and AppStream validators, lintian,
# dpkg-shlibdeps for cpack, groff for the man pages, and clang with its
# libFuzzer and sanitizer runtimes for the fuzz smoke. test.sh expands it
# unquoted, so it is a plain string of names.
PRESETTA_TEST_PACKAGES="xvfb desktop-file-utils appstream dpkg-dev groff-base lintian clang libclang-rt-14-dev"

presetta_install() {
    local missing=()
    local p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root or sudo to install: ${missing[*]}" >&2; return 1; }
        sudo=(sudo)
    fi
    echo "Installing: ${missing[*]}"
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    "${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}
