#include "records/RegUpRead.h"

namespace RegUpRead {

bool KeyFound = false;
QString UserName;
QString CompanyName;
QString StageChargeNum;
QString StageClearTime;

bool RegSetString(std::uint32_t, const QString&, const QString&, const QString&, bool)
{
    return false;  // the store comes with the foundation
}

void RegReadUser() {}
void RegReadStage(std::int16_t) {}

} // namespace RegUpRead
