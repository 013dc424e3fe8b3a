// SPDX-License-Identifier: GPL-3.0-or-later
// The Options menu: the single ball-outline check mark, the wallpaper chooser
// and the deletion of the records, seen from the next play window; where the
// file choosers open.
#include "app/MainForm.h"
#include "play/DefModule.h"
#include "play/GameTable.h"
#include "play/ShapedButton.h"
#include "records/RegUpRead.h"
#include "select/GameSelect.h"
#include "shared/CommonDialog.h"
#include "shared/MsgBox.h"
#include "shared/UnexpectedBoxes.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

#include <optional>

using namespace RegUpRead;

class OptionsTest : public QObject {
    Q_OBJECT

    UnexpectedBoxes unexpectedBoxes_;

    QTemporaryDir configDir_;
    QTemporaryDir files_;
    MainForm* form_ = nullptr;
    QList<MsgBoxShown> boxes_;
    QMessageBox::StandardButton answer_ = QMessageBox::Ok;

    QList<QAction*> shapeItems() const
    {
        return {form_->mnu_Maru, form_->mnu_Daia, form_->mnu_Sankaku, form_->mnu_Ame};
    }

    QAction* checkedShape() const
    {
        QAction* checked = nullptr;
        for (QAction* item : shapeItems()) {
            if (item->isChecked()) {
                if (checked)
                    return nullptr;  // two marks: the caller's comparison fails
                checked = item;
            }
        }
        return checked;
    }

    static void writeStage(int stage, const QString& chargeNum, const QString& clearTime)
    {
        QVERIFY(RegSetStrings(HKEY_CURRENT_USER,
                              {{StageKey(stage), QStringLiteral("ChargeNum"), chargeNum},
                               {StageKey(stage), QStringLiteral("ClearTime"), clearTime}},
                              true));
    }

    static std::pair<QString, QString> readStage(int stage)
    {
        RegReadStage(static_cast<std::int16_t>(stage));
        return {StageChargeNum, StageClearTime};
    }

    static QString readValue(const QString& valueName)
    {
        QSettings ini(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Brenhavel"),
                      QStringLiteral("Zumirak"));
        return ini.value(valueName).toString();
    }

    GameTable* openStage(int stage)
    {
        form_->Selection()->HScroll1->setValue(stage);
        form_->mnu_Start->trigger();
        return GameTable::Instance();
    }

    void chooseFile(std::optional<QString> answer)
    {
        CommonDialog::SetResponderForTesting([answer](const CommonDialog&) { return answer; });
    }

private slots:
    void initTestCase()
    {
        QVERIFY(configDir_.isValid());
        qputenv("XDG_CONFIG_HOME", configDir_.path().toUtf8());
        qputenv("SDL_AUDIODRIVER", "dummy");
        SetMsgBoxResponderForTesting([this](const MsgBoxShown& box) {
            boxes_ << box;
            return box.buttons.testFlag(answer_) ? answer_ : QMessageBox::Ok;
        });
        // A player who went through the set-up and cleared two stages.
        std::vector<RegWrite> setup = InitialStageRecords();
        setup.push_back({ProgramKey, QStringLiteral("U_Name"), QStringLiteral("山田　太郎")});
        setup.push_back({ProgramKey, QStringLiteral("F_Name"), QStringLiteral("　")});
        setup.push_back({ProgramKey, QStringLiteral("LoadDate"), QStringLiteral("2026/12/01")});
        QVERIFY(RegSetStrings(HKEY_CURRENT_USER, setup, true));
        form_ = new MainForm;
        form_->show();
    }

    void cleanupTestCase()
    {
        if (GameTable* table = GameTable::Instance())
            table->close();
        delete form_;
        CommonDialog::SetResponderForTesting({});
        SetMsgBoxResponderForTesting({});
    }

