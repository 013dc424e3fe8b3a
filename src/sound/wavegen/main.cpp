// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the game's four wave files into the folder given on the command line.
#include "sound/wavegen/GameSounds.h"

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <output folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path folder(argv[1]);
    const struct {
        const char* name;
        Signal (*make)();
    } sounds[] = {
        {"Back1.wav", BackgroundMusic},
        {"Hit1.wav", TakeSound},
        {"No1.wav", RefusalSound},
        {"Win1.wav", ClearFanfare},
    };
    for (const auto& sound : sounds) {
        if (!WriteWaveFile(folder / sound.name, sound.make())) {
            std::fprintf(stderr, "cannot write %s\n", (folder / sound.name).string().c_str());
            return 1;
        }
    }
    return 0;
}
