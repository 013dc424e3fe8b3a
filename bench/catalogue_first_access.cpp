// SPDX-License-Identifier: GPL-3.0-or-later
// How long the catalogue's first access takes (it happens while the program
// starts, when the selection window shows stage 0), what the later pictures
// cost when first shown, and what drawing all of them costs on its own.
//
//   bin/bench_catalogue [rounds]     e.g. QT_QPA_PLATFORM=offscreen QT_SCALE_FACTOR=2
#include "play/BallPicture.h"
#include "play/PicForm.h"
#include "play/StagePicture.h"
#include "play/StageTable.h"
#include "select/GameSelect.h"

#include <QApplication>
#include <QScrollBar>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

double Milliseconds(const QElapsedTimer& timer) { return double(timer.nsecsElapsed()) / 1e6; }

// Everything the first access builds: thirty stage pictures, eight balls.
void DrawWholeCatalogue(qreal ratio)
{
    for (int i = 0; i < StageTable::Count; ++i)
        DrawStagePicture(StageTable::Layout(i), ratio);
    for (int k = 0; k < PicForm::BallPictureCount; ++k)
        DrawBallPicture(static_cast<BallColouring>(k), ratio);
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    const qreal ratio = app.devicePixelRatio();

    QElapsedTimer timer;
    timer.start();
    GameSelect window;  // the start-up's first access: stage 0 on display
    const double firstAccess = Milliseconds(timer);

    timer.restart();
    for (int i = 0; i < PicForm::StageCount; ++i)
        window.HScroll1->setValue(i);
    const double leafedThrough = Milliseconds(timer);

    timer.restart();
    for (int k = 0; k < PicForm::BallPictureCount; ++k)
        PicForm::Ball(k);
    const double ballsFirstDrawn = Milliseconds(timer);

    std::vector<double> redraws;
    for (int r = 0; r < rounds; ++r) {
        timer.restart();
        DrawWholeCatalogue(ratio);
        redraws.push_back(Milliseconds(timer));
    }
    std::sort(redraws.begin(), redraws.end());

    std::printf("device pixel ratio      %.2f\n", ratio);
    std::printf("first access            %.2f ms (selection window built, stage 0 drawn)\n", firstAccess);
    std::printf("leafing through 30      %.2f ms (every stage picture drawn once)\n", leafedThrough);
    std::printf("ball pictures           %.2f ms (first draw of all eight)\n", ballsFirstDrawn);
    std::printf("whole catalogue drawn   median %.2f ms, min %.2f ms, max %.2f ms over %d rounds\n",
                redraws[redraws.size() / 2], redraws.front(), redraws.back(), rounds);
    return 0;
}
