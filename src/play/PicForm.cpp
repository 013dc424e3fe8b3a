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

struct Catalogue {
    std::array<PicForm::StageEntry, PicForm::StageCount> games;
    std::array<QPixmap, PicForm::BallPictureCount> balls;

    Catalogue()
    {
        static_assert(PicForm::StageCount == StageTable::Count);
        const qreal ratio = CatalogueDevicePixelRatio();
        for (int i = 0; i < PicForm::StageCount; ++i) {
            PicForm::StageEntry& entry = games[static_cast<std::size_t>(i)];
            entry.Tag = StageTable::Layout(i);
            entry.ToolTipText = StageTable::Title(i);
            entry.Picture = DrawStagePicture(entry.Tag, ratio);
        }
        for (int k = 0; k < PicForm::BallPictureCount; ++k)
            balls[static_cast<std::size_t>(k)] = DrawBallPicture(static_cast<BallColouring>(k), ratio);
    }
};

const Catalogue& TheCatalogue()
{
    static const Catalogue catalogue;
    return catalogue;
}

} // namespace

namespace PicForm {

const StageEntry& Game(int index)
{
    Q_ASSERT(index >= 0 && index < StageCount);
    return TheCatalogue().games[static_cast<std::size_t>(std::clamp(index, 0, StageCount - 1))];
}

const QPixmap& Ball(int index)
{
    Q_ASSERT(index >= 0 && index < BallPictureCount);
    return TheCatalogue().balls[static_cast<std::size_t>(std::clamp(index, 0, BallPictureCount - 1))];
}

} // namespace PicForm
