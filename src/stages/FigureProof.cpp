// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/FigureProof.h"

#include "rules/BoardState.h"
#include "rules/Difficulty.h"

#include <QCryptographicHash>

FigureProof ProveFigure(const Rules::Figure& figure, const Rules::SolverLimits& limits, const std::atomic<bool>* stop)
{
    Rules::SolverResult result = Rules::Solve(figure, limits, stop);
    FigureProof proof;
    proof.verdict = result.verdict;
    if (proof.verdict == Rules::Verdict::Clearable) {
        proof.stars = StarsOfClearable(figure);
        proof.order = std::move(result.order);
    }
    return proof;
}

bool OrderClears(const Rules::Figure& figure, const std::vector<Rules::Cell>& order)
{
    return Rules::OrderClears(figure, order);
}

int StarsOfClearable(const Rules::Figure& figure)
{
    return Rules::StarsForPerMille(Rules::DifficultyPerMille(figure));
}

QByteArray StarsScale()
{
    static const QByteArray scale = [] {
        QByteArray measured;
        for (int perMille = 0; perMille <= 1000; ++perMille)
            measured += char('0' + Rules::StarsForPerMille(perMille));
        // A row, a zigzag and a ring with a tail: their measures move with any
        // change to the random plays.
        const std::vector<std::vector<Rules::Cell>> figures = {
            {{7, 2}, {7, 5}, {7, 9}, {7, 12}},
            {{0, 0}, {0, 4}, {3, 4}, {3, 8}, {6, 8}, {6, 12}, {9, 12}, {9, 1}, {0, 1}},
            {{2, 2}, {2, 6}, {6, 6}, {6, 2}, {2, 10}, {4, 6}, {4, 13}, {11, 13}, {11, 2}, {4, 2}},
        };
        for (const std::vector<Rules::Cell>& cells : figures)
            measured += ' ' + QByteArray::number(Rules::DifficultyPerMille(Rules::Figure(cells)));
        return QCryptographicHash::hash(measured, QCryptographicHash::Sha256).toHex().left(12);
    }();
    return scale;
}
