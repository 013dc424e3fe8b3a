// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue's entries and its drawn pictures.
#include "play/BallPicture.h"
#include "stages/LayoutString.h"
#include "play/PicForm.h"
#include "play/StagePicture.h"
#include "play/StageTable.h"

#include <QGuiApplication>
#include <QImage>
#include <QtTest>

#include <algorithm>
#include <set>

namespace {

bool IsWhite(QRgb pixel) { return qRed(pixel) > 245 && qGreen(pixel) > 245 && qBlue(pixel) > 245; }
bool IsBlack(QRgb pixel) { return qRed(pixel) < 10 && qGreen(pixel) < 10 && qBlue(pixel) < 10; }

// The picture at one device pixel per logical pixel, for sampling.
QImage Logical(const QPixmap& picture)
{
    return picture.toImage().scaled(picture.deviceIndependentSize().toSize(), Qt::IgnoreAspectRatio,
                                    Qt::SmoothTransformation);
}

QRect DarkBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 128)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The ball's middle, shrunk to one pixel: its overall colour.
QColor MeanColour(const QImage& ball)
{
    return ball.copy(8, 8, 24, 24).scaled(1, 1, Qt::IgnoreAspectRatio, Qt::SmoothTransformation).pixelColor(0, 0);
}

int Distance(const QColor& a, const QColor& b)
{
    return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue());
}

} // namespace

class TestCataloguePictures : public QObject {
    Q_OBJECT

private slots:
    void entriesCarryTheShippedTitlesAndLayouts();
    void stagePictureShowsEachBallWhereTheLayoutPutsIt();
    void stagePitchFitsEveryFigure();
    void figureKeepsClearOfTheBandsAndSides_data();
    void figureKeepsClearOfTheBandsAndSides();
    void ballPicturesAreEightDistinctSpheresOnWhite();
    void picturesFollowTheDevicePixelRatio();
    void unreadableLayoutGivesABlankPicture();
};

void TestCataloguePictures::entriesCarryTheShippedTitlesAndLayouts()
{
    const qreal ratio = qGuiApp->devicePixelRatio();
    for (int i = 0; i < PicForm::StageCount; ++i) {
        const PicForm::StageEntry& entry = PicForm::Game(i);
        QCOMPARE(entry.Tag, StageTable::Layout(i));
        QCOMPARE(entry.ToolTipText, StageTable::Title(i));
        QCOMPARE(entry.Picture.deviceIndependentSize(), QSizeF(200, 200));
        QCOMPARE(entry.Picture.devicePixelRatio(), ratio);
    }
    // Read-only and built once: every access hands out the same entry.
    QCOMPARE(&PicForm::Game(7), &PicForm::Game(7));
    QCOMPARE(PicForm::Game(29).ToolTipText, QStringLiteral("６８"));
}

// The layout alone says where a ball is; the picture must agree cell by cell
// (a mirrored, transposed or shifted figure fails here).
void TestCataloguePictures::stagePictureShowsEachBallWhereTheLayoutPutsIt()
{
    for (int i = 0; i < PicForm::StageCount; ++i) {
        const LayoutReading reading = ReadLayoutString(StageTable::Layout(i));
        int columns = 0, rows = 0;
        bool ball[15][15] = {};
        for (const BallRecord& b : reading.balls) {
            columns = std::max(columns, b.column() + 1);
            rows = std::max(rows, b.row() + 1);
            ball[b.row()][b.column()] = true;
        }

        const QImage image = Logical(PicForm::Game(i).Picture);
        const QRect bounds = DarkBounds(image);
        // Centred, with white all round.
        QVERIFY2(bounds.left() > 0 && bounds.top() > 0 && bounds.right() < 199 && bounds.bottom() < 199,
                 qPrintable(QStringLiteral("stage %1").arg(i)));
        QVERIFY(std::abs((bounds.left() + bounds.right()) - 199) <= 3);
        QVERIFY(std::abs((bounds.top() + bounds.bottom()) - 199) <= 3);

        const qreal pitchX = qreal(bounds.width()) / columns;
        const qreal pitchY = qreal(bounds.height()) / rows;
        QVERIFY2(std::abs(pitchX - pitchY) < 1.0, qPrintable(QStringLiteral("stage %1: discs not round").arg(i)));
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column) {
                const QRgb centre = image.pixel(bounds.left() + int((column + 0.5) * pitchX),
                                                bounds.top() + int((row + 0.5) * pitchY));
                QVERIFY2(ball[row][column] ? IsBlack(centre) : IsWhite(centre),
                         qPrintable(QStringLiteral("stage %1, column %2, row %3").arg(i).arg(column).arg(row)));
            }
    }
}

void TestCataloguePictures::stagePitchFitsEveryFigure()
{
    int usual = 0;
    for (int cells = 1; cells <= 15; ++cells) {
        const int pitch = StagePicturePitch(cells);
        QVERIFY(cells * pitch <= StagePictureSize);
        QVERIFY(pitch <= 26);
        if (cells <= 11)  // every shipped figure
            QVERIFY(pitch >= 15);
    }
    for (int i = 0; i < StageTable::Count; ++i) {
        const LayoutReading reading = ReadLayoutString(StageTable::Layout(i));
        int extent = 0;
        for (const BallRecord& b : reading.balls)
            extent = std::max({extent, b.column() + 1, b.row() + 1});
        // Below 18 only where the bands for the title and the mark leave no room.
        usual += StagePicturePitch(extent) >= 16;
    }
    QVERIFY(usual > StageTable::Count / 2);
}

