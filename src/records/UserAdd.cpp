// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/UserAdd.h"

#include "records/RegUpRead.h"
#include "shared/AccessibleRole.h"
#include "shared/FormLayout.h"
#include "shared/JapaneseFont.h"
#include "shared/ProgramPictures.h"
#include "shared/Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// A name left empty is kept as one ideographic space, so that it still
// shows as a name.
QString NameOrBlank(const QString& typed)
{
    return typed.isEmpty() ? QString(QChar(0x3000)) : typed;
}

} // namespace

UserAdd::UserAdd()
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("ﾕｰｻﾞ登録"));
    setWindowIcon(ProgramIcon());
    setFont(GothicFont(9, false));
    setFixedSize(Twips::Size(4470, 2265));

    auto addLabel = [this](int index, const QString& text, QRect twips) {
        Label1[index] = AddDesignLabel(this, text, twips.x(), twips.y(),
                                       twips.width(), twips.height());
    };
    // Created in tab order: the company box first, so it has the focus.
    addLabel(0, tr("会社名"), {600, 840, 540, 180});
    FactBox = new QLineEdit(this);
    FactBox->setGeometry(Twips::Rect(1560, 720, 2775, 375));
    addLabel(1, tr("ユーザ名"), {600, 1320, 720, 180});
    UserBox = new QLineEdit(this);
    UserBox->setGeometry(Twips::Rect(1560, 1200, 2775, 375));
    Command1 = new QPushButton(tr("ＯＫ"), this);
    Command1->setGeometry(Twips::Rect(3120, 1800, 1215, 375));
    Command1->setAutoDefault(true);
    connect(Command1, &QPushButton::clicked, this, &UserAdd::Command1_Click);
    // Return in either box confirms, as the button does.
    connect(FactBox, &QLineEdit::returnPressed, this, &UserAdd::Command1_Click);
    connect(UserBox, &QLineEdit::returnPressed, this, &UserAdd::Command1_Click);
    addLabel(2, tr("ズミラクをDownLoadして頂き、ありがとうございました"), {120, 120, 4200, 180});
    addLabel(3, tr("使用される前にユーザ登録を行って下さい。"), {1080, 360, 3315, 180});
    // A text wider in the desktop's font than in the design's (or a longer
    // translation) shows whole: the window grows as little as needed and
    // keeps the design's margin at the right.
    WidenWindowToLabels(*this, {Label1[0], Label1[1], Label1[2], Label1[3]}, Twips::ToPixels(120));

    // The window reads as a dialog whose instruction a screen reader speaks
    // as it opens, and the boxes read as their labels. A screen reader also
    // reads a dialog's loose lines of a few words (the instruction in
    // English): the first line is tied to the second, so neither is loose
    // and the instruction is said once.
    ExposeRole(*this, QAccessible::Dialog);
    setAccessibleDescription(tr("%1%2", "the window's two lines, spoken as one").arg(Label1[2]->text(), Label1[3]->text()));
    Label1[2]->setBuddy(Label1[3]);
    FactBox->setAccessibleName(Label1[0]->text());
    UserBox->setAccessibleName(Label1[1]->text());

    setTabOrder(FactBox, UserBox);
    setTabOrder(UserBox, Command1);
    FactBox->setFocus();

    CentreOnScreen(*this);
}

void UserAdd::Command1_Click()
{
    RegUpRead::CompanyName = NameOrBlank(FactBox->text());
    RegUpRead::UserName = NameOrBlank(UserBox->text());

    // The profile and every stage record go to disk as one write: a crash
    // cannot leave a key without its records.
    std::vector<RegUpRead::RegWrite> writes = {
        {RegUpRead::ProgramKey, QStringLiteral("F_Name"), RegUpRead::CompanyName},
        {RegUpRead::ProgramKey, QStringLiteral("U_Name"), RegUpRead::UserName},
        {RegUpRead::ProgramKey, QStringLiteral("LoadDate"), RegUpRead::TodayText()},
    };
    const std::vector<RegUpRead::RegWrite> records = RegUpRead::InitialStageRecords();
    writes.insert(writes.end(), records.begin(), records.end());
    // A failed write is not reported; the program goes on all the same.
    RegUpRead::RegSetStrings(RegUpRead::HKEY_CURRENT_USER, writes, true);

    emit Confirmed();
    close();
}
