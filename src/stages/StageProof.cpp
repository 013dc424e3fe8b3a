// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/StageProof.h"

#include <QCoreApplication>

StageProof ProveStage(const Rules::Figure& figure, const Rules::SolverLimits& limits)
{
    StageProof proof;
    proof.result = Rules::Solve(figure, limits);
    switch (proof.result.verdict) {
    case Rules::Verdict::Clearable:
        break;
    case Rules::Verdict::NotClearable:
        proof.reason = QCoreApplication::translate("StageProof", "クリアできない配置です");
        proof.reasonForLog = QStringLiteral("not clearable");
        break;
    case Rules::Verdict::Unknown:
        proof.reason = QCoreApplication::translate("StageProof", "クリアできるか確かめきれませんでした");
        proof.reasonForLog = QStringLiteral("unknown (limit)");
        break;
    }
    return proof;
}
