// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/MixerModule.h"

#include "shared/AppPath.h"

#include <QCoreApplication>
#include <QLibrary>

namespace {

const WaveMixLib* loaded = nullptr;

void CloseDeviceAtExit()
{
    loaded->CloseDevice();
}

} // namespace

const WaveMixLib* LoadWaveMixer()
{
    if (loaded)
        return loaded;
    // Kept in memory until the process itself ends, whatever Qt unloads as
    // it winds down: SDL's audio thread runs in it and may still be running
    // when exit() is called (a lost display ends the program that way).
    QLibrary module(ProgramFolder() + QLatin1Char('/') + QLatin1String(WaveMixModuleFile));
    module.setLoadHints(QLibrary::PreventUnloadHint);
    using Entry = const WaveMixLib* (*)();
    const auto entry = reinterpret_cast<Entry>(module.resolve(WaveMixEntryPoint));
    const WaveMixLib* table = entry ? entry() : nullptr;
    // A module from another build would be called wrongly: better no sound.
    if (!table || table->version != WaveMixLibVersion)
        return nullptr;
    loaded = table;
    // A normal end closes the device from the window thread, with the
    // output awake, before anything is torn down.
    qAddPostRoutine(CloseDeviceAtExit);
    return loaded;
}
