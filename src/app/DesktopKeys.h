// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>

// Which window of the whole desktop has the keys: the display server knows,
// the toolkit only knows whether one of ours has them.
namespace DesktopKeys {

// True when the desktop is known to give the keys to no window at all now.
// Under X11 the X server is asked: the window manager's active window, or
// without one that names it, the input focus. The offscreen platform shows
// no other program's windows. Anywhere else it cannot be known: false.
bool NoWindowHasThem();

// Tests answer in place of the desktop while this is set; an empty function
// asks the desktop again.
void AnswerForTesting(std::function<bool()> answer);

} // namespace DesktopKeys
