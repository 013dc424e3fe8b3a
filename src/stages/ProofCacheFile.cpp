// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/ProofCacheFile.h"

#include "stages/FigureKey.h"
#include "stages/StageFolder.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <algorithm>

namespace ProofCacheFile {

namespace {

const QByteArray Form = "zumirak proofs 2";

QByteArray Limits()
{
    const Rules::SolverLimits limits;
    return QByteArray::number(qulonglong(limits.maxPositions)) + ' ' + QByteArray::number(qulonglong(limits.maxMemoryBytes));
}

QByteArray FirstLine()
{
    return Form + " solver " + QByteArray::number(Rules::SolverVersion) + " stars " + StarsScale() + " limits "
           + Limits();
}

QByteArray Check(QByteArrayView text)
{
    return QCryptographicHash::hash(text, QCryptographicHash::Sha256).toHex().left(8);
}

QByteArray VerdictWord(Rules::Verdict verdict)
{
    switch (verdict) {
    case Rules::Verdict::Clearable: return "clearable";
    case Rules::Verdict::NotClearable: return "not-clearable";
    case Rules::Verdict::Unknown: break;
    }
    return "unknown";
}

// What the first line says the kept proofs were made under.
struct MadeUnder {
    bool sameSolver = false;
    bool sameLimits = false;
};

std::optional<MadeUnder> ReadFirstLine(QByteArrayView line)
{
    const QList<QByteArray> words = line.toByteArray().split(' ');
    // zumirak proofs 2 solver <v> stars <scale> limits <positions> <memory>
    if (words.size() != 10 || !line.startsWith(Form + ' ') || words[3] != "solver" || words[5] != "stars"
        || words[7] != "limits")
        return std::nullopt;
    MadeUnder made;
    made.sameSolver = words[4] == QByteArray::number(Rules::SolverVersion);
    made.sameLimits = words[8] + ' ' + words[9] == Limits();
    return made;
}

std::optional<std::vector<Rules::Cell>> ReadOrder(const QByteArray& text)
{
    if (text == "-")
        return std::vector<Rules::Cell>();
    const QByteArray bytes = QByteArray::fromHex(text);
    if (bytes.isEmpty() || bytes.size() * 2 != text.size() || bytes.toHex() != text)
        return std::nullopt;
    std::vector<Rules::Cell> order;
    for (const char byte : bytes) {
        const int index = static_cast<unsigned char>(byte);
        if (index >= Rules::BoardSize * Rules::BoardSize)
            return std::nullopt;
        order.push_back(Rules::CellOf(index));
    }
    return order;
}

// The proof a line holds, when it holds.
std::optional<std::pair<QByteArray, FigureProof>> ReadLine(QByteArrayView line, const MadeUnder& made)
{
    const qsizetype lastSpace = line.lastIndexOf(' ');
    if (lastSpace < 0 || Check(line.first(lastSpace)) != line.sliced(lastSpace + 1))
        return std::nullopt;
    const QList<QByteArray> words = line.first(lastSpace).toByteArray().split(' ');
    if (words.size() != 4)
        return std::nullopt;
    const QByteArray cells = QByteArray::fromHex(words[0]);
    const std::optional<Rules::Figure> figure = FigureOfPackedCells(cells);
    bool starsRead = false;
    FigureProof proof;
    proof.stars = words[2].toInt(&starsRead);
    const std::optional<std::vector<Rules::Cell>> order = ReadOrder(words[3]);
    if (!figure || figure->Count() == 0 || cells.toHex() != words[0] || !starsRead || !order)
        return std::nullopt;
    proof.order = *order;
    if (words[1] == VerdictWord(Rules::Verdict::Clearable)) {
        proof.verdict = Rules::Verdict::Clearable;
        if (proof.stars < 1 || proof.stars > 3 || !OrderClears(*figure, proof.order))
            return std::nullopt;
    } else {
        proof.verdict = words[1] == VerdictWord(Rules::Verdict::NotClearable) ? Rules::Verdict::NotClearable
                                                                               : Rules::Verdict::Unknown;
        if (words[1] != VerdictWord(proof.verdict) || proof.stars != 0 || !proof.order.empty() || !made.sameSolver
            || (proof.verdict == Rules::Verdict::Unknown && !made.sameLimits))
            return std::nullopt;
    }
    return std::make_pair(cells, std::move(proof));
}

QByteArray LineOf(const QByteArray& cells, const FigureProof& proof)
{
    QByteArray order;
    for (const Rules::Cell cell : proof.order)
        order += char(Rules::IndexOf(cell));
    const QByteArray text = cells.toHex() + ' ' + VerdictWord(proof.verdict) + ' ' + QByteArray::number(proof.stars)
                            + ' ' + (order.isEmpty() ? QByteArray("-") : order.toHex());
    return text + ' ' + Check(text) + '\n';
}

} // namespace

Reading Read(const QString& path)
{
    Reading reading;
    QFile file(path);
    if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
        return reading;
    const QByteArray bytes = file.read(LargestFile);
    qsizetype start = bytes.indexOf('\n');
    if (start < 0)
        return reading;
    const std::optional<MadeUnder> made = ReadFirstLine(QByteArrayView(bytes).first(start));
    if (!made)
        return reading;
    // Line by line in place: a file of junk costs no more memory than its bytes.
    for (++start; start < bytes.size();) {
        const qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            break;  // cut off at the largest size read
        const QByteArrayView line = QByteArrayView(bytes).sliced(start, end - start);
        start = end + 1;
        if (auto proof = ReadLine(line, *made))
            reading.proofs.insert(proof->first, std::move(proof->second));
        else
            ++reading.dropped;
    }
    return reading;
}

QByteArray Format(const QHash<QByteArray, FigureProof>& proofs)
{
    QList<QByteArray> keys = proofs.keys();
    std::sort(keys.begin(), keys.end());
    QByteArray bytes = FirstLine() + '\n';
    for (const QByteArray& cells : keys) {
        const QByteArray line = LineOf(cells, proofs.value(cells));
        if (bytes.size() + line.size() > LargestFile)
            break;  // never more than is read back
        bytes += line;
    }
    return bytes;
}

bool Write(const QString& path, const QHash<QByteArray, FigureProof>& proofs)
{
    return StageFolder::WriteWhole(path, Format(proofs)) == 0;  // makes the folder too
}

} // namespace ProofCacheFile
