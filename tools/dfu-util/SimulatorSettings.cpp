// SPDX-License-Identifier: Apache-2.0
#include "SimulatorSettings.h"

#include "DfuProtocol.h"
#include "UsbError.h"

#include <charconv>
#include <functional>
#include <map>

namespace velt::dfu {

namespace {

// Decimal, or hexadecimal with 0x.
std::optional<uint64_t> parseNumber(const std::string& text)
{
    int base = 10;
    std::string_view digits = text;
    if (digits.starts_with("0x") || digits.starts_with("0X")) {
        base = 16;
        digits.remove_prefix(2);
    }
    uint64_t value = 0;
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), value, base);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size())
        return std::nullopt;
    return value;
}

std::optional<int64_t> parseBlock(const std::string& text)
{
    if (text == "end")
        return SimulatorSettings::kEndBlock;
    const auto number = parseNumber(text);
    if (!number || *number > 0xFFFFFFFFu)
        return std::nullopt;
    return int64_t(*number);
}

// "VALUE" or "VALUE@BLOCK".
std::pair<std::string, std::optional<std::string>> splitAt(const std::string& text)
{
    const size_t at = text.find('@');
    if (at == std::string::npos)
        return {text, std::nullopt};
    return {text.substr(0, at), text.substr(at + 1)};
}

} // namespace

