# shellcheck shell=bash disable=SC2034  # sourced; the lists are used by the scripts
# Shared by the scripts: the Debian packages the project needs, and their
# installation when some are missing.

# What building and running the programs need: the compiler, CMake, Qt,
# GIO, the window font, the desktop's tools for the installed program, the
# manual pages' generator, and the solids' triangulation (CGAL) and 3MF
# writer (lib3mf).
POLYGRAV_RUN_PACKAGES=(
    build-essential cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools libgl-dev
    libglib2.0-dev libglib2.0-bin
    fonts-ipafont-gothic
    shared-mime-info desktop-file-utils xdg-utils
    libcairo2-dev libpng-dev libpolyclipping-dev
    qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
    scdoc libcgal-dev lib3mf-dev
)

# What building the Debian package adds (scripts/package).
POLYGRAV_PACKAGE_PACKAGES=(
    debhelper dpkg-dev fakeroot
)

# What only the tests, the fuzz targets and the benchmarks add: the test and
# benchmark libraries, clang with its sanitizer and fuzzer runtimes, a private
# X server with tools to drive and capture it, the German locale, the
# formatting check (which needs git to list the files) and the readers that
# check written drawings and solids.
POLYGRAV_TEST_PACKAGES=(
    libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-14-dev
    xvfb xauth xdotool x11-utils imagemagick libx11-dev librsvg2-bin
    time locales clang-format git
    python3-ezdxf poppler-utils librecad
    lintian appstream debootstrap
    linuxcnc-uspace hp2xx
    python3-shapely admesh prusa-slicer openscad
)

polygrav_root() {
    cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd
}

# True when dpkg has the package unpacked and configured. Triggers that are
# still pending (a database update after another installation) leave the
# package usable, so they count as installed.
polygrav_package_installed() {
    case "$(dpkg-query -W -f='${db:Status-Status}' "$1" 2>/dev/null)" in
        installed | triggers-pending | triggers-awaited) return 0 ;;
        *) return 1 ;;
    esac
}

# Installs with apt those of the named packages that are not installed yet.
#   polygrav_install_deps PACKAGE...
polygrav_install_deps() {
    local missing=()
    local p
    for p in "$@"; do
        if ! polygrav_package_installed "$p"; then
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
