// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// From now on (calls after the first change nothing), tells the player in a message box when the record file is a
// link whose file cannot be reached, so that the records are not saved. The
// box opens from the event loop, never in the middle of a read or a write.
void ShowRecordFileMessages();
