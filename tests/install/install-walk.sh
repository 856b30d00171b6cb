#!/usr/bin/env bash
# Installs the build into a temporary DESTDIR and updates the simulated device from there: the
# installed program must start and fetch the catalogue, and the wizard, run from the installed
# bin/ folder, must find the flashing tool in libexec/ and write the served image.
#   install-walk.sh BUILD_DIR DEMO_DIR WIZARD_DRIVER
set -euo pipefail
build=$1 demo=$2 driver=$3
source "$(dirname "$0")/../../scripts/lib/common.sh"

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
for file in bin/velt-firmware-updater libexec/velt-firmware-updater/dfu-util \
    share/applications/com.veltaudio.FirmwareUpdater.desktop \
    share/icons/hicolor/scalable/apps/com.veltaudio.FirmwareUpdater.svg \
    share/metainfo/com.veltaudio.FirmwareUpdater.metainfo.xml lib/udev/rules.d/70-velt-dfu.rules; do
    [ -f "$usr/$file" ] || fail "not installed: /usr/$file"
done
[ -x "$usr/libexec/velt-firmware-updater/dfu-util" ] || fail "the tool is not executable"

velt_serve_folder "$demo" "$work"
export VELT_FIRMWARE_SERVER=$VELT_SERVER_ORIGIN
export HOME="$work/home"
unset XDG_CONFIG_HOME XDG_DOCUMENTS_DIR
mkdir -p "$HOME"

# The installed program itself: it starts and lists the catalogue it fetched (then waits for
# a user, so it is stopped here).
"$usr/bin/velt-firmware-updater" >"$work/app.out" 2>&1 &
app_pid=$!
for _ in $(seq 100); do grep -q 'velt-one-1.2.0.dfu' "$work/app.out" && break; sleep 0.1; done
grep -q 'velt-one-1.2.0.dfu' "$work/app.out" || { cat "$work/app.out"; fail "the installed program did not load the catalogue"; }
kill "$app_pid"
wait "$app_pid" 2>/dev/null || true
app_pid=""

# The walk, with the driver placed beside the installed program so that it looks up its
# resources exactly as the program does.
cp "$driver" "$usr/bin/"
export VELT_DFU_SIMULATOR="1,save=$work/received"
"$usr/bin/velt-wizard-driver" --model "Velt One" --finish --timeout 60 >"$work/walk.out" 2>&1 ||
    { cat "$work/walk.out"; fail "the walk through the wizard failed"; }
tool="/usr/libexec/velt-firmware-updater/dfu-util"
grep -qF "$work/root$tool succeeded." "$work/walk.out" ||
    { cat "$work/walk.out"; fail "the update did not run $tool from the installed tree"; }

image="$demo/updater/dfu/velt-one-1.2.0.dfu"
cmp "$image" "$HOME/Documents/veltFirmwareUpdate.dfu" || fail "the stored image differs from the served one"
head -c -16 "$image" | cmp - "$work/received" || fail "the device did not receive the image's payload"
echo "installed tree: the update ran with $tool"
