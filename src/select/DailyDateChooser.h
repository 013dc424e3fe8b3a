// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDate>

class QWidget;

// Asks for a day whose stage to play: today or an earlier day. Invalid when
// the player cancels. Only the day itself counts for the streak, which the
// window says.
QDate ChooseDailyDate(QWidget* parent);
