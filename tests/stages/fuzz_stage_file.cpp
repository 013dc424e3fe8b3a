// Fuzz entry for the stage-file reader. Built as a libFuzzer target with
// -DZUMIRAK_FUZZ=ON (clang), and linked into an ordinary test that replays
// the nasty files.
//
// Besides not crashing, the reader must keep its promises: a refused file
// comes with a reason for the player and one for the log; an accepted one
// has at least one ball, a title of at most 32 characters, a layout that
// reads as its figure, and writes back to a file that reads as the same
// stage.
#include "stages/StageFile.h"

#include <QList>

#include <cstdint>
#include <cstdlib>

namespace {

void Require(bool promise)
{
    if (!promise)
        std::abort();
}

} // namespace

// Reads one input, aborts on a broken promise, tells whether it was accepted.
bool ReadAndCheckStageFile(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const StageFileReading reading = ReadStageFile(bytes);
    if (!reading.ok()) {
        Require(!reading.reasonForLog.isEmpty());
        return false;
    }
    const StageText& stage = reading.stage;
    Require(stage.figure.Count() > 0);
    Require(stage.title.toUcs4().size() <= LongestTitle);
    Require(FigureOfLayout(stage.layout) == stage.figure);
    const StageFileReading again = ReadStageFile(WriteStageFile(stage.title, stage.figure));
    Require(again.ok() && again.stage.title == stage.title && again.stage.figure == stage.figure);
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ReadAndCheckStageFile(data, size);
    return 0;
}
