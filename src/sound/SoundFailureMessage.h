// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

class QWidget;

// The message shown when no mixing session can be opened: the stage goes on
// without sound.
void ShowSoundFailureMessage(QWidget* parent);
