// SPDX-License-Identifier: GPL-3.0-or-later
#include "select/StageList.h"

#include "play/PicForm.h"
#include "play/StagePicture.h"
#include "play/StageTable.h"
#include "records/RegUpRead.h"
#include "stages/PlayerStages.h"
#include "stages/StageStars.h"

static_assert(PlayerStages::FirstNumber == PicForm::StageCount, "the player's stages follow the thirty");

namespace StageList {

namespace {

const PlayerStages::Entry& Players(int index)
{
    return PlayerStages::All()[static_cast<std::size_t>(index - PicForm::StageCount)];
}

} // namespace

int Count() { return PicForm::StageCount + static_cast<int>(PlayerStages::All().size()); }

bool IsPlayers(int index) { return index >= PicForm::StageCount; }

QString Title(int index) { return IsPlayers(index) ? Players(index).title : StageTable::Title(index); }

QString Layout(int index) { return IsPlayers(index) ? Players(index).layout : StageTable::Layout(index); }

bool Proven(int index) { return !IsPlayers(index) || Players(index).proven; }

int Stars(int index) { return IsPlayers(index) ? Players(index).stars : StageStars(StageTable::Layout(index)); }

int IndexOfRecord(const QString& recordKey)
{
    for (int index = 0; index < Count(); ++index) {
        if (RecordKey(index) == recordKey)
            return index;
    }
    return -1;
}

QString RecordKey(int index) { return IsPlayers(index) ? Players(index).recordKey : RegUpRead::StageKey(index); }

QPixmap Picture(int index, qreal devicePixelRatio)
{
    return IsPlayers(index) ? DrawStagePicture(Players(index).layout, devicePixelRatio) : PicForm::Game(index).Picture;
}

} // namespace StageList
