# Debian packages the project needs, and the one way they get installed.
# Sourced by the scripts in scripts/.

# The native build, its tests and the programs around the plug-in; the
# preview reads audio with libsndfile and makes videos with ffmpeg.
NATIVE_PACKAGES=(cmake ninja-build g++ pkg-config googletest libbenchmark-dev libspng-dev libpixman-1-dev
    libcairo2-dev libfreetype-dev fonts-b612 fonts-quicksand fonts-dancingscript
    libsndfile1-dev ffmpeg)

# The Windows cross build and Wine, which runs its tests.
WINDOWS_PACKAGES=(g++-mingw-w64-x86-64-posix wine64)

# Installs whichever of the given packages are missing: with apt-get when run
# as root, otherwise it stops and prints the command to run.
require_packages() {
    local missing=() package
    for package in "$@"; do
        if [ "$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null)" != installed ]; then
            missing+=("$package")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    if [ "$(id -u)" -ne 0 ]; then
        echo "Missing Debian packages. Install them with:" >&2
        echo "  apt-get install -y --no-install-recommends ${missing[*]}" >&2
        exit 1
    fi
    echo "Installing ${missing[*]}" >&2
    apt-get update
    DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends "${missing[@]}"
}
