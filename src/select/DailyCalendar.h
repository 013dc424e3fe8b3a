// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "records/DailyRecords.h"

#include <QCalendarWidget>
#include <QDate>
#include <QHash>

class QAbstractItemView;

// The calendar of the date chooser, remembering what the player did: each
// day shows its state (a tint and a mark) and its stars; today is framed;
// days to come are hatched and cannot be chosen; no week numbers. Its month
// and weekday names are those of the interface's language (the default
// locale). Each move is said to a screen reader: the full date with its
// weekday, the day's state and its stars; a key that cannot move (past
// today) says the day again. Home and End go to the first and the last day
// of the month shown (today at the latest).
class DailyCalendar : public QCalendarWidget {
    Q_OBJECT
public:
    DailyCalendar(const QDate& today, QWidget* parent);

    using DayState = DailyRecords::Day::State;
    DayState StateOf(const QDate& date) const;

    // "2026年12月7日月曜日　その日にクリア　★": a day as a screen reader says it.
    QString Spoken(const QDate& date) const;

    // The latest day up to today whose stage is not cleared yet.
    QDate LatestNotCleared() const;

    // A new today while the chooser is open: the day that was to come can
    // now be chosen.
    void SetToday(const QDate& today);

    // Room for a mark and the stars beside each day's number; smaller when
    // the screen is (the least size stays the toolkit's).
    QSize sizeHint() const override;

    // The grid of days, which holds the keyboard focus.
    QAbstractItemView* Days() const { return days_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintCell(QPainter* painter, const QRect& rect, QDate date) const override;

private:
    void TintDays();

    QHash<qint64, DailyRecords::Day> played_;  // by Julian day: only the days the store holds
    QDate today_;
    QAbstractItemView* days_ = nullptr;
};
