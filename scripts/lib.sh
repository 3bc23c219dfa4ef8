# Shared by the scripts: the Debian packages the project needs, and their
# installation when some are missing.

POLYGRAV_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libglib2.0-dev libglib2.0-bin
    libpolyclipping-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool x11-utils imagemagick libx11-dev librsvg2-bin
    fonts-ipafont-gothic
    desktop-file-utils shared-mime-info xdg-utils
    time locales clang-format
    # Building the export formats: cairo draws the PDF and PNG, libpng
    # encodes the PNG.
    libcairo2-dev libpng-dev
    # Tests only: the readers that check the written DXF, PDF and PNG files
    # (librsvg2-bin and imagemagick above serve them too).
    python3-ezdxf poppler-utils librecad
)

polygrav_root() {
    cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd
}

# Installs with apt the packages that are not installed yet.
polygrav_install_deps() {
    local missing=()
    local p
    for p in "${POLYGRAV_PACKAGES[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    if [ ${#missing[@]} -eq 0 ]; then
        return 0
    fi
    echo "Installing: ${missing[*]}"
    local sudo=""
    if [ "$(id -u)" -ne 0 ]; then
        sudo="sudo"
    fi
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# Generates the German locale that the tests use to show that numbers in
# files never follow the user's decimal comma. Needs root; skipped otherwise.
polygrav_ensure_test_locale() {
    if locale -a 2>/dev/null | grep -qi '^de_DE\.utf-\?8$'; then
        return 0
    fi
    if [ "$(id -u)" -eq 0 ] && command -v localedef >/dev/null 2>&1; then
        localedef -i de_DE -f UTF-8 de_DE.UTF-8 2>/dev/null || true
    fi
}
