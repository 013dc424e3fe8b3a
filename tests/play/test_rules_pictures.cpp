// SPDX-License-Identifier: GPL-3.0-or-later
// The draws that give every ball its picture.
#include "play/Rnd.h"

#include <QtTest>

#include <array>

class TestRulesPictures : public QObject {
    Q_OBJECT

private slots:
    void init() { ResetRndForTesting(); }

    void everyRunStartsWithTheSamePictures();
    void drawsGoOnFromVisitToVisit();
    void fullCycleGivesEveryPictureEqually();
};

void TestRulesPictures::everyRunStartsWithTheSamePictures()
{
    const std::array<int, 5> expected = {5, 4, 4, 2, 2};
    for (const int picture : expected) QCOMPARE(RandomBallPicture(), picture);
}

void TestRulesPictures::drawsGoOnFromVisitToVisit()
{
    // A second stage of 3 balls after a first of 2 continues the sequence
    // rather than repeating it.
    RandomBallPicture();
    RandomBallPicture();
    QCOMPARE(RandomBallPicture(), 4);
    QCOMPARE(RandomBallPicture(), 2);
    QCOMPARE(RandomBallPicture(), 2);
}

void TestRulesPictures::fullCycleGivesEveryPictureEqually()
{
    // The generator visits every 24-bit state once per cycle, so over one
    // cycle each of the eight pictures comes up exactly 2^21 times, every
    // draw lies in [0, 1), and the cycle ends where it began.
    constexpr int cycle = 1 << 24;
    std::array<int, 8> counts{};
    ResetRndForTesting();
    const double first = Rnd();
    double draw = first;
    for (int i = 0; i < cycle; ++i) {
        if (draw < 0.0 || draw >= 1.0) QFAIL(qPrintable(QStringLiteral("draw %1 out of range").arg(draw)));
        ++counts[static_cast<int>(draw * 8)];
        draw = Rnd();
    }
    QCOMPARE(draw, first);
    for (const int count : counts) QCOMPARE(count, 1 << 21);
}

QTEST_GUILESS_MAIN(TestRulesPictures)
#include "test_rules_pictures.moc"
