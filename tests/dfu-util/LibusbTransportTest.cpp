// SPDX-License-Identifier: Apache-2.0
// The libusb transport and the watch on the real libusb, with usbfs and sysfs emulated by
// umockdev: the simulated device answers the control URBs libusb submits. Runs under
// umockdev-wrapper (LD_PRELOAD of libumockdev-preload); without it the cases skip.
#include "LibusbTransport.h"

#include "DfuDownloader.h"
#include "LibusbPresence.h"
#include "SimulatedDevice.h"
#include "SimulatorSettings.h"
#include "SystemClock.h"
#include "UsbError.h"

#include <algorithm>
#include <cerrno>
#include <deque>
#include <gtest/gtest.h>
#include <linux/capability.h>
#include <linux/usbdevice_fs.h>
#include <numeric>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <umockdev.h>
#include <unistd.h>

using namespace velt::dfu;

namespace {

// What the kernel shows in sysfs for the healthy simulated device: the device descriptor, then
// the configuration with one interface of class 0xFE / 0x01 and its 7-byte DFU 1.0 functional
// descriptor (attributes 0x07, detach 5000 ms, transfer size 1023).
constexpr const char* kDescriptors = "1201100100000040120affff000100000001"
                                     "090219000101008032"
                                     "0904000000fe010000"
                                     "0721078813ff03";

// Answers the usbfs ioctls libusb makes: claims succeed (or fail with `claimErrno`), control
// URBs go to the simulated device and complete at once.
struct UsbfsDevice
{
    SimulatedDevice* device;
    int claimErrno = 0;
    std::deque<UMockdevIoctlData*> done;

    static gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self)
    {
        auto* usbfs = static_cast<UsbfsDevice*>(self);
        UMockdevIoctlData* argument = umockdev_ioctl_client_get_arg(client);
        const auto request = umockdev_ioctl_client_get_request(client);
        int error = 0;
        if (request == USBDEVFS_CLAIMINTERFACE || request == USBDEVFS_DISCONNECT_CLAIM)
            error = usbfs->claimErrno;
        else if (request == USBDEVFS_SUBMITURB)
            usbfs->submit(argument);
        else if (request == USBDEVFS_REAPURB || request == USBDEVFS_REAPURBNDELAY)
            error = usbfs->reap(argument);
        else if (request != USBDEVFS_RELEASEINTERFACE && request != USBDEVFS_SETINTERFACE &&
                 request != USBDEVFS_RESET)
            return FALSE; // umockdev's own handling
        umockdev_ioctl_client_complete(client, error ? -1 : 0, error);
        return TRUE;
    }

    void submit(UMockdevIoctlData* argument)
    {
        UMockdevIoctlData* urbData =
            umockdev_ioctl_data_resolve(argument, 0, sizeof(usbdevfs_urb), nullptr);
        auto* urb =
            reinterpret_cast<usbdevfs_urb*>(urbData->data); // libusb sends control URBs only
        UMockdevIoctlData* buffer = umockdev_ioctl_data_resolve(
            urbData, G_STRUCT_OFFSET(usbdevfs_urb, buffer), size_t(urb->buffer_length), nullptr);
        uint8_t* bytes = buffer->data;
        const ControlSetup setup{bytes[0], bytes[1], uint16_t(bytes[2] | bytes[3] << 8),
                                 uint16_t(bytes[4] | bytes[5] << 8)};
        const int result =
            device->control(setup, std::span(bytes + 8, size_t(bytes[6] | bytes[7] << 8)));
        g_object_unref(buffer);
        urb->actual_length = std::max(result, 0);
        urb->status = result >= 0 ? 0 : result == UsbErrorPipe ? -EPIPE : -ENODEV;
        done.push_back(urbData);
    }

    int reap(UMockdevIoctlData* argument)
    {
        if (done.empty())
            return EAGAIN;
        UMockdevIoctlData* urb = done.front();
        done.pop_front();
        UMockdevIoctlData* pointer =
            umockdev_ioctl_data_resolve(argument, 0, sizeof(void*), nullptr);
        umockdev_ioctl_data_set_ptr(pointer, 0, urb);
        g_object_unref(pointer);
        g_object_unref(urb);
        return 0;
    }
};

// The testbed turns the preloaded library on; without the preload it is a plain folder.
class Umockdev : public ::testing::Test
{
protected:
    ~Umockdev() override
    {
        g_object_unref(m_handler);
        g_object_unref(m_testbed);
    }

    // Device `address` on bus 1 as sysfs describes it. libusb opens its usbfs node, whose ioctls
    // `usbfs` answers (without, the node is a plain file). Returns the node.
    std::string plugIn(char address, UsbfsDevice* usbfs = nullptr)
    {
        const std::string node = std::string("/dev/bus/usb/001/00") + address;
        if (usbfs) {
            g_signal_connect_after(m_handler, "handle-ioctl", G_CALLBACK(UsbfsDevice::onIoctl),
                                   usbfs);
            EXPECT_TRUE(umockdev_testbed_attach_ioctl(m_testbed, node.c_str(), m_handler, nullptr));
        }
        std::string description = "P: /devices/pci0000:00/usb1/1-X\nN: " + node.substr(5) +
                                  "\nE: SUBSYSTEM=usb\nE: DEVTYPE=usb_device\nE: DRIVER=usb\n"
                                  "E: BUSNUM=001\nE: DEVNUM=00X\nE: DEVNAME=" +
                                  node +
                                  "\nA: busnum=1\\n\nA: devnum=X\\n\nA: speed=12\\n\n"
                                  "A: bConfigurationValue=1\\n\nH: descriptors=" +
                                  kDescriptors;
        std::replace(description.begin(), description.end(), 'X', address);
        EXPECT_TRUE(umockdev_testbed_add_from_string(m_testbed, description.c_str(), nullptr));
        return node;
    }

