#include "records/RecordsNotice.h"

RecordsNotice& RecordsNotice::Instance()
{
    static RecordsNotice notice;
    return notice;
}
