// SPDX-License-Identifier: GPL-3.0-or-later
#include "shared/FormLayout.h"

#include "shared/JapaneseFont.h"
#include "shared/ScreenRoom.h"
#include "shared/Twips.h"

#include <QLabel>
#include <QWidget>

#include <algorithm>

QLabel* AddDesignLabel(QWidget* parent, const QString& text, int left, int top, int width,
                       int height, double points)
{
    auto* label = new QLabel(text, parent);
    if (points > 0)
        label->setFont(GothicFont(points, true));
    label->setGeometry(Twips::Rect(left, top, width, height));
    // The designs give a line the height of its font's em square, which cuts
    // the feet of g, p and y in a Latin text (and of a font with a deeper
    // descent). The label is at least as tall as its font's line, about the
    // same middle, so its text stays where the design has it.
    if (const int shortBy = label->fontMetrics().height() - label->height(); shortBy > 0)
        label->setGeometry(label->geometry().adjusted(0, -shortBy / 2, 0, shortBy - shortBy / 2));
    return label;
}

QLabel* AddVersionLabel(QWidget* parent)
{
    QLabel* label = AddDesignLabel(parent, QStringLiteral("Ver1.0.01"), 4440, 2760, 1545, 360, 18);
    QPalette blue = label->palette();
    blue.setColor(QPalette::WindowText, Qt::blue);
    label->setPalette(blue);
    WidenToText(*label);
    return label;
}

void WidenToText(QLabel& label, int rightLimit)
{
    if (rightLimit < 0 && label.parentWidget())
        rightLimit = label.parentWidget()->width();
    const int room = rightLimit - label.x();
    const int wanted = std::min(label.sizeHint().width(), room);
    if (wanted > label.width())
        label.resize(wanted, label.height());
}

void FitToText(QLabel& label, int rightLimit)
{
    WidenToText(label, rightLimit);
    const auto fits = [&] { return label.fontMetrics().horizontalAdvance(label.text()) <= label.contentsRect().width(); };
    QFont font = label.font();
    const qreal smallest = font.pointSizeF() / 2;
    while (!fits() && font.pointSizeF() - 0.5 >= smallest) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        label.setFont(font);
    }
    if (!fits()) {
        label.setToolTip(label.text());  // the whole name, for whoever looks
        label.setText(label.fontMetrics().elidedText(label.text(), Qt::ElideRight, label.contentsRect().width()));
    }
}

void ElideToRoom(QLabel& label, int rightLimit)
{
    WidenToText(label, rightLimit);
    const int room = label.contentsRect().width();
    if (label.fontMetrics().horizontalAdvance(label.text()) <= room)
        return;
    label.setToolTip(label.text());
    label.setText(label.fontMetrics().elidedText(label.text(), Qt::ElideRight, room));
}

void WidenWindowToLabels(QWidget& window, std::initializer_list<QLabel*> labels, int rightMargin)
{
    int wanted = window.width();
    for (QLabel* label : labels)
        wanted = std::max(wanted, label->x() + label->sizeHint().width() + rightMargin);
    if (wanted > window.width())
        window.setFixedWidth(wanted);
    for (QLabel* label : labels)
        WidenToText(*label);
}

void CentreOnScreen(QWidget& window) { ScreenRoom::CentreInFreeArea(window); }
