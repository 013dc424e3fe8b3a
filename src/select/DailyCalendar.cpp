// SPDX-License-Identifier: GPL-3.0-or-later
#include "select/DailyCalendar.h"

#include "rules/DailyFigure.h"
#include "shared/Announce.h"
#include "stages/StageStars.h"

#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLocale>
#include <QPainter>
#include <QTextCharFormat>
#include <QTimer>

#include <algorithm>

namespace {

// A tint for the eye and a mark for whoever cannot tell the tints apart.
struct StateLook {
    QColor tint;
    QString mark;
};

StateLook LookOf(DailyCalendar::DayState state)
{
    switch (state) {
    case DailyCalendar::DayState::ClearedOnTheDay:
        return {QColor(196, 234, 196), QStringLiteral("●")};
    case DailyCalendar::DayState::ClearedLater:
        return {QColor(204, 222, 246), QStringLiteral("○")};
    case DailyCalendar::DayState::Tried:
        return {QColor(250, 226, 186), QStringLiteral("△")};
    case DailyCalendar::DayState::NotTried:
        break;
    }
    return {QColor(), QString()};
}

QString StateText(DailyCalendar::DayState state)
{
    switch (state) {
    case DailyCalendar::DayState::ClearedOnTheDay:
        return QCoreApplication::translate("DailyCalendar", "その日にクリア");
    case DailyCalendar::DayState::ClearedLater:
        return QCoreApplication::translate("DailyCalendar", "後日クリア");
    case DailyCalendar::DayState::Tried:
        return QCoreApplication::translate("DailyCalendar", "挑戦したが未クリア");
    case DailyCalendar::DayState::NotTried:
        break;
    }
    return QCoreApplication::translate("DailyCalendar", "未挑戦");
}

} // namespace

DailyCalendar::DailyCalendar(const QDate& today, QWidget* parent) : QCalendarWidget(parent)
{
    for (const DailyRecords::Day& day : DailyRecords::StoredDays())
        played_.insert(day.date.toJulianDay(), day);
    setLocale(QLocale());  // the interface's language, whatever the desktop's
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setMinimumDate(QDate(2000, 1, 1));
    days_ = findChild<QAbstractItemView*>();
    SetToday(today);
    TintDays();

    const QString name = QCoreApplication::translate("DailyCalendar", "日付");
    setAccessibleName(name);
    days_->setAccessibleName(name);
    // The grid's own words for a move are a bare number and its column;
    // the day is said in full instead (not yet while the chooser is made).
    connect(this, &QCalendarWidget::selectionChanged, this, [this] {
        if (days_->isVisible())
            Announce(*days_, Spoken(selectedDate()));
    });
    days_->installEventFilter(this);
}

bool DailyCalendar::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != days_ || event->type() != QEvent::KeyPress)
        return QCalendarWidget::eventFilter(watched, event);
    const QDate before = selectedDate();
    switch (static_cast<QKeyEvent*>(event)->key()) {
    case Qt::Key_Home:
    case Qt::Key_End: {
        const QDate first(yearShown(), monthShown(), 1);
        const bool home = static_cast<QKeyEvent*>(event)->key() == Qt::Key_Home;
        setSelectedDate(home ? first : std::min(first.addMonths(1).addDays(-1), today_));
        if (selectedDate() == before)
            Announce(*days_, Spoken(before));
        return true;
    }
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        // Never silence: a move that could not be made (past today) says
        // where the player is, once the grid has taken the key.
        QTimer::singleShot(0, this, [this, before] {
            if (selectedDate() == before && days_->hasFocus())
                Announce(*days_, Spoken(before));
        });
        break;
    default:
        break;
    }
    return QCalendarWidget::eventFilter(watched, event);
}

DailyCalendar::DayState DailyCalendar::StateOf(const QDate& date) const
{
    const auto found = played_.constFind(date.toJulianDay());
    return found == played_.cend() ? DayState::NotTried : found->StateNow();
}

QString DailyCalendar::Spoken(const QDate& date) const
{
    QStringList parts{locale().toString(date, QLocale::LongFormat)};
    if (date == today_)
        parts << QCoreApplication::translate("DailyCalendar", "今日");
    parts << StateText(StateOf(date)) << StarsText(Rules::DailyWantedStars(date));
    return parts.join(QCoreApplication::translate("DailyCalendar", "　"));
}

QDate DailyCalendar::LatestNotCleared() const
{
    QDate date = today_;
    while (date > minimumDate() && played_.value(date.toJulianDay()).Cleared())
        date = date.addDays(-1);
    return date;
}

void DailyCalendar::SetToday(const QDate& today)
{
    today_ = today;
    setMaximumDate(today);  // no day ahead of its time
    update();
}

QSize DailyCalendar::sizeHint() const
{
    const int line = fontMetrics().height();
    // Seven columns of about four characters; a navigation bar, the
    // weekdays and six weeks of two and a half lines each.
    const QSize cells(7 * line * 3, 3 * line + 6 * line * 5 / 2);
    return QCalendarWidget::sizeHint().expandedTo(cells);
}

void DailyCalendar::TintDays()
{
    for (const DailyRecords::Day& day : played_) {
        const QColor tint = LookOf(StateOf(day.date)).tint;
        if (!tint.isValid())
            continue;
        QTextCharFormat format = dateTextFormat(day.date);
        format.setBackground(tint);
        setDateTextFormat(day.date, format);
    }
}

void DailyCalendar::paintCell(QPainter* painter, const QRect& rect, QDate date) const
{
    QCalendarWidget::paintCell(painter, rect, date);
    painter->save();
    const QRect inner = rect.adjusted(2, 1, -2, -1);
    if (date > today_) {
        // To come: hatched over, and nothing more to tell.
        painter->fillRect(rect, QBrush(QColor(128, 128, 128, 110), Qt::BDiagPattern));
    } else if (date.month() == monthShown()) {
        QFont small = painter->font();
        small.setPixelSize(std::max(7, rect.height() * 2 / 5));
        painter->setFont(small);
        painter->setPen(QColor(70, 70, 70));
        painter->drawText(inner, Qt::AlignLeft | Qt::AlignTop, LookOf(StateOf(date)).mark);
        small.setPixelSize(std::max(6, rect.height() / 3));
        painter->setFont(small);
        painter->setPen(QColor(176, 120, 0));
        painter->drawText(inner, Qt::AlignRight | Qt::AlignBottom, StarsText(Rules::DailyWantedStars(date)));
    }
    if (date == today_) {
        painter->setPen(QPen(QColor(200, 40, 40), 2));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(rect.adjusted(1, 1, -1, -1));
    }
    painter->restore();
}
