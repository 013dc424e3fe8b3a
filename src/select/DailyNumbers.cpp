// SPDX-License-Identifier: GPL-3.0-or-later
#include "select/DailyNumbers.h"

#include "records/DailyRecords.h"
#include "records/DailyStatistics.h"
#include "select/DailyChart.h"
#include "shared/AccessibleRole.h"
#include "shared/JapaneseFont.h"
#include "shared/ProgramPictures.h"
#include "shared/ScreenRoom.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Monday .. Sunday, in the interface's language whatever the locale.
constexpr const char* WeekdayNames[7] = {
    QT_TRANSLATE_NOOP("DailyNumbers", "月曜日"), QT_TRANSLATE_NOOP("DailyNumbers", "火曜日"),
    QT_TRANSLATE_NOOP("DailyNumbers", "水曜日"), QT_TRANSLATE_NOOP("DailyNumbers", "木曜日"),
    QT_TRANSLATE_NOOP("DailyNumbers", "金曜日"), QT_TRANSLATE_NOOP("DailyNumbers", "土曜日"),
    QT_TRANSLATE_NOOP("DailyNumbers", "日曜日"),
};

QString Days(int count) { return QCoreApplication::translate("DailyNumbers", "%n日", nullptr, count); }

QString Seconds(int seconds)
{
    return seconds > 0 ? QCoreApplication::translate("DailyNumbers", "%1秒").arg(seconds)
                       : QCoreApplication::translate("DailyNumbers", "－", "no time yet");
}

// A number with its heading; a stop of the Tab key, read whole by a screen reader.
QLabel* NumberLine(const QString& heading, const QString& value, QWidget* parent)
{
    auto* label = new QLabel(QCoreApplication::translate("DailyNumbers", "%1：%2").arg(heading, value), parent);
    label->setFocusPolicy(Qt::TabFocus);
    label->setAccessibleName(label->text());
    return label;
}

} // namespace

DailyNumbers* DailyNumbers::Open(QWidget* parent)
{
    auto* window = new DailyNumbers(parent);
    window->open();
    return window;
}

DailyNumbers::DailyNumbers(QWidget* parent) : QDialog(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("日替わりステージの記録"));
    setWindowIcon(ProgramIcon());
    setFont(GothicFont(9, false));

    const QDate today = QDate::currentDate();
    const DailyStatistics::Numbers numbers = DailyStatistics::Work(DailyRecords::StoredDays(), today);

    // Everything but the button scrolls, so the window fits a small or
    // magnified screen; the focus brings what it reaches into sight.
    auto* content = new QWidget;
    auto* column = new QVBoxLayout(content);
    auto* counts = new QGridLayout;
    Streak = NumberLine(tr("いまの連続"), Days(numbers.streak), content);
    counts->addWidget(Streak, 0, 0);
    counts->addWidget(NumberLine(tr("最長の連続"), Days(numbers.longestStreak), content), 0, 1);
    counts->addWidget(NumberLine(tr("その日のうちにクリア"), Days(numbers.clearedOnTheDay), content), 1, 0);
    counts->addWidget(NumberLine(tr("後日クリア"), Days(numbers.clearedLater), content), 1, 1);
    column->addLayout(counts);

    auto* chartHeading = new QLabel(tr("最近%1週間のクリア時間").arg(DailyStatistics::ChartWeeks), content);
    chartHeading->setFont(GothicFont(9, true));
    column->addWidget(chartHeading);
    Chart = new DailyChart(numbers, today, content);
    column->addWidget(Chart, 1);
    auto* legend = new QLabel(DailyChart::Legend(), content);
    legend->setWordWrap(true);
    legend->setAccessibleName(DailyChart::LegendInWords());
    column->addWidget(legend);

    WeekdayHeading = new QLabel(tr("曜日ごとの記録"), content);
    WeekdayHeading->setFont(GothicFont(9, true));
    column->addWidget(WeekdayHeading);
    auto* weekdays = new QGridLayout;
    const QString headings[] = {tr("曜日"), tr("クリア"), tr("最高"), tr("中央値")};
    for (int k = 0; k < 4; ++k)
        weekdays->addWidget(new QLabel(headings[k], content), 0, k, k == 0 ? Qt::AlignLeft : Qt::AlignRight);
    for (int weekday = 1; weekday <= 7; ++weekday) {
        const DailyStatistics::Weekday& day = numbers.weekdays[static_cast<std::size_t>(weekday - 1)];
        const QString cells[] = {tr(WeekdayNames[weekday - 1]), Days(day.cleared),
                                 Seconds(day.best), Seconds(day.median)};
        for (int k = 0; k < 4; ++k)
            weekdays->addWidget(new QLabel(cells[k], content), weekday, k, k == 0 ? Qt::AlignLeft : Qt::AlignRight);
        // The row is one stop of the Tab key, read as a sentence.
        auto* name = static_cast<QLabel*>(weekdays->itemAtPosition(weekday, 0)->widget());
        name->setFocusPolicy(Qt::TabFocus);
        name->setAccessibleName(day.cleared == 0
                                    ? tr("%1：クリアした日なし").arg(cells[0])
                                    : tr("%1：クリア %2、最高 %3、中央値 %4").arg(cells[0], cells[1], cells[2], cells[3]));
    }
    column->addLayout(weekdays);

    auto* scroll = new QScrollArea(this);
    scroll->setWidget(content);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(tr("閉じる"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(scroll, 1);
    layout->addWidget(buttons);

    // As large as the content asks, no larger than the screen leaves free.
    const QSize wanted = content->sizeHint() + QSize(2 * layout->contentsMargins().left() + 4, 0)
                         + QSize(0, buttons->sizeHint().height() + 3 * layout->contentsMargins().top());
    const QSize room = parent && parent->screen() ? ScreenRoom::Free(*parent->screen()).size() * 9 / 10 : wanted;
    resize(wanted.boundedTo(room));
    Streak->setFocus();
}