    UMockdevTestbed* m_testbed = umockdev_testbed_new();
    UMockdevIoctlBase* m_handler = umockdev_ioctl_base_new();
};

} // namespace

// Stalls and disconnects come back from usbfs as the libusb errors the downloader tells apart.
TEST_F(Umockdev, DownloadsThroughUsbfs)
{
    if (!umockdev_in_mock_environment())
        GTEST_SKIP() << "needs umockdev's preload: run under umockdev-wrapper (ctest does)";
    SystemClock clock;
    UsbfsDevice usbfs{nullptr, 0, {}};
    plugIn('5', &usbfs);
    std::vector<uint8_t> payload(3000);
    std::iota(payload.begin(), payload.end(), uint8_t(0));
    const std::tuple<const char*, ExitCode, size_t, const char*> cases[] = {
        {"poll-ms=1", ExitCode::Success, 3000, ""},
        {"dnload-stall=1", ExitCode::DeviceError, 1023,
         "The device refused block 1 (LIBUSB_ERROR_PIPE): the device reports state dfuERROR, "
         "status errSTALLEDPKT."},
        {"vanish=1", ExitCode::UsbFailure, 1023, "The device disconnected at block 1."},
    };
    for (const auto& [settings, code, received, message] : cases) {
        SCOPED_TRACE(settings);
        SimulatedDevice device(*parseSimulatorSettings(settings).settings, clock);
        usbfs.device = &device;
        LibusbTransport transport;
        ASSERT_EQ(transport.initResult(), 0);
        std::string info;
        DownloadReporter reporter;
        reporter.info = [&info](const std::string& line) {
            info += line + "\n";
        };
        const Outcome outcome =
            DfuDownloader(transport, clock, reporter).download(0x0a12, 0xffff, payload);
        EXPECT_EQ(std::pair(outcome.code, outcome.message), std::pair(code, std::string(message)));
        EXPECT_EQ(device.image(), std::vector(payload.begin(), payload.begin() + received));
        EXPECT_EQ(device.violations(), std::vector<std::string>());
        EXPECT_TRUE(info.starts_with("[i] Found 0a12:ffff in DFU mode (bus 1, address 5, "
                                     "DFU 1.0, transfer size 1023 bytes).\n"));
    }
}

// The watch on the real libusb: the states that opening and claiming decide, and the changes
// that libusb's hotplug events bring.
TEST_F(Umockdev, WatchTellsTheDeviceStatesApart)
{
    if (!umockdev_in_mock_environment())
        GTEST_SKIP() << "needs umockdev's preload: run under umockdev-wrapper (ctest does)";
    SystemClock clock;
    SimulatedDevice device(*parseSimulatorSettings("1").settings, clock);
    UsbfsDevice usbfs{&device, EBUSY, {}};
    plugIn('5', &usbfs);
    LibusbPresence watch(0x0a12, 0xffff);
    ASSERT_EQ(watch.start().message, "");
    EXPECT_STREQ(deviceStateWord(watch.state()), "busy");
    usbfs.claimErrno = 0; // the other program let go
    watch.probe();
    EXPECT_STREQ(deviceStateWord(watch.state()), "present");
    const auto waitFor = [&watch](DeviceState state) {
        for (int wait = 0; wait < 50 && watch.state() != state; ++wait) {
            std::vector<pollfd> waits = watch.descriptors();
            ::poll(waits.data(), nfds_t(waits.size()), 100);
            EXPECT_EQ(watch.update().message, "");
        }
        return std::string(deviceStateWord(watch.state()));
    };
    const std::string second = plugIn('6');
    EXPECT_EQ(waitFor(DeviceState::Several), "several");

    // The one left has a node this user may not write; root is refused too, without the two
    // capabilities that override file permissions (for the rest of this process: it owns the
    // testbed's other files).
    g_autofree char* root = umockdev_testbed_get_root_dir(m_testbed);
    ASSERT_EQ(::chmod((root + second).c_str(), 0444), 0);
    umockdev_testbed_uevent(m_testbed, "/sys/devices/pci0000:00/usb1/1-5", "remove");
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct capabilities[2] = {};
    ASSERT_EQ(syscall(SYS_capget, &header, capabilities), 0);
    capabilities[0].effective &= ~(1u << CAP_DAC_OVERRIDE | 1u << CAP_DAC_READ_SEARCH);
    ASSERT_EQ(syscall(SYS_capset, &header, capabilities), 0);
    EXPECT_EQ(waitFor(DeviceState::Denied), "denied");
}
