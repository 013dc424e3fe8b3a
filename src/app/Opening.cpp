// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Opening.h"

#include "app/MainForm.h"
#include "records/RegUpRead.h"
#include "shared/AccessibleRole.h"
#include "shared/FormLayout.h"
#include "shared/ProgramPictures.h"
#include "shared/Twips.h"

#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QRegion>
#include <QTimer>

#include <algorithm>
#include <cmath>

namespace {

constexpr int WidthTwips = 6750;
constexpr int HeightTwips = 4485;
constexpr int ShowMilliseconds = 2500;
// What a text keeps between its end and the ellipse's edge.
constexpr int EdgeMargin = 6;
// What a name moved towards its caption keeps from the caption's end.
constexpr int CaptionGap = 10;

// The x at which a text on `row` must end to stay inside the ellipse: its
// edge at the row's end farther from the middle, less a margin.
int InsideEllipse(const QRect& ellipse, const QRect& row)
{
    const double a = ellipse.width() / 2.0;
    const double b = ellipse.height() / 2.0;
    const double middle = ellipse.y() + b;
    const double dy = std::max(std::abs(row.top() - middle), std::abs(row.y() + row.height() - middle));
    if (dy >= b)
        return row.x();
    return static_cast<int>(ellipse.x() + a + a * std::sqrt(1 - (dy / b) * (dy / b))) - EdgeMargin;
}

} // namespace

Opening::Opening() : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint), picture_(TitlePicture())
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("ズミラク"));
    setWindowIcon(ProgramIcon());
    setFixedSize(Twips::Size(WidthTwips, HeightTwips));
    // The window is see-through and paints only its ellipse: a Wayland
    // compositor shapes no window by its mask, and the splash must not be
    // a rectangle there. On X11 the mask shapes it as well.
    setAttribute(Qt::WA_TranslucentBackground);
    ExposeRole(*this, QAccessible::Window);

    Label1[0] = AddDesignLabel(this, tr("会社名"), 3840, 840, 645, 195, 9.75);
    F_Name = AddDesignLabel(this, QString(), 5040, 840, 645, 195, 9.75);
    Label1[1] = AddDesignLabel(this, tr("ユーザ名"), 3840, 1080, 825, 195, 9.75);
    U_Name = AddDesignLabel(this, QString(), 5040, 1080, 645, 195, 9.75);
    Label1[2] = AddVersionLabel(this);
    // A longer translation of a caption shows whole, up to its name.
    WidenToText(*Label1[0], F_Name->x());
    WidenToText(*Label1[1], U_Name->x());

    // The timer runs from the load: one tick ends the splash.
    Timer1 = new QTimer(this);
    Timer1->setInterval(ShowMilliseconds);
    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer);  // a coarse timer may fire up to 5% early
    connect(Timer1, &QTimer::timeout, this, &Opening::Timer1_Timer);
    Form_Load();
    Timer1->start();
}

QRect Opening::EllipseBounds(int widthTwips, int heightTwips, int twipsPerPixelX,
                             int twipsPerPixelY)
{
    return {0, 0, widthTwips / twipsPerPixelX, heightTwips / twipsPerPixelY};
}

void Opening::Form_Load()
{
    setMask(QRegion(EllipseBounds(WidthTwips, HeightTwips, Twips::PerPixel, Twips::PerPixel),
                    QRegion::Ellipse));

    CentreOnScreen(*this);

    U_Name->setText(RegUpRead::UserName);
    F_Name->setText(RegUpRead::CompanyName);
    // Long names keep their size. Where one does not fit between its place
    // and the ellipse's edge, both names start closer to their captions, so
    // that the room the ellipse has is used; only a name that does not fit
    // even then is shortened, with an ellipsis.
    const QRect ellipse = EllipseBounds(WidthTwips, HeightTwips, Twips::PerPixel, Twips::PerPixel);
    const auto roomEnd = [&](const QLabel* name) { return InsideEllipse(ellipse, name->geometry()); };
    QLabel* const names[] = {U_Name, F_Name};
    const bool crowded = std::any_of(std::begin(names), std::end(names), [&](const QLabel* name) {
        return name->x() + name->sizeHint().width() > roomEnd(name);
    });
    if (crowded) {
        int captionsEnd = 0;
        for (const QLabel* caption : {Label1[0], Label1[1]})
            captionsEnd = std::max(captionsEnd, caption->x() + caption->sizeHint().width());
        for (QLabel* name : names)
            name->move(std::min(name->x(), captionsEnd + CaptionGap), name->y());
    }
    for (QLabel* name : names)
        ElideToRoom(*name, roomEnd(name));
}

void Opening::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath ellipse;
    ellipse.addEllipse(QRectF(EllipseBounds(WidthTwips, HeightTwips, Twips::PerPixel, Twips::PerPixel)));
    painter.setClipPath(ellipse);
    painter.fillRect(rect(), palette().window());
    painter.drawPixmap(0, 0, picture_);
}

void Opening::Timer1_Timer()
{
    // The main window is up before the splash goes, so the program never
    // stands without a window (it would end there).
    auto* mainForm = new MainForm;
    mainForm->show();
    close();
}
