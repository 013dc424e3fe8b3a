// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "play/StagePicture.h"

#include <QWidget>

// The small gold ball with a tick that sits in the top-right corner of a
// stage picture when that stage has been cleared. It is drawn, not loaded,
// so it stays sharp at any pixel ratio, and it lets every mouse event
// through to the picture under it (double click and tooltip included).
class ClearedMark : public QWidget {
    Q_OBJECT
public:
    // Placed in the corner of `picture`, hidden until shown.
    explicit ClearedMark(QWidget* picture);

    // Size of the mark and its distance from the picture's edges, in pixels:
    // it sits in the band the picture keeps free of the figure.
    static constexpr int Inset = 1;
    static constexpr int Diameter = StagePictureBand - 2 * Inset;

protected:
    void paintEvent(QPaintEvent* event) override;
};
