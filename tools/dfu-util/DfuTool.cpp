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

#include <cctype>
#include <fstream>
#include <memory>
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

std::optional<uint16_t> parseId(const std::string& text)
{
    if (text.size() != 4)
        return std::nullopt;
    uint16_t value = 0;
    for (char c : text) {
        if (!std::isxdigit(static_cast<unsigned char>(c)))
            return std::nullopt;
        value = uint16_t(value << 4 | std::stoi(std::string(1, c), nullptr, 16));
    }
    return value;
}

void writeLine(std::FILE* stream, const std::string& line)
{
    std::fputs(line.c_str(), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

int exitWith(ExitCode code)
{
    return int(code);
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

namespace {

int runWatch(const std::vector<std::string>& arguments, const char* simulator, std::FILE* out,
             std::FILE* err)
{
    const auto vendorId = arguments.size() == 3 ? parseId(arguments[1]) : std::nullopt;
    const auto productId = arguments.size() == 3 ? parseId(arguments[2]) : std::nullopt;
    if (!vendorId || !productId) {
        std::fputs(kUsage, err);
        return exitWith(ExitCode::Usage);
    }
    // Before libusb starts its event thread, which would otherwise take SIGTERM.
    const int stopSignals = blockStopSignals();
    std::unique_ptr<PresenceSource> source;
#ifdef VELT_DFU_WITH_SIMULATOR
    if (simulator && *simulator) {
        SimulatorSettingsResult parsed = parseSimulatorSettings(simulator);
        if (!parsed.settings) {
            writeLine(err, parsed.error);
            return exitWith(ExitCode::Usage);
        }
        source = std::make_unique<SimulatedPresence>(*parsed.settings);
    }
#else
    (void)simulator; // the installed tool talks to USB only
#endif
    if (!source)
        source = std::make_unique<LibusbPresence>(*vendorId, *productId);
    const int code = watchPresence(*source, STDIN_FILENO, stopSignals, out, err);
    if (stopSignals >= 0)
        ::close(stopSignals);
    return code;
}

} // namespace

std::optional<CommandLine> parseCommandLine(const std::vector<std::string>& arguments)
{
    if (arguments.size() != 3 || arguments[2].empty())
        return std::nullopt;
    const auto vendorId = parseId(arguments[0]);
    const auto productId = parseId(arguments[1]);
    if (!vendorId || !productId)
        return std::nullopt;
    return CommandLine{*vendorId, *productId, arguments[2]};
}

int runDfuTool(const std::vector<std::string>& arguments, const char* simulator, std::FILE* out,
               std::FILE* err)
{
    if (!arguments.empty() && arguments.front() == "--watch")
        return runWatch(arguments, simulator, out, err);
    const auto commandLine = parseCommandLine(arguments);
    if (!commandLine) {
        std::fputs(kUsage, err);
        return exitWith(ExitCode::Usage);
    }

#ifdef VELT_DFU_WITH_SIMULATOR
    std::optional<SimulatorSettings> settings;
    if (simulator && *simulator) {
        SimulatorSettingsResult parsed = parseSimulatorSettings(simulator);
        if (!parsed.settings) {
            writeLine(err, parsed.error);
            return exitWith(ExitCode::Usage);
        }
        settings = parsed.settings;
    }
#else
    (void)simulator; // the installed tool talks to USB only
#endif

    const DfuFileResult image =
        readDfuFile(commandLine->imagePath, commandLine->vendorId, commandLine->productId);
    if (image.error != DfuFileError::None) {
        writeLine(err, image.message);
        return exitWith(image.error == DfuFileError::Unreadable ? ExitCode::UnreadableImage
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
            return exitWith(ExitCode::UsbFailure);
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
    const DownloadOutcome outcome =
        downloader.download(commandLine->vendorId, commandLine->productId, image.file.payload);

#ifdef VELT_DFU_WITH_SIMULATOR
    if (device) {
        device->endRun();
        if (!settings->savePath.empty() && !saveImage(settings->savePath, device->image()))
            writeLine(out, "[w] Simulated device: cannot write " + settings->savePath + ".");
        if (!device->violations().empty()) {
            for (const std::string& violation : device->violations())
                writeLine(err, "Simulated device: the host broke the protocol: " + violation + ".");
            if (outcome.code != ExitCode::Success)
                writeLine(err, outcome.message);
            return exitWith(ExitCode::HostViolation);
        }
    }
#endif
    if (outcome.code != ExitCode::Success) {
        writeLine(err, outcome.message);
        return exitWith(outcome.code);
    }
    return exitWith(ExitCode::Success);
}

} // namespace velt::dfu