// The selection window writes the title in the picture's foot band and marks
// a cleared stage in its head band: no figure, shipped or the player's own,
// runs into them or off the picture's sides.
void TestCataloguePictures::figureKeepsClearOfTheBandsAndSides_data()
{
    QTest::addColumn<QString>("layout");
    for (int i = 0; i < StageTable::Count; ++i)
        QTest::addRow("stage %d", i) << StageTable::Layout(i);
    // A block of cells, with a hole of 5 x 5 in its middle when asked for.
    auto cells = [](int columns, int rows, bool hole) {
        std::vector<Rules::Cell> balls;
        for (int row = 0; row < rows; ++row)
            for (int column = 0; column < columns; ++column)
                if (!hole || row < 5 || row > 9 || column < 5 || column > 9)
                    balls.push_back({row, column});
        return LayoutOf(Rules::Figure(balls));
    };
    QTest::newRow("200 balls") << cells(15, 15, true);
    QTest::newRow("whole board") << cells(15, 15, false);
    QTest::newRow("one row of 15") << cells(15, 1, false);
    QTest::newRow("one column of 15") << cells(1, 15, false);
}

void TestCataloguePictures::figureKeepsClearOfTheBandsAndSides()
{
    QFETCH(QString, layout);
    const QRect bounds = DarkBounds(Logical(DrawStagePicture(layout, 1.0)));
    QVERIFY(!bounds.isNull());
    const QRect room(StagePictureSide, StagePictureBand, StagePictureSize - 2 * StagePictureSide,
                     StagePictureSize - 2 * StagePictureBand);
    QVERIFY2(room.contains(bounds), qPrintable(QStringLiteral("figure at %1,%2 %3x%4")
                                                   .arg(bounds.x()).arg(bounds.y()).arg(bounds.width()).arg(bounds.height())));
}

void TestCataloguePictures::ballPicturesAreEightDistinctSpheresOnWhite()
{
    std::vector<QColor> means;
    for (int k = 0; k < PicForm::BallPictureCount; ++k) {
        const QPixmap& picture = PicForm::Ball(k);
        QCOMPARE(picture.deviceIndependentSize(), QSizeF(40, 40));
        const QImage image = Logical(picture);
        for (QPoint corner : {QPoint(0, 0), QPoint(39, 0), QPoint(0, 39), QPoint(39, 39)})
            QVERIFY2(IsWhite(image.pixel(corner)), qPrintable(QStringLiteral("ball %1").arg(k)));
        // Shaded: the lit upper left is brighter than the lower right rim.
        QVERIFY(qGray(image.pixel(14, 13)) > qGray(image.pixel(31, 31)) + 40);
        QVERIFY(!IsWhite(image.pixel(20, 22)));
        means.push_back(MeanColour(image));
    }
    for (std::size_t a = 0; a < means.size(); ++a)
        for (std::size_t b = a + 1; b < means.size(); ++b)
            QVERIFY2(Distance(means[a], means[b]) > 60,
                     qPrintable(QStringLiteral("balls %1 and %2 look alike").arg(a).arg(b)));

    // The rainbow ball shows many hues, the others essentially one.
    auto hues = [](const QImage& image) {
        std::set<int> sextants;
        for (int y = 6; y < 34; ++y)
            for (int x = 6; x < 34; ++x) {
                const QColor c = QColor::fromRgb(image.pixel(x, y));
                if (c.hsvSaturation() > 120 && c.value() > 80)
                    sextants.insert(c.hsvHue() / 60);
            }
        return sextants.size();
    };
    QVERIFY(hues(Logical(PicForm::Ball(int(BallColouring::RainbowStriped)))) >= 5);
    QVERIFY(hues(Logical(PicForm::Ball(int(BallColouring::Red)))) <= 2);
}

void TestCataloguePictures::picturesFollowTheDevicePixelRatio()
{
    const QPixmap ball = DrawBallPicture(BallColouring::Cyan, 2.0);
    QCOMPARE(ball.size(), QSize(80, 80));
    QCOMPARE(ball.deviceIndependentSize(), QSizeF(40, 40));
    const QPixmap stage = DrawStagePicture(StageTable::Layout(0), 2.0);
    QCOMPARE(stage.size(), QSize(400, 400));
    QCOMPARE(stage.deviceIndependentSize(), QSizeF(200, 200));
    // Same figure as at ratio 1, only finer.
    QCOMPARE(DarkBounds(Logical(stage)), DarkBounds(Logical(DrawStagePicture(StageTable::Layout(0), 1.0))));
}

void TestCataloguePictures::unreadableLayoutGivesABlankPicture()
{
    for (const QString& layout : {QString(), QStringLiteral("0600,0000"), QStringLiteral("9999,9999,")}) {
        const QImage image = Logical(DrawStagePicture(layout, 1.0));
        QCOMPARE(image.size(), QSize(200, 200));
        QVERIFY(DarkBounds(image).isNull());
    }
}

QTEST_MAIN(TestCataloguePictures)
#include "test_catalogue_pictures.moc"
