// SPDX-License-Identifier: GPL-3.0-or-later
#include "select/DailyPlay.h"

#include "play/StageOnDisplay.h"
#include "records/DailyRecords.h"
#include "select/DailyResult.h"
#include "shared/Announce.h"
#include "shared/MsgBox.h"
#include "stages/DailyStage.h"
#include "stages/StageStars.h"

#include <QApplication>
#include <QTimer>

#include <memory>

namespace {

// The play window reads the stage once, as it loads.
// It lives for the run, as the selection window does for the other stages.
class DayOnDisplay : public StageOnDisplay {
public:
    DailyStage stage;
    DisplayedStage StageShown() const override
    {
        DisplayedStage shown;
        shown.index = -1;  // not one of the listed stages
        shown.layout = stage.layout;
        shown.title = stage.title;
        shown.recordKey = stage.recordKey;
        shown.recordsClearDate = true;
        return shown;
    }
};

QString SpokenDaily(int stars, int streak)
{
    return QCoreApplication::translate("DailyPlay", "日付ごとにだれにでも同じステージです。%1　%2")
        .arg(StarsText(stars), StreakText(streak));
}

// Says `text` once the keys are in `table`. Opened after a question or from a
// menu, the window that closes still moves the focus as the play window
// opens, and a screen reader busy with that news drops words said
// meanwhile; so they wait for the focus, and a moment for the reader to
// take it in.
void SayOnceFocused(GameTable& table, const QString& text)
{
    constexpr int SettleMs = 300;
    auto* waiting = new QObject(&table);
    const auto inTable = [&table] {
        QWidget* focus = QApplication::focusWidget();
        return focus && (focus == &table || table.isAncestorOf(focus)) && focus->isActiveWindow();
    };
    auto armed = std::make_shared<bool>(false);
    const auto sayWhenFocused = [waiting, inTable, armed, text] {
        if (*armed || !inTable())
            return;
        *armed = true;
        QTimer::singleShot(SettleMs, waiting, [waiting, inTable, text] {
            if (inTable())
                Announce(*QApplication::focusWidget(), text);
            waiting->deleteLater();
        });
    };
    QObject::connect(qApp, &QApplication::focusChanged, waiting, sayWhenFocused, Qt::QueuedConnection);
    QTimer::singleShot(0, waiting, sayWhenFocused);
}

} // namespace

GameTable* OpenDailyStage(const QDate& date, PlaySurroundings surroundings, QWidget* resultOwner)
{
    const DailyStage stage = DailyStageOf(date);
    if (GameTable* open = GameTable::Instance()) {
        if (open->windowTitle() == stage.title) {
            surroundings.stage = nullptr;
            return GameTable::LoadAndShow(surroundings);  // only to the front
        }
        if (open->ClosingCountsAnAttempt()
            && MsgBox(open,
                      QCoreApplication::translate("DailyPlay", "プレイ中のステージ「%1」を閉じて、%2を開きます。\r\n"
                                                               "閉じたステージは挑戦1回と数えられます。宜しいですか？")
                          .arg(open->windowTitle(), stage.title),
                      QCoreApplication::translate("DailyPlay", "ズミラク"), QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel)
                   != QMessageBox::Ok)
            return nullptr;
        open->close();
    }
    static DayOnDisplay shown;
    shown.stage = stage;
    surroundings.stage = &shown;
    GameTable* table = GameTable::LoadAndShow(surroundings);
    // What a screen reader says of the play area: its name is the caption
    // with the date; this says what the stage of the day is, and the streak.
    table->setAccessibleDescription(SpokenDaily(stage.stars, DailyRecords::SummaryNow().streak));
    SayOnceFocused(*table, table->accessibleDescription());
    QObject::connect(table, &GameTable::StageClearedNow, resultOwner, [stage, resultOwner] {
        auto* result = new DailyResult(stage, resultOwner);
        result->open();
    });
    return table;
}
