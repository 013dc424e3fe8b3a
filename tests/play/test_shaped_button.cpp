// SPDX-License-Identifier: GPL-3.0-or-later
// The ball button: its outline from the shape files, where clicks count,
// where the take number sits, and how a new ball takes after the first.
#include "play/ShapedButton.h"
#include "shared/AppPath.h"

#include <QtTest>

#include <QBitmap>
#include <QImage>
#include <QPainter>

namespace {

QString ShapePath(const char* file) { return AppPath() + u'/' + QLatin1String(file); }

// A point of the 40 x 40 shape field on a button of the design size.
QPoint FieldPoint(const ShapedButton& button, double x, double y)
{
    return {int(x * button.width() / 40.0), int(y * button.height() / 40.0)};
}

struct HitCase {
    const char* where;
    double x;
    double y;
    bool inside;
};

// The mean row of the pure white pixels that the button paints: the caption's
// figures are white, the ball without picture is shades of grey below white.
double CaptionRow(ShapedButton& button)
{
    QImage image(button.size(), QImage::Format_ARGB32);
    image.fill(Qt::black);
    button.render(&image);
    double rowSum = 0;
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == qRgb(255, 255, 255)) {
                rowSum += y;
                ++count;
            }
        }
    }
    return count > 0 ? rowSum / count : -1.0;
}

} // namespace

class TestShapedButton : public QObject {
    Q_OBJECT

private slots:
    void designSizeAndCircleByDefault();
    void outlineFollowsTheShapeFile_data();
    void outlineFollowsTheShapeFile();
    void missingOrDamagedFileKeepsTheCircle();
    void clicksOutsideTheOutlineDoNotCount();
    void outlineAndMaskFollowTheSize();
    void captionSitsWhereAlignmentPutsIt();
    void copyTakesOverEverythingButTheCaption();
};

void TestShapedButton::designSizeAndCircleByDefault()
{
    ShapedButton button;
    QCOMPARE(button.size(), QSize(38, 38));  // 570 twips
    QCOMPARE(button.AlignmentV(), 1);
    QVERIFY(button.FileName().isEmpty());
    QVERIFY(button.Caption().isEmpty());
    QCOMPARE(button.Outline().boundingRect(), QRectF(0, 0, 38, 38));
    QVERIFY(button.Outline().contains(QPointF(19, 19)));
    QVERIFY(!button.Outline().contains(QPointF(3, 3)));
}

void TestShapedButton::outlineFollowsTheShapeFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QList<HitCase>>("cases");

    QTest::newRow("circle") << "B_Push.shp"
                            << QList<HitCase>{{"centre", 20, 20, true},
                                              {"near the top", 20, 1.5, true},
                                              {"top-left corner", 1, 1, false},
                                              {"bottom-right corner", 39, 39, false}};
    QTest::newRow("triangle") << "S_Push.shp"
                              << QList<HitCase>{{"centre", 20, 20, true},
                                                {"top-left corner", 1, 1, false},
                                                {"top-right corner", 38.5, 1, false},
                                                {"beside the point", 12, 8, false},
                                                {"bottom-left corner", 3, 36, true},
                                                {"bottom-right corner", 37, 36, true}};
    QTest::newRow("diamond") << "D_Push.shp"
                             << QList<HitCase>{{"centre", 20, 20, true},
                                               {"near the top", 20, 2, true},
                                               {"near the left", 2, 20, true},
                                               {"top-left corner", 5, 5, false},
                                               {"bottom-right corner", 35, 35, false}};
    QTest::newRow("oval") << "M_Push.shp"
                          << QList<HitCase>{{"centre", 20, 20, true},
                                            {"near the left point", 3, 20, true},
                                            {"near the right point", 37, 20, true},
                                            {"above the middle", 20, 3, false},
                                            {"below the middle", 20, 37, false}};
}

void TestShapedButton::outlineFollowsTheShapeFile()
{
    QFETCH(QString, file);
    QFETCH(QList<HitCase>, cases);
    ShapedButton button;
    button.SetFileName(AppPath() + u'/' + file);
    QCOMPARE(button.FileName(), AppPath() + u'/' + file);
    for (const HitCase& hit : cases) {
        const QPointF point(hit.x * button.width() / 40.0, hit.y * button.height() / 40.0);
        QVERIFY2(button.Outline().contains(point) == hit.inside, hit.where);
    }
}

void TestShapedButton::missingOrDamagedFileKeepsTheCircle()
{
    const QPainterPath circle = ShapedButton().Outline();
    QTemporaryDir folder;
    QFile damaged(folder.filePath("damaged.shp"));
    QVERIFY(damaged.open(QIODevice::WriteOnly));
    damaged.write("ZUMIRAK-SHAPE 1\npolygon 20 0 40\n");
    damaged.close();

    for (const QString& path : {folder.filePath("missing.shp"), damaged.fileName(), folder.path(), QString()}) {
        ShapedButton button;
        button.SetFileName(ShapePath("S_Push.shp"));
        QVERIFY(button.Outline() != circle);
        // A bad file after a good one goes back to the circle, not the old outline.
        button.SetFileName(path);
        QCOMPARE(button.Outline(), circle);
        QCOMPARE(button.FileName(), path);
    }
}

