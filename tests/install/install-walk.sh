#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Installs the build into a temporary DESTDIR and checks what a user gets: the files in their
# places, --help and --version answered without a display, a flashing tool that talks to USB
# only, and an update from the installed tree: the installed program must start and fetch the
# catalogue, and the wizard, run from the installed bin/ folder, must find the flashing tool in
# libexec/ and write the served image.
#   install-walk.sh BUILD_DIR DEMO_DIR WIZARD_DRIVER VERSION
set -euo pipefail
build=$1 demo=$2 driver=$3 version=$4
here=$(dirname "$0")
source "$here/../../scripts/lib/common.sh"
source "$here/usb-only-tool.sh"

work=$(mktemp -d)
app_pid=""
VELT_SERVER_PID=""
cleanup() {
    [ -n "$app_pid" ] && kill "$app_pid" 2>/dev/null || true
    [ -n "$VELT_SERVER_PID" ] && kill "$VELT_SERVER_PID" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

DESTDIR="$work/root" cmake --install "$build" --prefix /usr >/dev/null
usr="$work/root/usr"
tool="/usr/libexec/velt-firmware-updater/dfu-util"
for file in bin/velt-firmware-updater libexec/velt-firmware-updater/dfu-util \
    share/applications/com.veltaudio.FirmwareUpdater.desktop \
    share/icons/hicolor/scalable/apps/com.veltaudio.FirmwareUpdater.svg \
    share/metainfo/com.veltaudio.FirmwareUpdater.metainfo.xml \
    share/doc/velt-firmware-updater/copyright share/man/man1/velt-firmware-updater.1.gz \
    lib/udev/rules.d/70-velt-dfu.rules; do
    [ -f "$usr/$file" ] || fail "not installed: /usr/$file"
done
[ -x "$work/root$tool" ] || fail "the tool is not executable"

# --help and --version as command-line programs answer them: on standard output, exit 0, and
# without a window system (no display, and Qt left to its default platform, which needs one).
for option in --help --version; do
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM timeout 30 \
        "$usr/bin/velt-firmware-updater" "$option" >"$work/option.out" 2>&1 ||
        { cat "$work/option.out"; fail "velt-firmware-updater $option failed"; }
    case $option in
        --help) grep -q -- '--version' "$work/option.out" ;;
        --version) grep -qx "velt-firmware-updater $version" "$work/option.out" ;;
    esac || { cat "$work/option.out"; fail "velt-firmware-updater $option: unexpected answer"; }
done

image="$demo/updater/dfu/velt-one-1.2.0.dfu"
velt_check_usb_only_tool "$work/root$tool" "$image" "$work" || fail "the installed tool is not USB-only"

velt_serve_folder "$demo" "$work"
export VELT_FIRMWARE_SERVER=$VELT_SERVER_ORIGIN
export HOME="$work/home"
export XDG_RUNTIME_DIR="$work/runtime"
unset XDG_CONFIG_HOME XDG_DOCUMENTS_DIR
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

# The installed program itself: it starts and lists the catalogue it fetched (then waits for
# a user, so it is stopped here).
"$usr/bin/velt-firmware-updater" >"$work/app.out" 2>&1 &
app_pid=$!
for _ in $(seq 100); do grep -q 'velt-one-1.2.0.dfu' "$work/app.out" && break; sleep 0.1; done
grep -q 'velt-one-1.2.0.dfu' "$work/app.out" || { cat "$work/app.out"; fail "the installed program did not load the catalogue"; }

# A second start by the same user is refused while the first runs: it says so and shows the
# alert (which nobody can answer here, so it is stopped once the line is out).
"$usr/bin/velt-firmware-updater" >"$work/second.out" 2>&1 &
second_pid=$!
for _ in $(seq 100); do grep -q 'Another instance is running' "$work/second.out" && break; sleep 0.1; done
kill "$second_pid" 2>/dev/null || true
wait "$second_pid" 2>/dev/null || true
grep -q "Another instance is running (process $app_pid," "$work/second.out" ||
    { cat "$work/second.out"; fail "a second start was not refused"; }
grep -q 'velt-one-1.2.0.dfu' "$work/second.out" && fail "the second start fetched the catalogue"
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=""

# The walk needs a device, and the only one here is the simulated one, which the installed tool
# must not reach. So the build tree's tool, simulator included, takes the installed tool's
# place: what the walk proves is that the installed program finds and runs the tool at its
# libexec place, and that an update through it works.
cp "$build/bin/resources/dfu-util" "$work/root$tool"
# The driver placed beside the installed program looks up its resources exactly as the
# program does.
cp "$driver" "$usr/bin/"
export VELT_DFU_SIMULATOR="1,save=$work/received"
"$usr/bin/velt-wizard-driver" --model "Velt One" --finish --timeout 60 >"$work/walk.out" 2>&1 ||
    { cat "$work/walk.out"; fail "the walk through the wizard failed"; }
grep -qF "$work/root$tool succeeded." "$work/walk.out" ||
    { cat "$work/walk.out"; fail "the update did not run $tool from the installed tree"; }

cmp "$image" "$HOME/Documents/veltFirmwareUpdate.dfu" || fail "the stored image differs from the served one"
head -c -16 "$image" | cmp - "$work/received" || fail "the device did not receive the image's payload"
echo "installed tree: the update ran with $tool"