SimulatorSettingsResult parseSimulatorSettings(const std::string& text)
{
    SimulatorSettings settings;
    SimulatorSettingsResult result;
    std::string current;
    auto bad = [&](const std::string& why) {
        result.error = "VELT_DFU_SIMULATOR: \"" + current + "\": " + why;
        return false;
    };
    auto number = [&](const std::string& value, uint64_t max, auto& field) {
        const auto parsed = parseNumber(value);
        if (!parsed || *parsed > max)
            return bad("expected a number up to " + std::to_string(max));
        field = static_cast<std::remove_reference_t<decltype(field)>>(*parsed);
        return true;
    };
    auto block = [&](const std::string& value, int64_t& field) {
        const auto parsed = parseBlock(value);
        if (!parsed)
            return bad("expected a block number or \"end\"");
        field = *parsed;
        return true;
    };
    auto blockOr = [&](const std::optional<std::string>& value, int64_t fallback, int64_t& field) {
        if (!value) {
            field = fallback;
            return true;
        }
        return block(*value, field);
    };
    auto flag = [&](const std::string& value, bool& field) {
        if (!value.empty())
            return bad("takes no value");
        field = true;
        return true;
    };

    using Handler = std::function<bool(const std::string&)>;
    const std::map<std::string, Handler> handlers = {
        {"1",
         [&](const std::string& v) {
             return v.empty() || bad("takes no value");
         }},
        {"absent",
         [&](const std::string& v) {
             return flag(v, settings.absent);
         }},
        {"duplicate",
         [&](const std::string& v) {
             settings.count = 2;
             return v.empty() || bad("takes no value");
         }},
        {"dfu11",
         [&](const std::string& v) {
             return flag(v, settings.dfu11);
         }},
        {"transfer-size",
         [&](const std::string& v) {
             return number(v, 0xFFFF, settings.transferSize) &&
                    (settings.transferSize > 0 || bad("must be at least 1"));
         }},
        {"attributes",
         [&](const std::string& v) {
             return number(v, 0xFF, settings.attributes);
         }},
        {"not-tolerant",
         [&](const std::string& v) {
             settings.attributes &= uint8_t(~0x04);
             return v.empty() || bad("takes no value");
         }},
        {"will-detach",
         [&](const std::string& v) {
             settings.attributes |= 0x08;
             return v.empty() || bad("takes no value");
         }},
        {"detach-ms",
         [&](const std::string& v) {
             return number(v, 0xFFFF, settings.detachTimeoutMs);
         }},
        {"descriptor",
         [&](const std::string& v) {
             using Place = SimulatorSettings::DescriptorPlace;
             if (v == "interface")
                 settings.descriptorPlace = Place::Interface;
             else if (v == "configuration")
                 settings.descriptorPlace = Place::Configuration;
             else if (v == "request")
                 settings.descriptorPlace = Place::Request;
             else
                 return bad("expected interface, configuration or request");
             return true;
         }},
        {"poll-ms",
         [&](const std::string& v) {
             return number(v, 0xFFFFFF, settings.pollMs);
         }},
        {"flash-kib",
         [&](const std::string& v) {
             return number(v, 1024 * 1024, settings.flashKib);
         }},
        {"latency-ms",
         [&](const std::string& v) {
             return number(v, 60000, settings.latencyMs);
         }},
        {"start-state",
         [&](const std::string& v) {
             settings.startState = stateFromName(v);
             return settings.startState >= int(State::DfuIdle) || bad("expected a dfu* state name");
         }},
        {"start-status",
         [&](const std::string& v) {
             settings.startStatus = statusFromName(v);
             return settings.startStatus >= 0 || bad("expected a status name such as errWRITE");
         }},
        {"runtime",
         [&](const std::string& v) {
             return flag(v, settings.runtime);
         }},
        {"no-return",
         [&](const std::string& v) {
             settings.runtime = true;
             return flag(v, settings.neverReturns);
         }},
        {"busy",
         [&](const std::string& v) {
             settings.openError = UsbErrorBusy;
             return v.empty() || bad("takes no value");
         }},
        {"access",
         [&](const std::string& v) {
             settings.openError = UsbErrorAccess;
             return v.empty() || bad("takes no value");
         }},
        {"manifest-rounds",
         [&](const std::string& v) {
             return number(v, 1000, settings.manifestRounds) &&
                    (settings.manifestRounds > 0 || bad("must be at least 1"));
         }},
        {"manifest",
         [&](const std::string& v) {
             using Manifestation = SimulatorSettings::Manifestation;
             if (v == "silent")
                 settings.manifestation = Manifestation::Silent;
             else if (v == "gone")
                 settings.manifestation = Manifestation::Gone;
             else
                 return bad("expected silent or gone");
             return true;
         }},
        {"getstatus-timeouts",
         [&](const std::string& v) {
             const auto [count, at] = splitAt(v);
             if (count == "forever")
                 settings.getStatusTimeouts = SimulatorSettings::kForever;
             else if (!number(count, 1000000, settings.getStatusTimeouts))
                 return false;
             return blockOr(at, SimulatorSettings::kNoBlock, settings.getStatusTimeoutsAt);
         }},
        {"short-status",
         [&](const std::string& v) {
             return blockOr(v.empty() ? std::nullopt : std::optional(v),
                            SimulatorSettings::kNoBlock, settings.shortStatusFrom);
         }},
        {"vanish",
         [&](const std::string& v) {
             return block(v, settings.vanishAt);
         }},
        {"dnload-stall",
         [&](const std::string& v) {
             return block(v, settings.dnloadStallAt);
         }},
        {"dnload-lost",
         [&](const std::string& v) {
             return block(v, settings.dnloadLostAt);
         }},
        {"dnload-timeout",
         [&](const std::string& v) {
             return block(v, settings.dnloadTimeoutAt);
         }},
        {"error",
         [&](const std::string& v) {
             const auto [name, at] = splitAt(v);
             settings.errorStatus = statusFromName(name);
             if (settings.errorStatus <= 0)
                 return bad("expected an err* status name such as errWRITE");
             return blockOr(at, 0, settings.errorAt);
         }},
        {"odd-state",
         [&](const std::string& v) {
             const auto [state, at] = splitAt(v);
             settings.oddState = stateFromName(state);
             if (settings.oddState < 0 && !number(state, 0xFF, settings.oddState))
                 return false;
             return blockOr(at, 0, settings.oddStateAt);
         }},
        {"save",
         [&](const std::string& v) {
             settings.savePath = v;
             return !v.empty() || bad("expected a path");
         }},
        {"state",
         [&](const std::string& v) {
             settings.statePath = v;
             return !v.empty() || bad("expected a path");
         }},
        {"record",
         [&](const std::string& v) {
             settings.recordPath = v;
             return !v.empty() || bad("expected a path");
         }},
        {"presence-file",
         [&](const std::string& v) {
             settings.presencePath = v;
             return !v.empty() || bad("expected a path");
         }},
        {"failing-runs",
         [&](const std::string& v) {
             return number(v, 1000, settings.failingRuns);
         }},
    };

    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(',', start);
        if (end == std::string::npos)
            end = text.size();
        current = text.substr(start, end - start);
        start = end + 1;
        if (current.empty())
            continue;
        const size_t equals = current.find('=');
        const std::string name = current.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : current.substr(equals + 1);
        const auto handler = handlers.find(name);
        if (handler == handlers.end()) {
            bad("unknown setting (see tools/dfu-util/README.md)");
            return result;
        }
        if (!handler->second(value))
            return result;
    }
    if (settings.failingRuns > 0 && settings.statePath.empty()) {
        result.error = "VELT_DFU_SIMULATOR: failing-runs needs state=PATH to count runs";
        return result;
    }
    result.settings = settings;
    return result;
}

} // namespace velt::dfu
