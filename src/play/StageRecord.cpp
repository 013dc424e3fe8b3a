// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/StageRecord.h"

#include <QCoreApplication>

#include <algorithm>

namespace StageRecord {

bool NeverCleared(const QString& clearTime)
{
    return clearTime == QLatin1String("0");
}

bool ClearRecorded(const QString& clearTime)
{
    return !clearTime.isEmpty() && !NeverCleared(clearTime);
}

QString AttemptText(const QString& chargeNum, const QString& clearTime)
{
    return NeverCleared(clearTime) ? QCoreApplication::translate("StageRecord", "%1回目の挑戦").arg(chargeNum)
                                   : QCoreApplication::translate("StageRecord", "%1回目で成功").arg(chargeNum);
}

QString BestTimeText(const QString& clearTime)
{
    return QCoreApplication::translate("StageRecord", "達成記録%1秒").arg(clearTime);
}


QString NextAttemptNumber(const QString& chargeNum)
{
    // Leading blanks are skipped, then digits are read up to the first other
    // character; a long run of digits saturates rather than wrapping.
    qsizetype i = 0;
    while (i < chargeNum.size() && chargeNum.at(i).isSpace())
        ++i;
    long long value = 0;
    for (; i < chargeNum.size(); ++i) {
        const char16_t c = chargeNum.at(i).unicode();
        if (c < u'0' || c > u'9')
            break;
        value = std::min<long long>(value * 10 + (c - u'0'), MaxAttemptNumber);
    }
    return QString::number(std::min<long long>(value + 1, MaxAttemptNumber));
}

QString ClearTimeText(std::int16_t elapsedSeconds)
{
    return QString::number(std::max<int>(elapsedSeconds, 1));
}

} // namespace StageRecord
