// SPDX-License-Identifier: Apache-2.0
#include "SimulatorSettings.h"

#include "DfuProtocol.h"
#include "UsbError.h"

#include <charconv>
#include <functional>
#include <map>
#include <ranges>

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
    using Handler = std::function<bool(const std::string&)>;
    // Handlers for the common kinds of setting, each writing into its field.
    auto number = [&](uint64_t max, auto& field, uint64_t min = 0) -> Handler {
        return [&, max, min](const std::string& v) {
            const auto parsed = parseNumber(v);
            if (!parsed || *parsed > max)
                return bad("expected a number up to " + std::to_string(max));
            if (*parsed < min)
                return bad("must be at least " + std::to_string(min));
            field = static_cast<std::remove_reference_t<decltype(field)>>(*parsed);
            return true;
        };
    };
    auto blockOr = [&](const std::optional<std::string>& value, int64_t fallback, int64_t& field) {
        const auto parsed = value ? parseBlock(*value) : fallback;
        if (!parsed)
            return bad("expected a block number or \"end\"");
        field = *parsed;
        return true;
    };
    auto block = [&](int64_t& field) -> Handler {
        return [&](const std::string& v) {
            return blockOr(v, 0, field);
        };
    };
    auto path = [&](std::string& field) -> Handler {
        return [&](const std::string& v) {
            field = v;
            return !v.empty() || bad("expected a path");
        };
    };
    // A setting without a value; `apply` is what it does to the device.
    auto flag = [&](std::function<void()> apply) -> Handler {
        return [&, apply](const std::string& v) {
            apply();
            return v.empty() || bad("takes no value");
        };
    };

    // A setting that takes one of a few words.
    auto choice = [&](auto& field,
                      std::map<std::string, std::remove_reference_t<decltype(field)>> words,
                      const char* expected) -> Handler {
        return [&field, &bad, words, expected](const std::string& v) {
            const auto word = words.find(v);
            if (word == words.end())
                return bad(expected);
            field = word->second;
            return true;
        };
    };

    using Place = SimulatorSettings::DescriptorPlace;
    using Manifestation = SimulatorSettings::Manifestation;
    const std::map<std::string, Handler> handlers = {
        {"1", flag([] {})},
        {"absent", flag([&] { settings.absent = true; })},
        {"duplicate", flag([&] { settings.count = 2; })},
        {"dfu11", flag([&] { settings.dfu11 = true; })},
        {"transfer-size", number(0xFFFF, settings.transferSize, 1)},
        {"attributes", number(0xFF, settings.attributes)},
        {"not-tolerant", flag([&] { settings.attributes &= uint8_t(~0x04); })},
        {"will-detach", flag([&] { settings.attributes |= 0x08; })},
        {"detach-ms", number(0xFFFF, settings.detachTimeoutMs)},
        {"descriptor", choice(settings.descriptorPlace,
                              {{"interface", Place::Interface},
                               {"configuration", Place::Configuration},
                               {"request", Place::Request}},
                              "expected interface, configuration or request")},
        {"poll-ms", number(0xFFFFFF, settings.pollMs)},
        {"flash-kib", number(1024 * 1024, settings.flashKib)},
        {"latency-ms", number(60000, settings.latencyMs)},
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
        {"runtime", flag([&] { settings.runtime = true; })},
        {"no-return", flag([&] { settings.runtime = settings.neverReturns = true; })},
        {"busy", flag([&] { settings.openError = UsbErrorBusy; })},
        {"access", flag([&] { settings.openError = UsbErrorAccess; })},
        {"manifest-rounds", number(1000, settings.manifestRounds, 1)},
        {"manifest", choice(settings.manifestation,
                            {{"silent", Manifestation::Silent}, {"gone", Manifestation::Gone}},
                            "expected silent or gone")},
        {"getstatus-timeouts",
         [&](const std::string& v) {
             const auto [count, at] = splitAt(v);
             if (count == "forever")
                 settings.getStatusTimeouts = SimulatorSettings::kForever;
             else if (!number(1000000, settings.getStatusTimeouts)(count))
                 return false;
             return blockOr(at, SimulatorSettings::kNoBlock, settings.getStatusTimeoutsAt);
         }},
        {"short-status",
         [&](const std::string& v) {
             return blockOr(v.empty() ? std::nullopt : std::optional(v),
                            SimulatorSettings::kNoBlock, settings.shortStatusFrom);
         }},
        {"vanish", block(settings.vanishAt)},
        {"dnload-stall", block(settings.dnloadStallAt)},
        {"dnload-lost", block(settings.dnloadLostAt)},
        {"dnload-timeout", block(settings.dnloadTimeoutAt)},
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
             if (settings.oddState < 0 && !number(0xFF, settings.oddState)(state))
                 return false;
             return blockOr(at, 0, settings.oddStateAt);
         }},
        {"save", path(settings.savePath)},
        {"state", path(settings.statePath)},
        {"record", path(settings.recordPath)},
        {"presence-file", path(settings.presencePath)},
        {"failing-runs", number(1000, settings.failingRuns)},
    };

    for (const auto piece : std::views::split(text, ',')) {
        current.assign(piece.begin(), piece.end());
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
