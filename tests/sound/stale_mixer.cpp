// SPDX-License-Identifier: GPL-3.0-or-later
// A mixer module left over from another build: same name and entry point,
// another version of the table.
#include "sound/WaveMixLib.h"

namespace {
WaveMixLib StaleTable()
{
    WaveMixLib table{};
    table.version = WaveMixLibVersion - 1;
    return table;
}
const WaveMixLib stale = StaleTable();
} // namespace

extern "C" __attribute__((visibility("default"))) const WaveMixLib* ZumirakWaveMix()
{
    return &stale;
}
