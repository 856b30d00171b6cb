# Shared by scripts/test, scripts/demo and scripts/screenshots: the Debian packages the project
# needs, installed when missing.
VELT_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    nlohmann-json3-dev libusb-1.0-0-dev libgtest-dev libgmock-dev
    clang libclang-rt-14-dev
    umockdev libumockdev-dev
    xvfb xauth fonts-noto-cjk python3 curl
)

velt_missing_packages() {
    local missing=() package
    for package in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$package")
        fi
    done
    printf '%s\n' "${missing[@]}"
}

velt_ensure_packages() {
    local missing
    mapfile -t missing < <(velt_missing_packages "$@")
    [ "${#missing[@]}" -eq 0 ] && return 0
    [ -z "${missing[0]}" ] && return 0
    echo "Installing missing packages: ${missing[*]}"
    if [ "$(id -u)" -ne 0 ] && ! command -v sudo >/dev/null; then
        echo "error: cannot install packages; run: apt-get install ${missing[*]}" >&2
        return 1
    fi
    local sudo=""
    [ "$(id -u)" -ne 0 ] && sudo="sudo"
    if ! { $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive \
            $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"; } ; then
        echo "error: package installation failed; run: apt-get install ${missing[*]}" >&2
        return 1
    fi
}

# Configures and builds one tree. $1: build folder; further arguments go to cmake.
velt_build() {
    local dir=$1; shift
    cmake -G Ninja -S "$VELT_ROOT" -B "$VELT_ROOT/$dir" "$@" >/dev/null
    cmake --build "$VELT_ROOT/$dir"
}
