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
#include <cstdio>
#include <deque>
#include <gtest/gtest.h>
#include <linux/usbdevice_fs.h>
#include <memory>
#include <mutex>
#include <sys/ioctl.h>
#include <umockdev.h>

using namespace velt::dfu;

namespace {

constexpr const char* kDevicePath = "/dev/bus/usb/001/005";

std::string hex(const std::vector<uint8_t>& bytes)
{
    std::string text;
    char digits[3];
    for (uint8_t byte : bytes) {
        std::snprintf(digits, sizeof digits, "%02x", byte);
        text += digits;
    }
    return text;
}

// Device and configuration descriptors as the kernel shows them in sysfs: one interface of
// class 0xFE / 0x01 followed by the device's DFU functional descriptor.
std::string sysfsDescriptors(const SimulatedDevice& device)
{
    const UsbDeviceInfo info = device.describe();
    const UsbInterfaceInfo& interface = info.interfaces.front();
    const std::vector<uint8_t> deviceDescriptor = {18,   1,    0x10, 0x01, 0,    0, 0, 64, 0x12,
                                                   0x0a, 0xff, 0xff, 0x00, 0x01, 0, 0, 0,  1};
    const uint16_t total = uint16_t(9 + 9 + interface.extra.size());
    std::vector<uint8_t> configuration = {9,    2, uint8_t(total), uint8_t(total >> 8), 1, 1, 0,
                                          0x80, 50};
    const std::vector<uint8_t> interfaceDescriptor = {9,
                                                      4,
                                                      interface.number,
                                                      interface.alternateSetting,
                                                      0,
                                                      interface.interfaceClass,
                                                      interface.interfaceSubclass,
                                                      interface.interfaceProtocol,
                                                      0};
    configuration.insert(configuration.end(), interfaceDescriptor.begin(),
                         interfaceDescriptor.end());
    configuration.insert(configuration.end(), interface.extra.begin(), interface.extra.end());
    return hex(deviceDescriptor) + hex(configuration);
}

// Answers the usbfs ioctls libusb makes: claims succeed (or fail with `claimErrno`), control
// URBs go to the simulated device and complete at once, except those it leaves unanswered,
// which stay in flight until libusb discards them at its timeout.
class UsbfsDevice
{
public:
    UsbfsDevice(SimulatedDevice& device, int claimErrno)
        : m_device(device), m_claimErrno(claimErrno)
    {
    }

    static gboolean onIoctl(UMockdevIoctlBase*, UMockdevIoctlClient* client, gpointer self)
    {
        return static_cast<UsbfsDevice*>(self)->handle(client);
    }

private:
    struct Urb
    {
        UMockdevIoctlData* data;
        int status;
    };

    gboolean handle(UMockdevIoctlClient* client)
    {
        std::lock_guard lock(m_mutex);
        const gulong request = umockdev_ioctl_client_get_request(client);
        UMockdevIoctlData* argument = umockdev_ioctl_client_get_arg(client);
        switch (request) {
        case USBDEVFS_GET_CAPABILITIES: {
            UMockdevIoctlData* caps = umockdev_ioctl_data_resolve(argument, 0, 4, nullptr);
            *reinterpret_cast<guint32*>(caps->data) =
                USBDEVFS_CAP_NO_PACKET_SIZE_LIM | USBDEVFS_CAP_REAP_AFTER_DISCONNECT;
            g_object_unref(caps);
            umockdev_ioctl_client_complete(client, 0, 0);
            return TRUE;
        }
        case USBDEVFS_CLAIMINTERFACE:
        case USBDEVFS_DISCONNECT_CLAIM:
            umockdev_ioctl_client_complete(client, m_claimErrno ? -1 : 0, m_claimErrno);
            return TRUE;
        case USBDEVFS_RELEASEINTERFACE:
        case USBDEVFS_SETINTERFACE:
        case USBDEVFS_RESET:
            umockdev_ioctl_client_complete(client, 0, 0);
            return TRUE;
        case USBDEVFS_SUBMITURB:
            return submit(client, argument);
        case USBDEVFS_REAPURB:
        case USBDEVFS_REAPURBNDELAY:
            return reap(client, argument);
        case USBDEVFS_DISCARDURB:
            return discard(client, argument);
        default:
            return FALSE;
        }
    }

