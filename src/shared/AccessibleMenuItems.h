// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Menu items as assistive technology should read them. The toolkit's own
// menu items tell neither that an item opens a submenu nor their shortcut
// as a key binding. From this call on, every menu item reads with its name,
// its shortcut (as text and as the key binding of its action), whether it
// can carry a check mark and carries one, and, for a submenu, that it opens
// one. Call it before the first menu is built.
void ExposeMenuItems();
