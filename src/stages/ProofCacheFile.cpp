// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/ProofCacheFile.h"

#include "shared/CrashSafeFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <algorithm>

namespace ProofCacheFile {

namespace {

constexpr qint64 LargestFile = 8 * 1024 * 1024;

QByteArray FirstLine()
{
    const Rules::SolverLimits limits;
    return "zumirak proofs 1 " + QByteArray::number(qulonglong(limits.maxPositions)) + ' '
           + QByteArray::number(qulonglong(limits.maxMemoryBytes));
}

} // namespace

QHash<QByteArray, Line> Read(const QString& path)
{
    QHash<QByteArray, Line> proofs;
    QFile file(path);
    if (!QFileInfo(path).isFile() || file.size() > LargestFile || !file.open(QIODevice::ReadOnly))
        return proofs;
    const QList<QByteArray> lines = file.readAll().split('\n');
    if (lines.isEmpty() || lines.front() != FirstLine())
        return proofs;
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QList<QByteArray> parts = lines[i].split('=');
        if (parts.size() != 2)
            continue;
        const QByteArray cells = QByteArray::fromHex(parts[0]);
        const QList<QByteArray> values = parts[1].split(' ');
        bool verdictRead = false;
        bool starsRead = false;
        const int verdict = values.value(0).toInt(&verdictRead);
        const int stars = values.value(1).toInt(&starsRead);
        if (cells.isEmpty() || !verdictRead || !starsRead || verdict < 0 || verdict > int(Rules::Verdict::Unknown)
            || stars < 0 || stars > 3)
            continue;
        proofs.insert(cells, {Rules::Verdict(verdict), stars});
    }
    return proofs;
}

bool Write(const QString& path, const QHash<QByteArray, Line>& proofs)
{
    QList<QByteArray> keys = proofs.keys();
    std::sort(keys.begin(), keys.end());
    QByteArray bytes = FirstLine() + '\n';
    for (const QByteArray& cells : keys) {
        const Line line = proofs.value(cells);
        bytes += cells.toHex() + '=' + QByteArray::number(int(line.verdict)) + ' ' + QByteArray::number(line.stars)
                 + '\n';
    }
    QDir().mkpath(QFileInfo(path).path());
    return CrashSafeFile::Replace(path, bytes) == 0;
}

} // namespace ProofCacheFile
