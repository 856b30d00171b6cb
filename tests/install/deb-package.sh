#!/usr/bin/env bash
# SPDX-License-Identifier: Apache-2.0
# Builds the Debian package from a complete build and checks what a distribution gets: the
# files in their places, the shared-library dependencies read off the binaries, the
# machine-readable copyright file, a flashing tool that talks to USB only, and no error from
# lintian (its warnings are printed).
#   deb-package.sh BUILD_DIR IMAGE
set -euo pipefail
build=$1 image=$2
source "$(dirname "$0")/usb-only-tool.sh"
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
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
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 libusb-1.0-0 qt6-qpa-plugins \
    qt6-translations-l10n; do
    grep -Eq "(^|, )$package( |,|$)" <<<"$depends" || fail "Depends does not name $package"
done

contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/velt-firmware-updater ./usr/libexec/velt-firmware-updater/dfu-util \
    ./usr/share/applications/com.veltaudio.FirmwareUpdater.desktop \
    ./usr/share/metainfo/com.veltaudio.FirmwareUpdater.metainfo.xml \
    ./usr/share/doc/velt-firmware-updater/copyright ./usr/lib/udev/rules.d/70-velt-dfu.rules; do
    grep -qF " $file" <<<"$contents" || fail "the package lacks $file"
done
if grep -q 'velt-wizard-driver' <<<"$contents"; then
    fail "the package carries the test driver"
fi

dpkg-deb -x "$deb" "$work/root"
copyright="$work/root/usr/share/doc/velt-firmware-updater/copyright"
head -n 1 "$copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file is not in the machine-readable format"
grep -q '^License: Apache-2.0$' "$copyright" || fail "the copyright file does not name Apache-2.0"
velt_check_usb_only_tool "$work/root/usr/libexec/velt-firmware-updater/dfu-util" "$image" "$work" ||
    fail "the packaged tool is not USB-only"

# Errors fail the package; warnings and the rest are shown for the reader.
lintian --fail-on error --display-level '>=warning' "$deb" >"$work/lintian.out" 2>&1 || {
    cat "$work/lintian.out"
    fail "lintian reports errors"
}
cat "$work/lintian.out"
