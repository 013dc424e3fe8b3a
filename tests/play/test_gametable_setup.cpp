// SPDX-License-Identifier: GPL-3.0-or-later
// The play window as it opens: balls and board, size, outline, background
// picture, record in the status bar, and a second opening while it is open.

#include "test_gametable_kit.h"

#include "play/DefModule.h"
#include "play/PlayWindowSize.h"
#include "play/StageTable.h"
#include "shared/AppPath.h"
#include "shared/Twips.h"

#include <QDateTime>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>

class TestGameTableSetup : public QObject {
    Q_OBJECT

    std::unique_ptr<PlayKit> kit;

    static QMdiSubWindow* Frame() { return qobject_cast<QMdiSubWindow*>(GameTable::Instance()->parentWidget()); }

    static int CountCells(std::int16_t code)
    {
        int count = 0;
        for (const auto& row : DefModule::Board)
            count += static_cast<int>(std::count(std::begin(row), std::end(row), code));
        return count;
    }

private slots:
    void initTestCase() { kit = std::make_unique<PlayKit>(); }
    void cleanupTestCase() { kit.reset(); }
    void cleanup()
    {
        PlayKit::CloseTable();
        DefModule::BallShape.clear();
        DefModule::WallpaperPath = AppPath() + QStringLiteral("/Back5.gif");
    }

    void stageZeroPlacesEighteenBallsOnTheBoard()
    {
        GameTable* table = kit->Open(0);
        QVERIFY(table);
        QCOMPARE(table->PushCommandCount(), 18);
        QCOMPARE(table->PushCommand(0)->pos(), Twips::Point(600, 0));
        QCOMPARE(DefModule::BallCount, 18);
        QCOMPARE(DefModule::TakeCount, 0);
        QCOMPARE(DefModule::Board[0][1], DefModule::CellBall);
        QCOMPARE(CountCells(DefModule::CellBall), 18);
        QCOMPARE(CountCells(DefModule::CellEmpty), 207);
        for (int k = 0; k < table->PushCommandCount(); ++k) {
            const ShapedButton* ball = table->PushCommand(k);
            QVERIFY(ball->isVisible());
            QVERIFY(!ball->Picture().isNull());
            QVERIFY(ball->Caption().isEmpty());
            QCOMPARE(ball->size(), Twips::Size(570, 570));
        }
        QCOMPARE(table->windowTitle(), StageTable::Title(0));
        QCOMPARE(table->StageNumber, QStringLiteral("0"));
        QVERIFY(!table->Timer1->isActive());
        QCOMPARE(table->Timer1->interval(), 1000);
        QCOMPARE(kit->Panel(1), QStringLiteral("0秒"));
        QCOMPARE(kit->Panel(2), QStringLiteral("1回目の挑戦"));
        QCOMPARE(kit->Panel(3), QStringLiteral("達成記録0秒"));
    }