void TestShapedButton::clicksOutsideTheOutlineDoNotCount()
{
    QWidget window;
    window.resize(200, 100);
    auto* circle = new ShapedButton(&window);
    auto* triangle = new ShapedButton(&window);
    triangle->SetFileName(ShapePath("S_Push.shp"));
    triangle->move(100, 0);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    // Corners a pixel in: QTest takes the point (0, 0) for the button's centre.
    QSignalSpy circleClicks(circle, &ShapedButton::Click);
    QSignalSpy triangleClicks(triangle, &ShapedButton::Click);
    QTest::mouseClick(circle, Qt::LeftButton, {}, FieldPoint(*circle, 2, 2));
    QTest::mouseClick(triangle, Qt::LeftButton, {}, FieldPoint(*triangle, 2, 2));
    QTest::mouseClick(triangle, Qt::LeftButton, {}, FieldPoint(*triangle, 38.5, 1));
    QCOMPARE(circleClicks.count(), 0);
    QCOMPARE(triangleClicks.count(), 0);

    QTest::mouseClick(circle, Qt::LeftButton, {}, FieldPoint(*circle, 20, 20));
    QTest::mouseClick(triangle, Qt::LeftButton, {}, FieldPoint(*triangle, 20, 30));
    QCOMPARE(circleClicks.count(), 1);
    QCOMPARE(triangleClicks.count(), 1);

    // Presses beside the ball go on to the window behind it; on the ball they stop.
    struct PressLog : QObject {
        int presses = 0;
        bool eventFilter(QObject*, QEvent* event) override
        {
            presses += event->type() == QEvent::MouseButtonPress;
            return false;
        }
    } windowPresses;
    window.installEventFilter(&windowPresses);
    QTest::mousePress(triangle, Qt::LeftButton, {}, FieldPoint(*triangle, 38.5, 1));
    QTest::mouseRelease(triangle, Qt::LeftButton, {}, FieldPoint(*triangle, 38.5, 1));
    QCOMPARE(windowPresses.presses, 1);
    QTest::mousePress(circle, Qt::LeftButton, {}, FieldPoint(*circle, 20, 20));
    QTest::mouseRelease(circle, Qt::LeftButton, {}, FieldPoint(*circle, 20, 20));
    QCOMPARE(windowPresses.presses, 1);

    // The ball paints only on its outline and rim.
    QVERIFY(circle->VisibleRegion().contains(FieldPoint(*circle, 20, 20)));
    QVERIFY(!circle->VisibleRegion().contains(FieldPoint(*circle, 2, 2)));
    QVERIFY(!triangle->VisibleRegion().contains(FieldPoint(*triangle, 38.5, 1)));
}

void TestShapedButton::outlineAndMaskFollowTheSize()
{
    ShapedButton button;
    button.SetFileName(ShapePath("D_Push.shp"));
    button.show();
    button.resize(80, 60);
    const QRectF bounds = button.Outline().boundingRect();
    QCOMPARE(bounds, QRectF(0, 0, 80, 60));
    QVERIFY(button.VisibleRegion().contains(QPoint(75, 30)));
    QVERIFY(!button.VisibleRegion().contains(QPoint(10, 5)));
}

void TestShapedButton::captionSitsWhereAlignmentPutsIt()
{
    ShapedButton button;
    button.resize(80, 80);  // room for the caption to move
    button.SetCaption(QStringLiteral("8"));
    QCOMPARE(button.Caption(), QStringLiteral("8"));

    button.SetAlignmentV(0);
    const double top = CaptionRow(button);
    button.SetAlignmentV(1);
    const double middle = CaptionRow(button);
    button.SetAlignmentV(2);
    const double bottom = CaptionRow(button);
    QVERIFY2(top > 0 && top < 30, qPrintable(QString::number(top)));
    QVERIFY2(middle > 30 && middle < 50, qPrintable(QString::number(middle)));
    QVERIFY2(bottom > 50, qPrintable(QString::number(bottom)));

    // On the triangle the bottom is its wide base.
    button.SetFileName(ShapePath("S_Push.shp"));
    QVERIFY(CaptionRow(button) > 50);

    // Values other than 0, 1, 2 mean the middle.
    button.SetAlignmentV(7);
    QCOMPARE(button.AlignmentV(), 1);
    button.SetAlignmentV(-1);
    QCOMPARE(button.AlignmentV(), 1);

    button.SetCaption(QString());
    QCOMPARE(CaptionRow(button), -1.0);
}

void TestShapedButton::copyTakesOverEverythingButTheCaption()
{
    QPixmap picture(40, 40);
    picture.fill(Qt::red);
    ShapedButton first;
    first.SetFileName(ShapePath("S_Push.shp"));
    first.SetAlignmentV(2);
    first.SetPicture(picture);
    first.resize(50, 44);
    first.SetCaption(QStringLiteral("1"));

    first.show();  // a hidden button learns its new size when shown

    ShapedButton next;
    next.CopyPropertiesFrom(first);
    QCOMPARE(next.FileName(), first.FileName());
    QCOMPARE(next.Outline(), first.Outline());
    QCOMPARE(next.AlignmentV(), 2);
    QCOMPARE(next.size(), QSize(50, 44));
    QCOMPARE(next.font(), first.font());
    QCOMPARE(next.Picture().toImage(), picture.toImage());
    QVERIFY(next.Caption().isEmpty());
    QCOMPARE(next.VisibleRegion(), first.VisibleRegion());
    // One outline for both, not built again; a new shape file gives a new one.
    QCOMPARE(next.SharedOutline(), first.SharedOutline());
    ShapedButton other;
    other.CopyPropertiesFrom(first);
    other.SetFileName(ShapePath("D_Push.shp"));
    QVERIFY(other.SharedOutline() != first.SharedOutline());
    QCOMPARE(next.Outline(), first.Outline());
}

QTEST_MAIN(TestShapedButton)
#include "test_shaped_button.moc"