    gboolean submit(UMockdevIoctlClient* client, UMockdevIoctlData* argument)
    {
        UMockdevIoctlData* urbData =
            umockdev_ioctl_data_resolve(argument, 0, sizeof(usbdevfs_urb), nullptr);
        auto* urb = reinterpret_cast<usbdevfs_urb*>(urbData->data);
        if (urb->type != USBDEVFS_URB_TYPE_CONTROL || urb->buffer_length < 8) {
            g_object_unref(urbData);
            umockdev_ioctl_client_complete(client, -1, EINVAL);
            return TRUE;
        }
        UMockdevIoctlData* buffer = umockdev_ioctl_data_resolve(
            urbData, G_STRUCT_OFFSET(usbdevfs_urb, buffer), size_t(urb->buffer_length), nullptr);
        uint8_t* bytes = buffer->data;
        const ControlSetup setup{bytes[0], bytes[1], uint16_t(bytes[2] | bytes[3] << 8),
                                 uint16_t(bytes[4] | bytes[5] << 8)};
        const size_t length = size_t(bytes[6] | bytes[7] << 8);
        const int result = m_device.control(setup, std::span(bytes + 8, length));
        g_object_unref(buffer);
        umockdev_ioctl_client_complete(client, 0, 0);

        if (result == UsbErrorTimeout) {
            m_flying.push_back({urbData, -ENOENT});
            return TRUE;
        }
        urb->actual_length = result >= 0 ? result : 0;
        urb->status = result >= 0 ? 0 : result == UsbErrorPipe ? -EPIPE : -ENODEV;
        m_done.push_back({urbData, urb->status});
        return TRUE;
    }

    gboolean reap(UMockdevIoctlClient* client, UMockdevIoctlData* argument)
    {
        if (m_done.empty()) {
            umockdev_ioctl_client_complete(client, -1, EAGAIN);
            return TRUE;
        }
        const Urb urb = m_done.front();
        m_done.pop_front();
        reinterpret_cast<usbdevfs_urb*>(urb.data->data)->status = urb.status;
        UMockdevIoctlData* pointer =
            umockdev_ioctl_data_resolve(argument, 0, sizeof(void*), nullptr);
        umockdev_ioctl_data_set_ptr(pointer, 0, urb.data);
        g_object_unref(pointer);
        g_object_unref(urb.data);
        umockdev_ioctl_client_complete(client, 0, 0);
        return TRUE;
    }

    gboolean discard(UMockdevIoctlClient* client, UMockdevIoctlData* argument)
    {
        const gulong address = *reinterpret_cast<gulong*>(argument->data);
        for (auto it = m_flying.begin(); it != m_flying.end(); ++it) {
            if (it->data->client_addr == address) {
                m_done.push_back(*it);
                m_flying.erase(it);
                umockdev_ioctl_client_complete(client, 0, 0);
                return TRUE;
            }
        }
        umockdev_ioctl_client_complete(client, -1, EINVAL);
        return TRUE;
    }

    SimulatedDevice& m_device;
    int m_claimErrno = 0;
    std::mutex m_mutex;
    std::deque<Urb> m_flying;
    std::deque<Urb> m_done;
};

class LibusbUnderUmockdev : public ::testing::Test
{
protected:
    void SetUp() override
    {
        // The testbed turns the preloaded library on; without the preload it is a plain folder.
        m_testbed = umockdev_testbed_new();
        if (!umockdev_in_mock_environment())
            GTEST_SKIP() << "needs umockdev's preload: run under umockdev-wrapper (ctest does)";
        m_handler = umockdev_ioctl_base_new();
    }

    void TearDown() override
    {
        if (m_handler)
            g_object_unref(m_handler);
        if (m_testbed)
            g_object_unref(m_testbed);
    }

    // Plugs in the simulated device; libusb finds it through sysfs and opens its usbfs node.
    void plug(SimulatedDevice& device, int claimErrno = 0)
    {
        m_usbfs = std::make_unique<UsbfsDevice>(device, claimErrno);
        g_signal_connect_after(m_handler, "handle-ioctl", G_CALLBACK(UsbfsDevice::onIoctl),
                               m_usbfs.get());
        ASSERT_TRUE(umockdev_testbed_attach_ioctl(m_testbed, kDevicePath, m_handler, nullptr));
        const std::string description = std::string("P: /devices/pci0000:00/usb1/1-1\n"
                                                    "N: bus/usb/001/005\n"
                                                    "E: SUBSYSTEM=usb\n"
                                                    "E: DEVTYPE=usb_device\n"
                                                    "E: DRIVER=usb\n"
                                                    "E: BUSNUM=001\n"
                                                    "E: DEVNUM=005\n"
                                                    "E: DEVNAME=") +
                                        kDevicePath +
                                        "\n"
                                        "A: busnum=1\\n\n"
                                        "A: devnum=5\\n\n"
                                        "A: speed=12\\n\n"
                                        "A: bConfigurationValue=1\\n\n"
                                        "H: descriptors=" +
                                        sysfsDescriptors(device) + "\n";
        GError* error = nullptr;
        ASSERT_TRUE(umockdev_testbed_add_from_string(m_testbed, description.c_str(), &error))
            << (error ? error->message : "");
    }

