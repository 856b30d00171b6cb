// SPDX-License-Identifier: Apache-2.0
// The settings of the simulated device, read from VELT_DFU_SIMULATOR: a comma-separated list
// such as "1", "transfer-size=64,latency-ms=2" or "error=errWRITE@3". README.md documents them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace velt::dfu {

struct SimulatorSettings
{
    // A block reference: the DNLOAD counted from 0 (not wrapped at 65536), or the end of image.
    static constexpr int64_t kNoBlock = -1;
    static constexpr int64_t kEndBlock = INT64_MAX;
    static constexpr int64_t kForever = INT64_MAX;

    enum class DescriptorPlace { Interface, Configuration, Request };
    enum class Manifestation { Answers, Silent, Gone };

    // Shape of the healthy device (the traits of 0a12:ffff devices by default).
    bool absent = false;
    int count = 1;
    bool dfu11 = false; // DFU 1.1 layout: protocols 1 / 2, 9-byte descriptor
    uint16_t transferSize = 1023;
    uint8_t attributes = 0x07;
    uint16_t detachTimeoutMs = 5000;
    DescriptorPlace descriptorPlace = DescriptorPlace::Interface;
    uint32_t pollMs = 0;
    uint32_t flashKib = 16384; // a block beyond the flash fails with errADDRESS
    uint32_t latencyMs = 0;
    int startState = 2; // dfuIDLE
    int startStatus = 0;
    bool runtime = false;
    bool neverReturns = false;
    int openError = 0; // a negative UsbError from open()
    int manifestRounds = 1;
    Manifestation manifestation = Manifestation::Answers;

    // Faults at a block.
    int64_t getStatusTimeouts = 0;
    int64_t getStatusTimeoutsAt = kNoBlock; // kNoBlock: before the first block is accepted
    int64_t shortStatusFrom = kNoBlock - 1; // below kNoBlock: never
    int64_t vanishAt = kNoBlock;
    int64_t dnloadStallAt = kNoBlock;
    int64_t dnloadLostAt = kNoBlock;
    int64_t dnloadTimeoutAt = kNoBlock;
    int errorStatus = 0;
    int64_t errorAt = kNoBlock;
    int oddState = -1;
    int64_t oddStateAt = kNoBlock;

    // Across runs and afterwards.
    std::string savePath;
    std::string statePath;
    // At the end of the run: what the device made of it (see SimulatedDevice::endRun).
    std::string recordPath;
    int failingRuns = 0;
    // The device is connected only while this file exists (empty: always).
    std::string presencePath;
};

struct SimulatorSettingsResult
{
    std::optional<SimulatorSettings> settings;
    std::string error; // names the setting that could not be read
};

SimulatorSettingsResult parseSimulatorSettings(const std::string& text);

} // namespace velt::dfu
