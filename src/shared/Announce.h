// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

class QString;
class QWidget;

// Tells a screen reader `text` at once, on behalf of `source` (the widget the
// player is on). The keyboard focus stays where it is, nothing is shown and
// no widget's own name or description changes.
//
// Where the toolkit has announcements (Qt 6.8 on), it sends one. Before, its
// name- and description-change events reach the screen reader without the
// new text, and are not spoken; the words then go straight to the desktop's
// accessibility bus, in the form the screen reader speaks (AtSpiSpeech).
// This is the one place that chooses: a newer toolkit replaces it here.
void Announce(QWidget& source, const QString& text);

// The last text announced, for tests that check what the player hears.
const QString& LastAnnouncement();

// Each utterance as it leaves for the screen reader (several texts of one turn
// go as one), for tests that follow what is heard step by step without a
// screen reader. One listener at a time; an empty one stops listening.
void ListenToUtterances(std::function<void(const QString&)> listener);
// Where an utterance leaves: tells the listener, if any.
void TellUtteranceListener(const QString& utterance);