    DownloadOutcome download(const std::vector<uint8_t>& payload)
    {
        LibusbTransport transport;
        EXPECT_EQ(transport.initResult(), 0);
        DownloadReporter reporter;
        reporter.info = [this](const std::string& line) {
            m_info.push_back(line);
        };
        reporter.progress = [this](size_t written, size_t) {
            m_written = written;
        };
        DfuDownloader downloader(transport, m_clock, reporter);
        return downloader.download(0x0a12, 0xffff, payload);
    }

    static SimulatorSettings settings(const std::string& text)
    {
        return *parseSimulatorSettings(text).settings;
    }

    static std::vector<uint8_t> payload(size_t size)
    {
        std::vector<uint8_t> bytes(size);
        for (size_t i = 0; i < size; ++i)
            bytes[i] = uint8_t(i ^ (i >> 8));
        return bytes;
    }

    SystemClock m_clock;
    UMockdevTestbed* m_testbed = nullptr;
    UMockdevIoctlBase* m_handler = nullptr;
    std::unique_ptr<UsbfsDevice> m_usbfs;
    std::vector<std::string> m_info;
    size_t m_written = 0;
};

} // namespace

TEST_F(LibusbUnderUmockdev, WritesTheImageThroughUsbfs)
{
    SimulatedDevice device(settings("poll-ms=1"), m_clock);
    plug(device);
    const std::vector<uint8_t> data = payload(3000);
    const DownloadOutcome outcome = download(data);
    EXPECT_EQ(outcome.code, ExitCode::Success) << outcome.message;
    EXPECT_EQ(device.image(), data);
    EXPECT_TRUE(device.violations().empty()) << device.violations().front();
    EXPECT_EQ(m_written, data.size());
    ASSERT_FALSE(m_info.empty());
    EXPECT_EQ(m_info.front(), "[i] Found 0a12:ffff in DFU mode (bus 1, address 5, DFU 1.0, "
                              "transfer size 1023 bytes).");
}

TEST_F(LibusbUnderUmockdev, StallComesBackAsPipe)
{
    SimulatedDevice stalling(settings("dnload-stall=1"), m_clock);
    plug(stalling);
    const DownloadOutcome stalled = download(payload(3000));
    EXPECT_EQ(stalled.code, ExitCode::DeviceError);
    EXPECT_EQ(stalled.message, "The device refused block 1 (LIBUSB_ERROR_PIPE): the device "
                               "reports state dfuERROR, status errSTALLEDPKT.");
}

TEST_F(LibusbUnderUmockdev, UnansweredStatusTimesOutAndIsAskedAgain)
{
    // libusb discards the URB at its timeout (3 s here); the downloader asks once more.
    SimulatedDevice device(settings("getstatus-timeouts=1@1"), m_clock);
    plug(device);
    const std::vector<uint8_t> data = payload(3000);
    const DownloadOutcome outcome = download(data);
    EXPECT_EQ(outcome.code, ExitCode::Success) << outcome.message;
    EXPECT_EQ(device.image(), data);
    // On opening, one per block and one more for block 1, two in manifestation.
    EXPECT_EQ(device.requestCount(Request::GetStatus), 1 + 3 + 1 + 2);
}

TEST_F(LibusbUnderUmockdev, VanishedDeviceComesBackAsNoDevice)
{
    SimulatedDevice device(settings("vanish=1"), m_clock);
    plug(device);
    const DownloadOutcome outcome = download(payload(3000));
    EXPECT_EQ(outcome.code, ExitCode::UsbFailure);
    EXPECT_EQ(outcome.message, "The device disconnected at block 1.");
}

TEST_F(LibusbUnderUmockdev, ClaimRefusedByAnotherDriver)
{
    SimulatedDevice device(settings("1"), m_clock);
    plug(device, EBUSY);
    const DownloadOutcome outcome = download(payload(100));
    EXPECT_EQ(outcome.code, ExitCode::CannotOpen);
    EXPECT_NE(outcome.message.find("LIBUSB_ERROR_BUSY"), std::string::npos) << outcome.message;
    EXPECT_TRUE(device.image().empty());
}

TEST_F(LibusbUnderUmockdev, NoDeviceMeansNoDfuMode)
{
    const DownloadOutcome outcome = download(payload(100));
    EXPECT_EQ(outcome.code, ExitCode::NoDfuDevice);
    EXPECT_EQ(outcome.message,
              std::string("No device 0a12:ffff is connected. ") + kEnterDfuModeMarker);
}
