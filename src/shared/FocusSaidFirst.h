// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QApplication;

// A text field moves its caret (or selects its text) as it takes the keys,
// and assistive technology hears of that before the toolkit tells it of the
// new focus: a screen reader then follows the field without a word and
// takes the focus news after it for old news, so the player hears only
// "tab". From this call on, a text field or spin box reached by Tab tells of
// its focus first and selects its text after, so its name and value are said.
void SayFocusBeforeCaret(QApplication& app);
