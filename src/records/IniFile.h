// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QMap>
#include <QString>

#include <optional>

// The text of the record file: UTF-8, a [section] per key, one name=value
// line per value. Values the program's own keys hold go in [General].
//
// FormatIni and ParseIni are exact inverses for any names and values
// (blanks, double-byte text, quotes, line breaks ...). The text is also what
// Qt's INI reader understands, so the file can be inspected with QSettings.
//
// ParseIni is strict, so that a damaged file is noticed instead of being
// half read: it refuses NUL bytes, text that is not UTF-8, and any line that
// is not blank, a comment (; or #), a [section] or a name=value pair with a
// well-formed value.
struct IniContents {
    // Values by group ("" for the general section, "Round7", ...) and name.
    QMap<QString, QMap<QString, QString>> groups;

    bool operator==(const IniContents&) const = default;
};

QByteArray FormatIni(const IniContents& contents);

// nullopt when the text is not a sound INI file.
std::optional<IniContents> ParseIni(QByteArrayView text);
