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
    // Never unloaded: SDL's threads and handlers live in it until the end.
    QLibrary module(ProgramFolder() + QLatin1Char('/') + QLatin1String(WaveMixModuleFile));
    using Entry = const WaveMixLib* (*)();
    const auto entry = reinterpret_cast<Entry>(module.resolve(WaveMixEntryPoint));
    const WaveMixLib* table = entry ? entry() : nullptr;
    // A module from another build would be called wrongly: better no sound.
    if (!table || table->version != WaveMixLibVersion) {
        module.unload();
        return nullptr;
    }
    loaded = table;
    qAddPostRoutine(CloseDeviceAtExit);
    return loaded;
}
