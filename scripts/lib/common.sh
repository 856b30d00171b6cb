# SPDX-License-Identifier: Apache-2.0
# Shared by scripts/test, scripts/demo and scripts/screenshots: the Debian packages the project
# needs, installed when missing. The scripts install with --no-install-recommends, so every
# package a step needs is named here, not left to a recommendation (qt6-base-dev only
# recommends libqt6opengl6-dev, yet Qt UiTools cannot be found without it).
# scripts/fresh-machine proves the lists on a minimal Debian 12 root.

# The application and its flashing tool: compilers, Qt (Widgets, Network, Concurrent, DBus and
# Xml come with qt6-base-dev; UiTools and the Linguist tools with qt6-tools-dev and
# qt6-l10n-tools), nlohmann-json, libusb.
VELT_BUILD_PACKAGES=(
    cmake ninja-build g++ pkg-config
    qt6-base-dev qt6-base-dev-tools libqt6opengl6-dev
    qt6-tools-dev qt6-tools-dev-tools qt6-l10n-tools
    nlohmann-json3-dev libusb-1.0-0-dev
)
# What a build with tests (the default) adds: GoogleTest and GoogleMock (Qt Test is part of
# qt6-base-dev).
VELT_TEST_BUILD_PACKAGES=(libgtest-dev libgmock-dev)
# Running the window without a display: the loopback web server, Xvfb, the fonts for the Latin
# and the Chinese, Japanese and Korean texts, and Qt's own texts in the application's languages.
VELT_RUN_PACKAGES=(python3 xvfb xauth fonts-dejavu-core fonts-noto-cjk qt6-translations-l10n)
# The rest of the suite: the fuzzers (clang and its libFuzzer runtime), the libusb transport
# under emulated usbfs, the benchmarks' baselines, the Debian package and the desktop metadata
# checks, the private message bus of the sleep inhibitor's tests, and the accessibility bus and
# its Python client that read the window as a screen reader does (dbus-send comes with
# dbus-x11's dbus-bin).
VELT_CHECK_PACKAGES=(
    clang libclang-rt-14-dev
    umockdev libumockdev-dev
    curl
    file dpkg-dev lintian appstream desktop-file-utils
    dbus-daemon
    at-spi2-core python3-pyatspi gir1.2-atspi-2.0 dbus-x11
)
VELT_PACKAGES=("${VELT_BUILD_PACKAGES[@]}" "${VELT_TEST_BUILD_PACKAGES[@]}"
    "${VELT_RUN_PACKAGES[@]}" "${VELT_CHECK_PACKAGES[@]}")

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

# Serves a folder over plain HTTP on a free port of 127.0.0.1, in the background: a real
# static web server, as a firmware server would be. Sets VELT_SERVER_PID and
# VELT_SERVER_ORIGIN (http://127.0.0.1:PORT). $1: the folder; $2: a scratch folder.
velt_serve_folder() {
    local site=$1 scratch=$2
    rm -f "$scratch/port"
    python3 - "$site" "$scratch/port" <<'PY' &
import functools, http.server, os, sys
class Quiet(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass
server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), functools.partial(Quiet, directory=sys.argv[1]))
with open(sys.argv[2] + ".tmp", "w") as f:
    f.write(str(server.server_address[1]))
os.rename(sys.argv[2] + ".tmp", sys.argv[2])
server.serve_forever()
PY
    VELT_SERVER_PID=$!
    local _
    for _ in $(seq 100); do [ -s "$scratch/port" ] && break; sleep 0.1; done
    if [ ! -s "$scratch/port" ]; then
        echo "error: the web server did not start" >&2
        return 1
    fi
    VELT_SERVER_ORIGIN="http://127.0.0.1:$(cat "$scratch/port")"
}
