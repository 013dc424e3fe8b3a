// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAccessible>

class QWidget;

// How a widget of ours reads to assistive technology, where the toolkit's
// default misleads: a top-level window made of a plain widget reads as a
// filler, and a widget whose focus goes to a proxy (a window frame, the
// selection window) reports focused along with the widget that really has it.
//
// Gives `widget` the role `role`, reports it focused only while it holds the
// focus itself, and names it by its title where it has no name of its own.
// Call it before the widget is first shown.
void ExposeRole(QWidget& widget, QAccessible::Role role);

// A table reads its cells and header cells as its children; the widgets
// inside it (the viewport, the header bars, the corner button, the holders
// of its scroll bars)
// are none of them
// and, asking it for their place, make it warn. They are placed directly in
// the table's window instead. Call it once the table is built.
void PlaceInnerWidgetsBesideTable(QWidget& table);