    void windowFitsTheFigure_data()
    {
        QTest::addColumn<int>("stage");
        QTest::addColumn<int>("maxLeft");
        QTest::addColumn<int>("maxTop");
        QTest::newRow("stage 24, tallest") << 24 << 2400 << 6000;
        QTest::newRow("stage 15, widest") << 15 << 6000 << 3600;
    }
    void windowFitsTheFigure()
    {
        QFETCH(int, stage);
        QFETCH(int, maxLeft);
        QFETCH(int, maxTop);
        GameTable* table = kit->Open(stage);
        QMdiSubWindow* frame = Frame();
        QVERIFY(frame);

        // The outer size of the design (stage 24: 3150 x 7000 twips), or more
        // where our frame is thicker; never less room inside than the design.
        const QSize design = Twips::Size(maxLeft + 750, maxTop + 1000);
        QVERIFY(frame->width() >= design.width() && frame->height() >= design.height());
        QVERIFY(table->width() >= design.width() - 8);
        QVERIFY(table->height() >= design.height() - 27);
        QCOMPARE(frame->minimumSize(), frame->maximumSize());

        // Every ball whole, with a margin to the right and below.
        QRect figure;
        for (int k = 0; k < table->PushCommandCount(); ++k)
            figure |= table->PushCommand(k)->geometry();
        QCOMPARE(figure.right() + 1, Twips::ToPixels(maxLeft + 570));
        QCOMPARE(figure.bottom() + 1, Twips::ToPixels(maxTop + 570));
        QVERIFY(table->rect().contains(figure.adjusted(0, 0, 2, 2)));
        QVERIFY(!(frame->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    }

    void outerSizeGrowsOnlyByAThickerFrame()
    {
        // Stage 24's figure: with the design's own frame exactly 3150 x 7000 twips.
        QCOMPARE(PlayWindowOuterSize(2400, 6000, QMargins(4, 23, 4, 4)), QSize(210, 467));
        QCOMPARE(PlayWindowOuterSize(2400, 6000, QMargins(2, 20, 2, 2)), QSize(210, 467));
        // A frame 2 pixels wider at each side and 7 taller on top.
        QCOMPARE(PlayWindowOuterSize(2400, 6000, QMargins(6, 30, 6, 6)), QSize(214, 476));
    }

    void ballShapeChoosesTheOutlineOfEveryBall_data()
    {
        QTest::addColumn<QString>("ballShape");
        QTest::addColumn<QString>("shapeFile");
        QTest::addColumn<bool>("aligned");
        QTest::newRow("none: built-in circle") << QString() << QString() << false;
        QTest::newRow("Maru") << "Maru" << "/B_Push.shp" << false;
        QTest::newRow("Sankaku") << "Sankaku" << "/S_Push.shp" << true;
        QTest::newRow("Daia") << "Daia" << "/D_Push.shp" << false;
        QTest::newRow("Ame") << "Ame" << "/M_Push.shp" << false;
        QTest::newRow("other case: circle") << "maru" << QString() << false;
    }
    void ballShapeChoosesTheOutlineOfEveryBall()
    {
        QFETCH(QString, ballShape);
        QFETCH(QString, shapeFile);
        QFETCH(bool, aligned);
        const int defaultAlignment = ShapedButton().AlignmentV();
        DefModule::BallShape = ballShape;
        GameTable* table = kit->Open(3);
        const QString expectedFile = shapeFile.isEmpty() ? QString() : AppPath() + shapeFile;
        for (int k = 0; k < table->PushCommandCount(); ++k) {
            const ShapedButton* ball = table->PushCommand(k);
            QCOMPARE(ball->FileName(), expectedFile);
            QCOMPARE(ball->AlignmentV(), aligned ? 2 : defaultAlignment);
            QVERIFY(ball->Outline().contains(QPointF(ball->rect().center())));
            // Every ball shares the first one's outline.
            QCOMPARE(ball->SharedOutline(), table->PushCommand(0)->SharedOutline());
        }
    }

    void backgroundIsDrawnAtItsOwnSizeFromTheCorner()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("small.png"));
        QImage small(10, 10, QImage::Format_RGB32);
        small.fill(QColor(200, 30, 30));
        QVERIFY(small.save(path));
        DefModule::WallpaperPath = path;

        GameTable* table = kit->Open(24);
        QCOMPARE(table->Picture().size(), QSize(10, 10));
        const QImage shot = table->grab().toImage();
        QCOMPARE(shot.pixelColor(2, 2), QColor(200, 30, 30));
        // Neither stretched nor tiled: past its size the window's own colour.
        QCOMPARE(shot.pixelColor(20, 2), table->palette().color(QPalette::Window));
        QCOMPARE(shot.pixelColor(2, 20), table->palette().color(QPalette::Window));
    }

