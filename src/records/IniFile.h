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

// How values are read. The program's own files are read as FormatIni wrote
// them. A file a person typed (a stage file) is read as typed: a value is
// taken as it stands, quotes and backslashes and all, unless it is wholly in
// double quotes, so `Title=say "hi"` is the title say "hi".
enum class IniValues { AsWritten, AsTyped };

// The text read, or why not: the number of the first line that cannot be
// read (counted from 1), or 0 when the text itself is not UTF-8 (or holds a
// NUL byte).
struct IniReading {
    std::optional<IniContents> contents;
    int faultyLine = 0;
};
IniReading ReadIni(QByteArrayView text, IniValues values);

// nullopt when the text is not a sound INI file (read as written).
std::optional<IniContents> ParseIni(QByteArrayView text);

// The value as the line "name=value" of a typed file shows it, when that
// reads back as the same value (no quotes or escapes needed); else nullopt.
std::optional<QString> TypedValue(const QString& value);
