// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>
#include <QDateTime>
#include <QObject>

#include <functional>

class QTimer;

// Today's local date, as every window that shows or opens "today" reads it,
// and a notice when it changes while the game runs: at midnight, or when the
// clock was set. Made when first asked for, so a start that never meets the
// stage of the day pays nothing.
class LocalDay : public QObject {
    Q_OBJECT
public:
    using Clock = std::function<QDateTime()>;

    static LocalDay& Instance();

    QDateTime Now() const;
    QDate Today() const { return Now().date(); }

    // The system's clock unless a test hands in its own; either way the
    // date is read again at once.
    void SetClock(Clock clock);

    // Reads the clock again and says DayChanged when the date moved. The
    // timer calls it just after each midnight.
    void Check();

signals:
    void DayChanged(const QDate& today);

private:
    LocalDay();
    void ArmTimer();

    Clock clock_;
    QDate today_;
    QTimer* midnight_ = nullptr;
};
