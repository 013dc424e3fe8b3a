// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QString;
class QWidget;

// Tells a screen reader `text` at once, on behalf of `source` (the widget the
// player is on). Where the toolkit has announcements it sends one; otherwise
// the text becomes the source's accessible description for a while, which
// screen readers speak when the description of the focused widget changes.
// Only one widget carries such a text at a time: the next announcement gives
// the previous widget its own description back.
void Announce(QWidget& source, const QString& text);
