// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/RecordsNotice.h"

RecordsNotice& RecordsNotice::Instance()
{
    static RecordsNotice notice;
    return notice;
}
