// SPDX-License-Identifier: GPL-3.0-or-later
// What the ball buttons and the move rules cost: reading an outline file,
// creating a stage's worth of buttons from the first one, painting one
// button, and one click on the board model.
//
//   bin/bench_ball_button [rounds]     e.g. QT_QPA_PLATFORM=offscreen
#include "play/DefModule.h"
#include "play/MoveRules.h"
#include "play/PicForm.h"
#include "play/ShapeFile.h"
#include "play/ShapedButton.h"
#include "shared/AppPath.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QImage>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace {

constexpr int LargestStage = 39;

double Microseconds(const QElapsedTimer& timer, long count) { return double(timer.nsecsElapsed()) / 1e3 / double(count); }

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
    const QString triangle = AppPath() + QStringLiteral("/S_Push.shp");

    QElapsedTimer timer;
    timer.start();
    int read = 0;
    for (int i = 0; i < rounds * 100; ++i) read += ReadShapeFile(AppPath() + QStringLiteral("/M_Push.shp")).ok();
    std::printf("read the oval's file:         %8.1f us  (%d read)\n", Microseconds(timer, rounds * 100), read);

    ShapedButton first;
    first.SetFileName(triangle);
    first.SetAlignmentV(2);
    first.SetPicture(PicForm::Ball(3));
    std::vector<std::unique_ptr<ShapedButton>> balls;
    timer.restart();
    for (int r = 0; r < rounds; ++r) {
        balls.clear();
        for (int k = 0; k < LargestStage; ++k) {
            balls.push_back(std::make_unique<ShapedButton>());
            balls.back()->CopyPropertiesFrom(first);
            balls.back()->SetCaption(QString::number(k + 1));
        }
    }
    std::printf("create %d buttons:            %8.1f us\n", LargestStage, Microseconds(timer, rounds));

    QImage canvas(first.size(), QImage::Format_ARGB32_Premultiplied);
    timer.restart();
    for (int r = 0; r < rounds; ++r) {
        for (const auto& ball : balls) ball->render(&canvas);
    }
    std::printf("paint one numbered ball:      %8.1f us\n", Microseconds(timer, long(rounds) * LargestStage));

    // A row of fifteen balls taken from left to right: every click takes a
    // ball and marks the next.
    long clicks = 0;
    timer.restart();
    for (int r = 0; r < rounds * 1000; ++r) {
        ResetBoard();
        for (std::int16_t column = 0; column < DefModule::BoardSize; ++column) PlaceBall(7, column);
        for (std::int16_t column = 0; column < DefModule::BoardSize; ++column) {
            clicks += ClickBall(7, column) != ClickOutcome::Refused;
        }
    }
    std::printf("one click on the board:       %8.3f us  (%ld clicks)\n", Microseconds(timer, clicks), clicks);
    return 0;
}
