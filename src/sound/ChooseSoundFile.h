// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

class CommonDialog;
class QWidget;

// Lets the player pick another wave file for one of the four sounds through
// the shared file dialog, shown over `parent`. kind: 1 take, 2 refusal,
// 3 clear, 4 music. Returns the file chosen; nothing on a cancel, and for
// other kinds, which open nothing.
std::optional<QString> ChooseSoundFile(std::int16_t kind, CommonDialog& dialog, QWidget* parent);
