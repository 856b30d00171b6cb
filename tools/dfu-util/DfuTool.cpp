// SPDX-License-Identifier: Apache-2.0
#include "DfuTool.h"

#include "DfuDownloader.h"
#include "DfuFile.h"
#include "LibusbPresence.h"
#include "LibusbTransport.h"
#include "PresenceWatch.h"
#include "SystemClock.h"
#include "UsbError.h"
#ifdef VELT_DFU_WITH_SIMULATOR
#include "SimulatedDevice.h"
#include "SimulatedPresence.h"
#include "SimulatedTransport.h"
#include "SimulatorSettings.h"
#endif

#include <charconv>
#include <fstream>
#include <memory>
#include <optional>
#include <unistd.h>

namespace velt::dfu {

namespace {

constexpr const char* kUsage =
    "Usage: dfu-util VID PID IMAGE\n"
    "       dfu-util --watch VID PID\n"
    "Writes IMAGE (a DFU file) into the USB device VID:PID in DFU mode.\n"
    "With --watch, prints the state of such a device now and at every change, one word a line\n"
    "(absent, present, several, denied, busy), until standard input ends or SIGTERM arrives.\n"
    "  VID, PID  the vendor and product id, four hexadecimal digits each (e.g. 0a12 ffff)\n"
    "  IMAGE     path of the firmware image\n";

// Exactly four hexadecimal digits.
std::optional<uint16_t> parseId(const std::string& text)
{
    uint16_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value, 16);
    if (text.size() != 4 || error != std::errc() || stop != end)
        return std::nullopt;
    return value;
}

void writeLine(std::FILE* stream, const std::string& line)
{
    std::fputs(line.c_str(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

#ifdef VELT_DFU_WITH_SIMULATOR

// The simulated device outlives one run of the tool the way a real one would only through this
// file: how many runs it has seen.
int countRun(const std::string& statePath)
{
    if (statePath.empty())
        return 0;
    int runs = 0;
    std::ifstream(statePath) >> runs;
    std::ofstream(statePath, std::ios::trunc) << runs + 1 << '\n';
    return runs;
}

bool saveImage(const std::string& path, const std::vector<uint8_t>& image)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
    return bool(file.flush());
}
#endif

} // namespace

int runDfuTool(const std::vector<std::string>& arguments, const char* simulator, std::FILE* out,
               std::FILE* err)
{
    const bool watch = !arguments.empty() && arguments.front() == "--watch";
    const auto id = [&](size_t i) {
        return arguments.size() == 3 ? parseId(arguments[i + (watch ? 1 : 0)]) : std::nullopt;
    };
    const auto vendorId = id(0);
    const auto productId = id(1);
    if (!vendorId || !productId || (!watch && arguments[2].empty())) {
        std::fputs(kUsage, err);
        return int(ExitCode::Usage);
    }

#ifdef VELT_DFU_WITH_SIMULATOR
    std::optional<SimulatorSettings> settings;
    if (simulator && *simulator) {
        SimulatorSettingsResult parsed = parseSimulatorSettings(simulator);
        if (!parsed.settings) {
            writeLine(err, parsed.error);
            return int(ExitCode::Usage);
        }
        settings = parsed.settings;
    }
#else
    (void)simulator; // the installed tool talks to USB only
#endif

    if (watch) {
        // Before libusb starts its event thread, which would otherwise take SIGTERM.
        const int stopSignals = blockStopSignals();
        std::unique_ptr<PresenceSource> source;
#ifdef VELT_DFU_WITH_SIMULATOR
        if (settings)
            source = std::make_unique<SimulatedPresence>(*settings);
#endif
        if (!source)
            source = std::make_unique<LibusbPresence>(*vendorId, *productId);
        const int code = watchPresence(*source, STDIN_FILENO, stopSignals, out, err);
        if (stopSignals >= 0)
            ::close(stopSignals);
        return code;
    }

    const DfuFileResult image = readDfuFile(arguments[2], *vendorId, *productId);
    if (image.error != DfuFileError::None) {
        writeLine(err, image.message);
        return int(image.error == DfuFileError::Unreadable ? ExitCode::UnreadableImage
                                                           : ExitCode::BadImage);
    }
    if (!image.file.hasSuffix) {
        writeLine(out, "[w] The image has no DFU suffix; sending the whole file (" +
                           std::to_string(image.file.payload.size()) + " bytes).");
    }

    SystemClock clock;
    std::unique_ptr<Transport> transport;
#ifdef VELT_DFU_WITH_SIMULATOR
    std::unique_ptr<SimulatedDevice> device;
    if (settings) {
        const bool failingRun = countRun(settings->statePath) < settings->failingRuns;
        device = std::make_unique<SimulatedDevice>(*settings, clock, failingRun);
        transport = std::make_unique<SimulatedTransport>(*device, clock, settings->latencyMs,
                                                         settings->count);
    }
#endif
    if (!transport) {
        auto usb = std::make_unique<LibusbTransport>();
        if (usb->initResult() < 0) {
            writeLine(err, "Cannot start libusb: " + usbErrorName(usb->initResult()) + ".");
            return int(ExitCode::UsbFailure);
        }
        transport = std::move(usb);
    }

    DownloadReporter reporter;
    reporter.info = [out](const std::string& line) {
        writeLine(out, line);
    };
    reporter.progress = [out](size_t written, size_t total) {
        std::fprintf(out, "[i] Downloading firmware - %zu of %zu\n", written, total);
        std::fflush(out);
    };
    DfuDownloader downloader(*transport, clock, reporter);
    const Outcome outcome = downloader.download(*vendorId, *productId, image.file.payload);

    ExitCode code = outcome.code;
#ifdef VELT_DFU_WITH_SIMULATOR
    if (device) {
        device->endRun();
        if (!settings->savePath.empty() && !saveImage(settings->savePath, device->image()))
            writeLine(out, "[w] Simulated device: cannot write " + settings->savePath + ".");
        for (const std::string& violation : device->violations()) {
            writeLine(err, "Simulated device: the host broke the protocol: " + violation + ".");
            code = ExitCode::HostViolation;
        }
    }
#endif
    if (outcome.failed())
        writeLine(err, outcome.message);
    return int(code);
}

} // namespace velt::dfu
