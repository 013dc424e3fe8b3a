// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz entry for the stage-file reader (libFuzzer with -DZUMIRAK_FUZZ=ON and
// clang), also replayed by test_stage_file. Its promises: a refusal says
// why; an accepted file has a ball, a title of at most 32 characters, a
// layout that reads as its figure, and writes back to the same stage, as a
// file and as a stage code.
#include "stages/LayoutString.h"
#include "stages/StageCode.h"
#include "stages/StageFile.h"

#include <QList>

#include <cstdint>
#include <cstdlib>

// Reads one input, aborts on a broken promise, tells whether it was accepted.
bool ReadAndCheckStageFile(const std::uint8_t* data, std::size_t size)
{
    const auto require = [](bool promise) {
        if (!promise)
            std::abort();
    };
    const StageFileReading reading =
        ReadStageFile(QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size)));
    if (!reading.ok()) {
        require(!reading.reasonForLog.isEmpty());
        return false;
    }
    const StageText& stage = reading.stage;
    require(stage.figure.Count() > 0 && stage.title.toUcs4().size() <= LongestTitle);
    require(FigureOfLayout(stage.layout) == stage.figure);
    const StageFileReading again = ReadStageFile(WriteStageFile(stage.title, stage.figure));
    require(again.ok() && again.stage.title == stage.title && again.stage.figure == stage.figure);
    const StageCodeReading code = DecodeStageCode(EncodeStageCode(stage.title, stage.figure));
    require(code.ok() && code.title == stage.title && code.figure == stage.figure);
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ReadAndCheckStageFile(data, size);
    return 0;
}
