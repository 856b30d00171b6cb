#!/usr/bin/env bash
# Builds the Debian package from a complete build and checks what a distribution gets: the
# files in their places and the shared-library dependencies read off the binaries.
#   deb-package.sh BUILD_DIR
set -euo pipefail
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.out" 2>&1 ||
    { cat "$work/cpack.out"; fail "cpack failed"; }
deb=$(find "$work" -maxdepth 1 -name '*.deb' | head -n 1)
[ -n "$deb" ] || fail "no package was made"
depends=$(dpkg-deb -f "$deb" Depends)
echo "$(basename "$deb")"
echo "Depends: $depends"
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libusb-1.0-0 qt6-qpa-plugins; do
    grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends does not name $package"
done

contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/velt-firmware-updater ./usr/libexec/velt-firmware-updater/dfu-util \
    ./usr/share/applications/com.veltaudio.FirmwareUpdater.desktop \
    ./usr/share/metainfo/com.veltaudio.FirmwareUpdater.metainfo.xml \
    ./usr/lib/udev/rules.d/70-velt-dfu.rules; do
    grep -qF " $file" <<<"$contents" || fail "the package lacks $file"
done
if grep -q 'velt-wizard-driver' <<<"$contents"; then
    fail "the package carries the test driver"
fi