    // First, while no chooser has been used yet.
    void choosersOpenInThePlayersFoldersThenWhereTheLastChoiceWasMade()
    {
        QTemporaryDir home;
        const QString pictures = home.filePath(QStringLiteral("Pictures"));
        const QString music = home.filePath(QStringLiteral("Music"));
        const QString chosenPictures = files_.filePath(QStringLiteral("絵"));
        const QString chosenSounds = files_.filePath(QStringLiteral("音"));
        for (const QString& folder : {pictures, music, chosenPictures, chosenSounds})
            QVERIFY(QDir().mkpath(folder));
        const QByteArray previousHome = qgetenv("HOME");
        qputenv("HOME", home.path().toUtf8());

        QStringList opened;
        std::optional<QString> answer;
        CommonDialog::SetResponderForTesting([&](const CommonDialog& dialog) {
            opened << dialog.StartFolder();
            return answer;
        });
        QAction* const wallpaper = form_->mnu_BackColar;
        QAction* const sound = form_->mnu_SoundHitBall;
        const struct {
            QAction* chooser;
            std::optional<QString> answer;
            QString opensIn;
        } steps[] = {
            {wallpaper, std::nullopt, pictures},
            {sound, std::nullopt, music},
            {wallpaper, chosenPictures + QStringLiteral("/a.bmp"), pictures},
            {wallpaper, std::nullopt, chosenPictures},
            {sound, std::nullopt, music},  // the picture's name is still in the shared dialog
            {sound, chosenSounds + QStringLiteral("/b.wav"), music},
            {sound, std::nullopt, chosenSounds},
            {wallpaper, std::nullopt, chosenPictures},
        };
        for (const auto& step : steps) {
            answer = step.answer;
            opened.clear();
            step.chooser->trigger();
            QCOMPARE(opened, QStringList{step.opensIn});
        }
        QCOMPARE(DefModule::WallpaperPath, chosenPictures + QStringLiteral("/a.bmp"));
        QCOMPARE(DefModule::HitSoundPath, chosenSounds + QStringLiteral("/b.wav"));

        // Folders that are gone: the standard one, then the home folder.
        QVERIFY(QDir(chosenSounds).removeRecursively());
        opened.clear();
        form_->mnu_SoundBack->trigger();
        QVERIFY(QDir(music).removeRecursively());
        form_->mnu_SoundClear->trigger();
        QCOMPARE(opened, QStringList({music, home.path()}));

        CommonDialog::SetResponderForTesting({});
        qputenv("HOME", previousHome);
    }

    void ballOutlineKeepsOneCheckMark()
    {
        QCOMPARE(checkedShape(), form_->mnu_Maru);
        QVERIFY(DefModule::BallShape.isEmpty());

        // The checked item does nothing: the empty setting stays empty.
        form_->mnu_Maru->trigger();
        QCOMPARE(checkedShape(), form_->mnu_Maru);
        QVERIFY(DefModule::BallShape.isEmpty());

        const struct {
            QAction* item;
            const char* shape;
        } clicks[] = {
            {form_->mnu_Daia, "Daia"},       {form_->mnu_Daia, "Daia"},
            {form_->mnu_Sankaku, "Sankaku"}, {form_->mnu_Ame, "Ame"},
            {form_->mnu_Maru, "Maru"},       {form_->mnu_Maru, "Maru"},
        };
        for (const auto& click : clicks) {
            click.item->trigger();
            QCOMPARE(checkedShape(), click.item);
            QCOMPARE(DefModule::BallShape, QString::fromLatin1(click.shape));
        }
    }

