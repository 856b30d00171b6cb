// SPDX-License-Identifier: Apache-2.0
#include "DfuProtocol.h"

#include <algorithm>
#include <array>

namespace velt::dfu {

namespace {

constexpr std::array kStateNames = {
    "appIDLE",        "appDETACH",        "dfuIDLE",     "dfuDNLOAD-SYNC",         "dfuDNBUSY",
    "dfuDNLOAD-IDLE", "dfuMANIFEST-SYNC", "dfuMANIFEST", "dfuMANIFEST-WAIT-RESET", "dfuUPLOAD-IDLE",
    "dfuERROR",
};

constexpr std::array kStatusNames = {
    "OK",      "errTARGET", "errFILE",    "errWRITE",      "errERASE",    "errCHECK_ERASED",
    "errPROG", "errVERIFY", "errADDRESS", "errNOTDONE",    "errFIRMWARE", "errVENDOR",
    "errUSBR", "errPOR",    "errUNKNOWN", "errSTALLEDPKT",
};

template <typename Names> int indexOf(const Names& names, const std::string& name)
{
    const auto found = std::find(names.begin(), names.end(), name);
    return found == names.end() ? -1 : int(found - names.begin());
}

} // namespace

std::string stateName(State state)
{
    if (size_t(state) < kStateNames.size())
        return kStateNames[size_t(state)];
    return std::to_string(int(state)); // callers say "state" before it
}

std::string statusName(Status status)
{
    if (size_t(status) < kStatusNames.size())
        return kStatusNames[size_t(status)];
    return "status " + std::to_string(int(status));
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
