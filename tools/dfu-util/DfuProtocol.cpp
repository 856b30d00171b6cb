// SPDX-License-Identifier: Apache-2.0
#include "DfuProtocol.h"

#include <array>

namespace velt::dfu {

namespace {

constexpr std::array<const char*, kLastState + 1> kStateNames = {
    "appIDLE",        "appDETACH",        "dfuIDLE",     "dfuDNLOAD-SYNC",         "dfuDNBUSY",
    "dfuDNLOAD-IDLE", "dfuMANIFEST-SYNC", "dfuMANIFEST", "dfuMANIFEST-WAIT-RESET", "dfuUPLOAD-IDLE",
    "dfuERROR",
};

constexpr std::array<const char*, kLastStatus + 1> kStatusNames = {
    "OK",      "errTARGET", "errFILE",    "errWRITE",      "errERASE",    "errCHECK_ERASED",
    "errPROG", "errVERIFY", "errADDRESS", "errNOTDONE",    "errFIRMWARE", "errVENDOR",
    "errUSBR", "errPOR",    "errUNKNOWN", "errSTALLEDPKT",
};

template <typename Names> int indexOf(const Names& names, const std::string& name)
{
    for (size_t i = 0; i < names.size(); ++i) {
        if (name == names[i])
            return static_cast<int>(i);
    }
    return -1;
}

} // namespace

std::string stateName(int state)
{
    if (state >= 0 && state <= kLastState)
        return kStateNames[static_cast<size_t>(state)];
    return std::to_string(state); // callers say "state" before it
}

std::string statusName(int status)
{
    if (status >= 0 && status <= kLastStatus)
        return kStatusNames[static_cast<size_t>(status)];
    return "status " + std::to_string(status);
}

int statusFromName(const std::string& name)
{
    return indexOf(kStatusNames, name);
}

int stateFromName(const std::string& name)
{
    return indexOf(kStateNames, name);
}

} // namespace velt::dfu
