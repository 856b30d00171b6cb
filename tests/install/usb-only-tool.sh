# SPDX-License-Identifier: Apache-2.0
# Sourced by the install tests. Fails unless the given flashing tool ignores VELT_DFU_SIMULATOR:
# asked to write an image with the variable set (a healthy simulated device, with the files it
# would save the received image and its state in), a tool without the simulator finds no USB
# device, writes nothing and leaves both files unmade.
#   velt_check_usb_only_tool TOOL IMAGE SCRATCH_DIR
velt_check_usb_only_tool() {
    local tool=$1 image=$2 scratch=$3
    local status=0
    VELT_DFU_SIMULATOR="1,save=$scratch/sim-received,state=$scratch/sim-state" \
        timeout 60 "$tool" 0a12 ffff "$image" >"$scratch/tool.out" 2>"$scratch/tool.err" ||
        status=$?
    if [ "$status" -eq 0 ] || [ -e "$scratch/sim-received" ] || [ -e "$scratch/sim-state" ] ||
        grep -q 'Downloading firmware' "$scratch/tool.out"; then
        cat "$scratch/tool.out" "$scratch/tool.err"
        echo "FAIL: $tool wrote into the simulated device: it carries the simulator" >&2
        return 1
    fi
    # 124: the timeout ended it, which is a fault of its own.
    if [ "$status" -eq 124 ]; then
        echo "FAIL: $tool did not end within 60 s" >&2
        return 1
    fi
    echo "$tool ignores VELT_DFU_SIMULATOR (exit status $status: $(tail -n 1 "$scratch/tool.err"))"
}
