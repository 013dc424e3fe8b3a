// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/LocalDay.h"

#include <QTimer>

#include <algorithm>

namespace {

// A clock set by hand moves midnight without telling the timer, which
// counts on its own; so it looks again at least this often.
constexpr qint64 LongestWaitMs = 60LL * 60 * 1000;
// Just past midnight, so the clock reads the new date.
constexpr qint64 PastMidnightMs = 500;

} // namespace

LocalDay& LocalDay::Instance()
{
    static LocalDay* day = new LocalDay;  // lives as long as the program
    return *day;
}

LocalDay::LocalDay() : clock_(&QDateTime::currentDateTime), midnight_(new QTimer(this))
{
    midnight_->setSingleShot(true);
    midnight_->setTimerType(Qt::VeryCoarseTimer);
    connect(midnight_, &QTimer::timeout, this, &LocalDay::Check);
    today_ = Today();
    ArmTimer();
}

QDateTime LocalDay::Now() const { return clock_(); }

void LocalDay::SetClock(Clock clock)
{
    clock_ = std::move(clock);
    Check();
}

void LocalDay::Check()
{
    const QDate now = Today();
    ArmTimer();
    if (now == today_)
        return;
    today_ = now;
    emit DayChanged(now);
}

void LocalDay::ArmTimer()
{
    const QDateTime now = Now();
    const qint64 toMidnight = now.msecsTo(QDateTime(now.date().addDays(1), QTime(0, 0))) + PastMidnightMs;
    midnight_->start(static_cast<int>(std::clamp<qint64>(toMidnight, PastMidnightMs, LongestWaitMs)));
}
