// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stages/PlayerStages.h"

#include <QTest>

#include <memory>
#include <optional>

// Adds to the player's stages and waits for the end: a proof runs off the
// window's thread. A stage that never ends comes back as an error.
inline PlayerStages::Added AddedWhenDone(const std::function<void(const PlayerStages::AfterAdd&)>& start)
{
    const auto result = std::make_shared<std::optional<PlayerStages::Added>>();
    start([result](const PlayerStages::Added& added) { *result = added; });
    if (!QTest::qWaitFor([result] { return result->has_value(); }, 20000))
        return PlayerStages::Added{-1, QStringLiteral("no end")};
    return **result;
}

inline PlayerStages::Added AddNow(const QString& title, const Rules::Figure& figure)
{
    return AddedWhenDone([&](const PlayerStages::AfterAdd& done) { PlayerStages::Add(title, figure, done); });
}

inline PlayerStages::Added ImportNow(const QString& path)
{
    return AddedWhenDone([&](const PlayerStages::AfterAdd& done) { PlayerStages::Import(path, done); });
}

// True once no stage's proof is under way.
inline bool AllProven()
{
    for (const PlayerStages::Entry& entry : PlayerStages::All()) {
        if (!entry.proven)
            return false;
    }
    return true;
}
