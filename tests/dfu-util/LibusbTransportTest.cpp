// SPDX-License-Identifier: Apache-2.0
// The libusb transport on the real libusb, with usbfs and sysfs emulated by umockdev: the
// simulated device answers the control URBs libusb submits. Runs under umockdev-wrapper
// (LD_PRELOAD of libumockdev-preload); without it the cases skip.
#include "LibusbTransport.h"

#include "DfuDownloader.h"
#include "SimulatedDevice.h"
#include "SimulatorSettings.h"
#include "SystemClock.h"
#include "UsbError.h"

#include <cerrno>
#include <deque>
#include <gtest/gtest.h>
#include <linux/usbdevice_fs.h>
#include <memory>
#include <numeric>
#include <sys/ioctl.h>
#include <umockdev.h>

using namespace velt::dfu;

namespace {

constexpr const char* kDevicePath = "/dev/bus/usb/001/005";

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
    SimulatedDevice& device;
    int claimErrno = 0;
    std::deque<UMockdevIoctlData*> done;

    static gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self)
    {
        auto* usbfs = static_cast<UsbfsDevice*>(self);
        UMockdevIoctlData* argument = umockdev_ioctl_client_get_arg(client);
        int error = 0;
        switch (umockdev_ioctl_client_get_request(client)) {
        case USBDEVFS_CLAIMINTERFACE:
        case USBDEVFS_DISCONNECT_CLAIM:
            error = usbfs->claimErrno;
            break;
        case USBDEVFS_RELEASEINTERFACE:
        case USBDEVFS_SETINTERFACE:
        case USBDEVFS_RESET:
            break;
        case USBDEVFS_SUBMITURB:
            usbfs->submit(argument);
            break;
        case USBDEVFS_REAPURB:
        case USBDEVFS_REAPURBNDELAY:
            error = usbfs->reap(argument);
            break;
        default:
            return FALSE;
        }
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
            device.control(setup, std::span(bytes + 8, size_t(bytes[6] | bytes[7] << 8)));
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

struct Case
{
    const char* settings; // null: nothing plugged in
    int claimErrno;
    ExitCode code;
    const char* message;
};

void PrintTo(const Case& c, std::ostream* out)
{
    *out << (c.settings ? c.settings : "nothing plugged in")
         << (c.claimErrno ? ", claim refused" : "");
}

// The testbed turns the preloaded library on; without the preload it is a plain folder.
class LibusbUnderUmockdev : public ::testing::TestWithParam<Case>
{
protected:
    ~LibusbUnderUmockdev() override
    {
        g_object_unref(m_handler);
        g_object_unref(m_testbed);
    }

    UMockdevTestbed* m_testbed = umockdev_testbed_new();
    UMockdevIoctlBase* m_handler = umockdev_ioctl_base_new();
};

} // namespace

TEST_P(LibusbUnderUmockdev, DownloadsThroughUsbfs)
{
    if (!umockdev_in_mock_environment())
        GTEST_SKIP() << "needs umockdev's preload: run under umockdev-wrapper (ctest does)";
    const Case& c = GetParam();
    SystemClock clock;
    std::unique_ptr<SimulatedDevice> device;
    std::unique_ptr<UsbfsDevice> usbfs;
    if (c.settings) {
        // Plugs in the simulated device; libusb finds it through sysfs and opens its usbfs node.
        device =
            std::make_unique<SimulatedDevice>(*parseSimulatorSettings(c.settings).settings, clock);
        usbfs.reset(new UsbfsDevice{*device, c.claimErrno, {}});
        g_signal_connect_after(m_handler, "handle-ioctl", G_CALLBACK(UsbfsDevice::onIoctl),
                               usbfs.get());
        ASSERT_TRUE(umockdev_testbed_attach_ioctl(m_testbed, kDevicePath, m_handler, nullptr));
        const std::string description =
            std::string("P: /devices/pci0000:00/usb1/1-1\nN: bus/usb/001/005\nE: SUBSYSTEM=usb\n"
                        "E: DEVTYPE=usb_device\nE: DRIVER=usb\nE: BUSNUM=001\nE: DEVNUM=005\n"
                        "E: DEVNAME=") +
            kDevicePath + "\nA: busnum=1\\n\nA: devnum=5\\n\nA: speed=12\\n\n" +
            "A: bConfigurationValue=1\\n\nH: descriptors=" + kDescriptors + "\n";
        ASSERT_TRUE(umockdev_testbed_add_from_string(m_testbed, description.c_str(), nullptr));
    }
    std::vector<uint8_t> payload(3000);
    std::iota(payload.begin(), payload.end(), uint8_t(0));
    LibusbTransport transport;
    ASSERT_EQ(transport.initResult(), 0);
    std::string info;
    DownloadReporter reporter;
    reporter.info = [&info](const std::string& line) {
        info += line + "\n";
    };
    const DownloadOutcome outcome =
        DfuDownloader(transport, clock, reporter).download(0x0a12, 0xffff, payload);
    EXPECT_EQ(std::pair(outcome.code, outcome.message), std::pair(c.code, std::string(c.message)));
    if (c.code == ExitCode::Success) {
        EXPECT_EQ(device->image(), payload);
        EXPECT_EQ(device->violations(), std::vector<std::string>());
        EXPECT_TRUE(info.starts_with("[i] Found 0a12:ffff in DFU mode (bus 1, address 5, "
                                     "DFU 1.0, transfer size 1023 bytes).\n"));
    }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LibusbUnderUmockdev,
    ::testing::Values(
        Case{"poll-ms=1", 0, ExitCode::Success, ""},
        Case{"dnload-stall=1", 0, ExitCode::DeviceError,
             "The device refused block 1 (LIBUSB_ERROR_PIPE): the device reports state dfuERROR, "
             "status errSTALLEDPKT."},
        Case{"vanish=1", 0, ExitCode::UsbFailure, "The device disconnected at block 1."},
        Case{"1", EBUSY, ExitCode::DeviceBusy,
             "Cannot open the device 0a12:ffff (LIBUSB_ERROR_BUSY): another program or driver is "
             "using it. Close other updaters, then unplug and reconnect the device."},
        Case{nullptr, 0, ExitCode::NoDfuDevice,
             "No device 0a12:ffff is connected. Failed to enter DFU mode."}));
