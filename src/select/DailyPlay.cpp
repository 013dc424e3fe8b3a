// SPDX-License-Identifier: GPL-3.0-or-later
#include "select/DailyPlay.h"

#include "play/StageOnDisplay.h"
#include "records/DailyRecords.h"
#include "select/DailyResult.h"
#include "shared/Announce.h"
#include "shared/MsgBox.h"
#include "stages/DailyStage.h"
#include "stages/StageStars.h"

#include <QCoreApplication>

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
    // The focus lands on a ball, so the description is also said once.
    Announce(*table, table->accessibleDescription());
    QObject::connect(table, &GameTable::StageClearedNow, resultOwner, [stage, resultOwner] {
        auto* result = new DailyResult(stage, resultOwner);
        result->open();
    });
    return table;
}
