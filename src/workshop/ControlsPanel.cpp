// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/ControlsPanel.h"

#include <QApplication>
#include <QScrollBar>

#include <algorithm>

ControlsPanel::ControlsPanel(QWidget* controls, QWidget* parent) : QScrollArea(parent)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setWidgetResizable(true);
    setWidget(controls);
    // The panel itself is no stop of Tab: only its controls are.
    setFocusPolicy(Qt::NoFocus);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now && widget()->isAncestorOf(now))
            ensureWidgetVisible(now);
    });
    FitHeight(QWIDGETSIZE_MAX);
}

void ControlsPanel::FitHeight(int pixels)
{
    const QSize wanted = widget()->sizeHint();
    if (wanted.height() <= pixels) {
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setFixedSize(wanted);
        return;
    }
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setFixedSize(wanted.width() + verticalScrollBar()->sizeHint().width(), std::max(pixels, 0));
}

bool ControlsPanel::Scrolls() const { return verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn; }
