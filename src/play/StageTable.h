// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// The thirty stages as they ship: title and layout string, in index order.
namespace StageTable {

inline constexpr int Count = 30;

struct Stage {
    const char* title;  // the Japanese title; Title() gives it in the interface's language
    const char16_t* layout;
};

// Stage i, 0..29.
const Stage& At(int index);

QString Title(int index);
inline QString Layout(int index) { return QString::fromUtf16(At(index).layout); }

} // namespace StageTable
