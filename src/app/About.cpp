// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/About.h"

#include "records/RegUpRead.h"
#include "shared/AccessibleRole.h"
#include "shared/FormLayout.h"
#include "shared/JapaneseFont.h"
#include "shared/ProgramPictures.h"
#include "shared/Twips.h"

#include <QLabel>
#include <QPainter>
#include <QKeyEvent>
#include <QPushButton>

namespace {

About* openAbout = nullptr;

} // namespace

About::About(QWidget* owner)
    : QWidget(owner, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                           | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      picture_(TitlePicture())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("ズミラク　About"));
    setWindowIcon(ProgramIcon());
    setFixedSize(Twips::Size(6675, 5235));
    ExposeRole(*this, QAccessible::Dialog);

    // The button comes first in the tab order: it has the focus at once.
    Command1 = new QPushButton(tr("ＯＫ"), this);
    Command1->setFont(GothicFont(9, false));
    Command1->setGeometry(Twips::Rect(5160, 4800, 1215, 375));
    Command1->setDefault(true);
    connect(Command1, &QPushButton::clicked, this, &About::Command1_Click);

    Label1[2] = AddVersionLabel(this);

    Label2[2] = AddDesignLabel(this, tr("会社名"), 360, 4680, 600, 180, 9);
    F_Name = AddDesignLabel(this, QString(), 1800, 4680, 645, 195, 9.75);
    F_Name->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Label2[1] = AddDesignLabel(this, tr("ユーザ名"), 360, 4920, 795, 180, 9);
    U_Name = AddDesignLabel(this, QString(), 1800, 4920, 645, 195, 9.75);
    U_Name->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // A longer translation of a caption shows whole, up to its name.
    WidenToText(*Label2[2], F_Name->x());
    WidenToText(*Label2[1], U_Name->x());

    CentreOnScreen(*this);
    Form_Load();
}

About::~About()
{
    if (openAbout == this)
        openAbout = nullptr;
}

About* About::LoadAndShow(QWidget* owner)
{
    if (!openAbout)
        openAbout = new About(owner);
    openAbout->show();
    openAbout->raise();
    openAbout->activateWindow();
    return openAbout;
}

About* About::Instance() { return openAbout; }

void About::Form_Load()
{
    F_Name->setText(RegUpRead::CompanyName);
    U_Name->setText(RegUpRead::UserName);
    // Long names stop short of the button, and shrink to fit.
    const int rightLimit = Command1->x() - Twips::ToPixels(120);
    FitToText(*F_Name, rightLimit);
    FitToText(*U_Name, rightLimit);
    // The picture and the labels are not read by a screen reader, which
    // says a dialog's name, its description and the focused button.
    setAccessibleDescription(tr("%1 %2、%3 %4、%5 %6", "the about window read aloud: version, company, user")
                                 .arg(tr("ズミラク"), Label1[2]->text(), Label2[2]->text(), F_Name->text().trimmed(),
                                      Label2[1]->text(), U_Name->text().trimmed()));
}

void About::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().window());
    painter.drawPixmap(0, 0, picture_);
    // Line1, the rule above the names.
    painter.setPen(QPen(palette().windowText(), 1));
    const QPoint from = Twips::Point(120, 4560);
    const QPoint to = Twips::Point(6480, 4560);
    painter.drawLine(from, to);
}

// Escape closes it, as it closes the game's other windows.
void About::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void About::Command1_Click()
{
    close();
}
