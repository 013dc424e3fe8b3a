// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QScrollArea>

// The workshop's column of controls beside its board. It is as tall as its
// controls; on a screen too low for them it is as tall as the screen lets
// it be, its controls scroll, and a control that takes the focus (by Tab,
// a click or a shortcut) is scrolled into sight first.
class ControlsPanel : public QScrollArea {
public:
    ControlsPanel(QWidget* controls, QWidget* parent);

    // At most `pixels` tall, scrolling what does not fit.
    void FitHeight(int pixels);

    // True when its controls do not all show at once.
    bool Scrolls() const;
};