    void wallpaperIsReadOnceAndAgainWhenItsFileChanges()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("wall.png"));
        auto write = [&](int side, QColor colour, QDateTime stamp) {
            QImage picture(side, side, QImage::Format_RGB32);
            picture.fill(colour);
            QVERIFY(picture.save(path));
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadWrite));
            QVERIFY(file.setFileTime(stamp, QFileDevice::FileModificationTime));
        };
        const QDateTime stamp = QDateTime::currentDateTime().addSecs(-60);
        write(12, Qt::green, stamp);
        DefModule::WallpaperPath = path;

        const qint64 first = kit->Open(3)->Picture().cacheKey();
        PlayKit::CloseTable();
        QCOMPARE(kit->Open(3)->Picture().cacheKey(), first);  // shared, not read again
        PlayKit::CloseTable();

        // The same name, another picture of the same size: read anew.
        write(12, Qt::blue, stamp.addSecs(1));
        GameTable* table = kit->Open(3);
        QCOMPARE(table->Picture().pixelColor(1, 1), QColor(Qt::blue));
        PlayKit::CloseTable();

        // Gone: the plain window; back again: read again.
        QVERIFY(QFile::remove(path));
        QVERIFY(kit->Open(3)->Picture().isNull());
        PlayKit::CloseTable();
        write(14, Qt::red, stamp);
        QCOMPARE(kit->Open(3)->Picture().size(), QSize(14, 14));
    }

    void ourWallpaperLiesBesideTheProgram()
    {
        GameTable* table = kit->Open(0);
        QCOMPARE(table->Picture().size(), QSize(620, 620));
    }

    void unreadableWallpaperLeavesAPlainBackground_data()
    {
        QTest::addColumn<bool>("exists");
        QTest::newRow("missing") << false;
        QTest::newRow("text named .gif") << true;
    }
    void unreadableWallpaperLeavesAPlainBackground()
    {
        QFETCH(bool, exists);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Back5.gif"));
        if (exists) {
            QFile text(path);
            QVERIFY(text.open(QIODevice::WriteOnly));
            text.write("not a picture at all\n");
        }
        DefModule::WallpaperPath = path;

        const std::size_t boxesBefore = kit->boxes.size();
        GameTable* table = kit->Open(0);
        QVERIFY(table->Picture().isNull());
        QCOMPARE(table->PushCommandCount(), 18);
        QCOMPARE(kit->boxes.size(), boxesBefore);
        const QImage shot = table->grab().toImage();
        QCOMPARE(shot.pixelColor(1, 1), table->palette().color(QPalette::Window));
    }

    // Two pixels: #123456, then #abcdef or a transparent one.
    void wallpaperGifKeepsItsOwnColours_data()
    {
        QTest::addColumn<QByteArray>("gif");
        QTest::addColumn<QColor>("second");
        QTest::newRow("opaque") << QByteArray::fromHex("47494638396102000100f00000123456abcdef21f90400000000002c00000000"
                                                       "02000100000202440a003b")
                                << QColor(0xab, 0xcd, 0xef);
        QTest::newRow("with transparency") << QByteArray::fromHex("47494638396102000100f0000012345600000021f90401000001002c"
                                                                  "0000000002000100000202440a003b")
                                           << QColor(Qt::transparent);
    }
    void wallpaperGifKeepsItsOwnColours()
    {
        QFETCH(QByteArray, gif);
        QFETCH(QColor, second);
        QTemporaryDir dir;
        QFile file(dir.filePath(QStringLiteral("two.gif")));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(gif) == gif.size());
        file.close();
        DefModule::WallpaperPath = file.fileName();
        const QImage picture = kit->Open(0)->Picture();
        QCOMPARE(picture.pixelColor(0, 0), QColor(0x12, 0x34, 0x56));
        QCOMPARE(picture.pixelColor(1, 0).rgba(), second.rgba());
    }

    void recordOfAClearedStageShowsInTheStatusBar()
    {
        PlayKit::SetRecord(5, QStringLiteral("3"), QStringLiteral("95"));
        kit->Open(5);
        QCOMPARE(kit->Panel(2), QStringLiteral("3回目で成功"));
        QCOMPARE(kit->Panel(3), QStringLiteral("達成記録95秒"));
        PlayKit::CloseTable();
        QCOMPARE(PlayKit::Record(5), QStringList({"3", "95"}));
        PlayKit::SetRecord(5, QStringLiteral("1"), QStringLiteral("0"));
    }

    void openingWhileOpenOnlyBringsTheWindowToTheFront()
    {
        GameTable* table = kit->Open(0);
        PlayKit::Click(0);
        QCOMPARE(DefModule::TakeCount, 1);
        const std::size_t soundsBefore = kit->sounds.size();

        // Another stage on display: no new visit.
        QCOMPARE(kit->Open(7), table);
        QCOMPARE(table->StageNumber, QStringLiteral("0"));
        QCOMPARE(DefModule::TakeCount, 1);
        QCOMPARE(table->PushCommand(0)->Caption(), QStringLiteral("1"));
        QCOMPARE(kit->sounds.size(), soundsBefore);
        QCOMPARE(kit->Workspace().activeSubWindow(), Frame());
        QCOMPARE(kit->Workspace().subWindowList().size(), 1);
    }

    void layoutThatDoesNotReadGivesAnEmptyStage()
    {
        kit->shown = {2, QStringLiteral("0600,0000,9999,abc"), StageTable::Title(2), PlayKit::RoundKey(2)};
        GameTable* table = kit->OpenShown();
        QVERIFY(table);
        QCOMPARE(DefModule::BallCount, 0);
        QCOMPARE(CountCells(DefModule::CellEmpty), 225);
        QVERIFY(table->PushCommand(0)->isHidden());
        table->PushCommand_Click(0);
        table->PushCommand_Click(5);
        QCOMPARE(DefModule::TakeCount, 0);
        QVERIFY(!table->Timer1->isActive());
    }
};

QTEST_MAIN(TestGameTableSetup)
#include "test_gametable_setup.moc"
