// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPixmap>
#include <QString>

// The built-in stage catalogue: thirty stages and eight ball pictures,
// read-only, created on first access.
namespace PicForm {

inline constexpr int StageCount = 30;
inline constexpr int BallPictureCount = 8;

struct StageEntry {
    QPixmap Picture;      // 200 x 200 silhouette of the starting layout (see Game)
    QString Tag;          // the layout string
    QString ToolTipText;  // the title
};

// Stage i, 0..29. Its picture is drawn for this call; the picture of the
// stage asked for before is let go (whoever shows it keeps its own copy).
const StageEntry& Game(int index);

// Ball picture k, 0..7: 40 x 40 shaded spheres on white.
const QPixmap& Ball(int index);

} // namespace PicForm