    void wallpaperChooserAndCancel()
    {
        const QString before = DefModule::WallpaperPath;
        QString shownTitle;
        QString shownFilter;
        CommonDialog::SetResponderForTesting([&](const CommonDialog& dialog) {
            shownTitle = dialog.DialogTitle;
            shownFilter = dialog.Filter;
            return std::optional<QString>();
        });
        form_->mnu_BackColar->trigger();
        QCOMPARE(shownTitle, QStringLiteral("壁紙の設定"));
        QCOMPARE(shownFilter, QStringLiteral("BMPファイル (*.bmp)|*.bmp|JPGファイル (*.jpg)|*.jpg;*.jpeg|gifファイル (*.gif)|*.gif"));
        QCOMPARE(DefModule::WallpaperPath, before);
        QCOMPARE(form_->mnu_BackColar->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_B));
    }

    void newSettingsReachOnlyTheNextPlayWindow()
    {
        form_->mnu_Maru->trigger();
        GameTable* open = openStage(0);
        QVERIFY(open);
        const QString openOutline = open->PushCommand(0)->FileName();
        const QImage openPicture = open->Picture();
        QVERIFY(openOutline.endsWith(QStringLiteral("/B_Push.shp")));

        const QString wallpaper = files_.filePath(QStringLiteral("red.bmp"));
        QImage red(64, 48, QImage::Format_RGB32);
        red.fill(Qt::red);
        QVERIFY(red.save(wallpaper, "BMP"));
        chooseFile(wallpaper);
        form_->mnu_BackColar->trigger();
        form_->mnu_Sankaku->trigger();
        QCOMPARE(DefModule::WallpaperPath, wallpaper);

        // The open window keeps what it took.
        QCOMPARE(open->PushCommand(0)->FileName(), openOutline);
        QCOMPARE(open->Picture(), openPicture);
        open->close();
        QTRY_VERIFY(!GameTable::Instance());

        GameTable* next = openStage(0);
        QVERIFY(next);
        for (int k = 0; k < next->PushCommandCount(); ++k) {
            QVERIFY(next->PushCommand(k)->FileName().endsWith(QStringLiteral("/S_Push.shp")));
            QCOMPARE(next->PushCommand(k)->AlignmentV(), 2);
        }
        QCOMPARE(next->Picture().size(), QSize(64, 48));
        next->close();
        QTRY_VERIFY(!GameTable::Instance());
    }

    void aTextFileNamedGifGivesAPlainBackground()
    {
        const QString fake = files_.filePath(QStringLiteral("notes.gif"));
        QFile file(fake);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("これは画像ではありません\n");
        file.close();
        chooseFile(fake);
        form_->mnu_BackColar->trigger();
        QCOMPARE(DefModule::WallpaperPath, fake);

        GameTable* table = openStage(3);
        QVERIFY(table);
        QVERIFY(table->Picture().isNull());
        QVERIFY(table->PushCommandCount() > 0);
        table->close();
        QTRY_VERIFY(!GameTable::Instance());
    }

    void deletionAsksAndCancelKeepsEverything()
    {
        writeStage(3, QStringLiteral("4"), QStringLiteral("95"));
        writeStage(49, QStringLiteral("7"), QStringLiteral("0"));
        boxes_.clear();
        answer_ = QMessageBox::Cancel;
        form_->mnu_Del->trigger();

        QCOMPARE(boxes_.size(), 1);
        QCOMPARE(boxes_[0].text, QStringLiteral("全ての記録を削除しますが、\r\n宜しいですか？"));
        QCOMPARE(boxes_[0].title, QStringLiteral("ズミラク"));
        QCOMPARE(boxes_[0].buttons, QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(boxes_[0].defaultButton, QMessageBox::Cancel);  // Return deletes nothing
        QCOMPARE(readStage(3), std::make_pair(QStringLiteral("4"), QStringLiteral("95")));
        QCOMPARE(readStage(49), std::make_pair(QStringLiteral("7"), QStringLiteral("0")));
    }

    void deletionWithOkResetsEveryRecordAndKeepsTheNames()
    {
        writeStage(3, QStringLiteral("4"), QStringLiteral("95"));
        writeStage(49, QStringLiteral("7"), QStringLiteral("0"));
        const QString loadDate = readValue(QStringLiteral("LoadDate"));
        answer_ = QMessageBox::Ok;
        boxes_.clear();
        form_->mnu_Del->trigger();

        QCOMPARE(boxes_.size(), 1);  // no message follows the deletion
        QCOMPARE(readValue(QStringLiteral("LoadDate")), loadDate);
        for (int stage = 0; stage < StageSlots; ++stage)
            QCOMPARE(readStage(stage), std::make_pair(QStringLiteral("1"), QStringLiteral("0")));
        RegReadUser();
        QCOMPARE(UserName, QStringLiteral("山田　太郎"));
        QCOMPARE(CompanyName, QStringLiteral("　"));
    }

    void anOpenPlayWindowWritesFromTheRecordItRead()
    {
        writeStage(5, QStringLiteral("2"), QStringLiteral("0"));
        GameTable* table = openStage(5);
        QVERIFY(table);
        answer_ = QMessageBox::Ok;
        form_->mnu_Del->trigger();
        QCOMPARE(readStage(5).first, QStringLiteral("1"));

        // Closed without a clear: the attempt it read ("2") is counted on.
        table->close();
        QTRY_VERIFY(!GameTable::Instance());
        QCOMPARE(readStage(5), std::make_pair(QStringLiteral("3"), QStringLiteral("0")));
    }
};

QTEST_MAIN(OptionsTest)
#include "test_options.moc"
