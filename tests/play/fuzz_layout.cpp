// SPDX-License-Identifier: GPL-3.0-or-later
// Fuzz entry for the layout reader. Built as a libFuzzer target with
// -DZUMIRAK_FUZZ=ON (clang), and linked into an ordinary test that replays
// the inputs that once mattered.
//
// The first byte of the input chooses how the rest is taken: even, as UTF-8;
// odd, as raw UTF-16 code units (lone surrogates and all). Besides not crashing, the reader must
// keep its promises: an accepted string gives length/10 balls on distinct
// cells of the 15 x 15 board that write back to the very same string, and a
// rejected one gives no balls and says why.
#include "stages/LayoutString.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <utility>

namespace {

QString InputAsText(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return {};
    if (data[0] & 1) {
        QString text;
        for (std::size_t i = 1; i + 1 < size; i += 2)
            text.append(QChar(char16_t(data[i] | (data[i + 1] << 8))));
        return text;
    }
    return QString::fromUtf8(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(size - 1));
}

void Require(bool promise)
{
    if (!promise)
        std::abort();
}

} // namespace

// Reads one input, aborts on a broken promise, tells whether it was accepted.
bool ReadAndCheckLayout(const std::uint8_t* data, std::size_t size)
{
    const QString layout = InputAsText(data, size);
    const LayoutReading reading = ReadLayoutString(layout);
    if (!reading.ok()) {
        Require(reading.balls.empty());
        return false;
    }
    Require(!layout.isEmpty());
    Require(qsizetype(reading.balls.size()) * 10 == layout.size());
    std::set<std::pair<int, int>> cells;
    QString written;
    for (const BallRecord& ball : reading.balls) {
        Require(ball.column() >= 0 && ball.column() < 15 && ball.row() >= 0 && ball.row() < 15);
        Require(ball.left == ball.column() * 600 && ball.top == ball.row() * 600);
        Require(cells.emplace(ball.column(), ball.row()).second);
        written += QStringLiteral("%1,%2,")
                       .arg(ball.left, 4, 10, QLatin1Char('0'))
                       .arg(ball.top, 4, 10, QLatin1Char('0'));
    }
    Require(written == layout);
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    ReadAndCheckLayout(data, size);
    return 0;
}
