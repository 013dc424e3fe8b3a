// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Figure.h"
#include "stages/StageTitle.h"

#include <QByteArray>
#include <QString>

#include <optional>

// A stage of the player's own as a file: UTF-8 text in the record store's
// INI form, a [Stage] section holding Title (as StageTitle.h allows) and
// Layout (a layout string as the shipped stages have).
// Anything else in the file is ignored when read and never written.

inline const QString StageFileSuffix = QStringLiteral("zumirak");

struct StageText {
    QString title;
    QString layout;
    Rules::Figure figure;
};

struct StageFileReading {
    StageText stage;
    QString reason;        // empty when read whole; else why not, for the player
    QString reasonForLog;  // the same in English, for standard error and --check
    bool ok() const { return reason.isEmpty(); }
};

// Checks the form, the title and every ball's cell; whether the stage can be
// cleared is not looked at here (see StageProof).
StageFileReading ReadStageFile(const QByteArray& bytes);

// The stage file at `path`. Only a regular file of at most a few kilobytes
// is read, so a pipe, a device or a huge file cannot hold the program up.
StageFileReading ReadStageFileAt(const QString& path);

QByteArray WriteStageFile(const QString& title, const Rules::Figure& figure);
