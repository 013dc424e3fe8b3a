// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;
class QWidget;

// Has the screen reader speak `text` through the desktop's accessibility bus
// (AT-SPI): a description change of the object the keyboard is on, carrying
// the words themselves, which screen readers speak for the focused object.
// The object's own description is not changed. Without the bus (no screen
// reader, another platform) it does nothing. Use Announce(), which chooses.
void SayOnAccessibilityBus(QWidget& source, const QString& text);
