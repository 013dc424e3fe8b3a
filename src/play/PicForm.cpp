// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/PicForm.h"

#include "play/BallPicture.h"
#include "play/StagePicture.h"
#include "play/StageTable.h"

#include <QGuiApplication>

#include <algorithm>
#include <array>

namespace {

// Drawn for the densest screen present so that no picture is ever upscaled.
qreal CatalogueDevicePixelRatio()
{
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

// Titles and layouts are filled at once. A stage picture is drawn when it is
// asked for, and only the one asked for last is kept: the selection window
// shows one stage at a time, and thirty kept pictures would cost 4.6 MiB.
// Everything runs on the one window thread.
class Catalogue {
public:
    Catalogue() : ratio_(CatalogueDevicePixelRatio())
    {
        static_assert(PicForm::StageCount == StageTable::Count);
        for (int i = 0; i < PicForm::StageCount; ++i) {
            PicForm::StageEntry& entry = games_[static_cast<std::size_t>(i)];
            entry.Tag = StageTable::Layout(i);
            entry.ToolTipText = StageTable::Title(i);
        }
    }

    const PicForm::StageEntry& Game(std::size_t index)
    {
        PicForm::StageEntry& entry = games_[index];
        if (entry.Picture.isNull()) {
            if (drawn_ < games_.size())
                games_[drawn_].Picture = QPixmap();
            entry.Picture = DrawStagePicture(entry.Tag, ratio_);
            drawn_ = index;
        }
        return entry;
    }

    const QPixmap& Ball(std::size_t index)
    {
        QPixmap& ball = balls_[index];
        if (ball.isNull())
            ball = DrawBallPicture(static_cast<BallColouring>(index), ratio_);
        return ball;
    }

private:
    qreal ratio_;
    std::array<PicForm::StageEntry, PicForm::StageCount> games_;
    std::size_t drawn_ = PicForm::StageCount;  // the stage whose picture is kept
    std::array<QPixmap, PicForm::BallPictureCount> balls_;
};

Catalogue& TheCatalogue()
{
    static Catalogue catalogue;
    return catalogue;
}

} // namespace

namespace PicForm {

const StageEntry& Game(int index)
{
    Q_ASSERT(index >= 0 && index < StageCount);
    return TheCatalogue().Game(static_cast<std::size_t>(std::clamp(index, 0, StageCount - 1)));
}

const QPixmap& Ball(int index)
{
    Q_ASSERT(index >= 0 && index < BallPictureCount);
    return TheCatalogue().Ball(static_cast<std::size_t>(std::clamp(index, 0, BallPictureCount - 1)));
}

} // namespace PicForm
