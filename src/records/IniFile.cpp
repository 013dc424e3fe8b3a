// SPDX-License-Identifier: GPL-3.0-or-later
#include "records/IniFile.h"

#include <QStringDecoder>

namespace {

const QString GeneralSection = QStringLiteral("General");

bool IsHexDigit(QChar c)
{
    return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F');
}

bool IsControl(QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; }

// Half of a UTF-16 pair standing alone: UTF-8 cannot carry it, so it is
// written as a \x escape instead of turning into '?'.
bool IsLoneSurrogate(const QString& text, qsizetype i)
{
    const QChar c = text[i];
    if (c.isHighSurrogate())
        return i + 1 == text.size() || !text[i + 1].isLowSurrogate();
    if (c.isLowSurrogate())
        return i == 0 || !text[i - 1].isHighSurrogate();
    return false;
}

bool IsBlank(QChar c) { return c == u' ' || c == u'\t'; }

QString Hex(unsigned value, int digits)
{
    return QString::number(value, 16).toUpper().rightJustified(digits, u'0');
}

// Names: letters, digits and "_-." stay; anything else becomes %XX, or
// %UXXXX beyond Latin-1.
QString EscapeName(const QString& name)
{
    QString out;
    for (QChar c : name) {
        const char16_t u = c.unicode();
        if ((u < 0x80 && c.isLetterOrNumber()) || u == u'_' || u == u'-' || u == u'.')
            out += c;
        else if (u <= 0xFF)
            out += u'%' + Hex(u, 2);
        else
            out += QStringLiteral("%U") + Hex(u, 4);
    }
    return out;
}

QString UnescapeName(QStringView text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == u'%') {
            const bool wide = i + 1 < text.size() && text[i + 1] == u'U';
            const qsizetype from = wide ? i + 2 : i + 1;
            const qsizetype digits = wide ? 4 : 2;
            bool ok = false;
            const unsigned code =
                from + digits <= text.size() ? text.sliced(from, digits).toUInt(&ok, 16) : 0;
            if (ok) {
                out += QChar(char16_t(code));
                i = from + digits - 1;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

QString SectionName(const QString& group)
{
    if (group.isEmpty())
        return GeneralSection;
    QStringList parts = group.split(u'/');
    for (QString& part : parts)
        part = EscapeName(part);
    const QString name = parts.join(u'/');
    // A key really named "General" must not become the general section.
    return name == GeneralSection ? u'%' + name : name;
}

QString GroupOfSection(QStringView name)
{
    if (name == GeneralSection)
        return {};
    if (name == QStringView(u"%General"))
        return GeneralSection;
    QStringList parts;
    for (QStringView part : name.split(u'/'))
        parts << UnescapeName(part);
    return parts.join(u'/');
}

bool NeedsQuotes(const QString& value)
{
    if (value.isEmpty())
        return false;
    if (IsBlank(value.front()) || IsBlank(value.back()))
        return true;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (IsControl(c) || IsLoneSurrogate(value, i) || c == u'"' || c == u'\\' || c == u',' || c == u';'
            || c == u'=' || c == u'#')
            return true;
    }
    return false;
}

QString EscapeValue(QString value)
{
    // A leading @ would announce a stored variant: it is doubled.
    if (value.startsWith(u'@'))
        value.prepend(u'@');
    if (!NeedsQuotes(value))
        return value;

    QString out = QStringLiteral("\"");
    bool afterHexEscape = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        // After \xHHHH a hex digit is escaped too, so no reader takes it
        // for a fifth digit.
        const bool plainControl =
            (IsControl(c) && c != u'\n' && c != u'\r' && c != u'\t') || IsLoneSurrogate(value, i);
        if (plainControl || (afterHexEscape && IsHexDigit(c))) {
            out += QStringLiteral("\\x") + Hex(c.unicode(), 4);
            afterHexEscape = true;
            continue;
        }
        afterHexEscape = false;
        switch (c.unicode()) {
        case u'"': out += QStringLiteral("\\\""); break;
        case u'\\': out += QStringLiteral("\\\\"); break;
        case u'\n': out += QStringLiteral("\\n"); break;
        case u'\r': out += QStringLiteral("\\r"); break;
        case u'\t': out += QStringLiteral("\\t"); break;
        default: out += c;
        }
    }
    out += u'"';
    return out;
}

// The value text after "=", blanks around it already gone. Either wholly in
// double quotes or without any; backslash escapes work in both.
std::optional<QString> UnescapeValue(QStringView text)
{
    const bool quoted = text.startsWith(u'"');
    if (quoted) {
        if (text.size() < 2 || !text.endsWith(u'"'))
            return std::nullopt;
        text = text.sliced(1, text.size() - 2);
    }

    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            return std::nullopt;  // a quote inside: not a value we can read for sure
        }
        if (c != u'\\' || i + 1 == text.size()) {
            out += c;
            continue;
        }
        const QChar next = text[++i];
        switch (next.unicode()) {
        case u'n': out += u'\n'; break;
        case u'r': out += u'\r'; break;
        case u't': out += u'\t'; break;
        case u'\\': case u'"': case u'\'': out += next; break;
        case u'x': {
            qsizetype digits = 0;
            while (digits < 4 && i + 1 + digits < text.size() && IsHexDigit(text[i + 1 + digits]))
                ++digits;
            if (digits == 0)
                return std::nullopt;
            out += QChar(char16_t(text.sliced(i + 1, digits).toUInt(nullptr, 16)));
            i += digits;
            break;
        }
        default:  // not one of ours: kept as it stands
            out += u'\\';
            out += next;
        }
    }
    if (out.startsWith(QStringLiteral("@@")))
        out.remove(0, 1);
    return out;
}

// A typed value: wholly quoted, it is read as the program writes it (a
// quoted value that does not read so is taken as it stands too); anything
// else is the text itself. Only the doubled @ of the written form is undone,
// so that the program's own bare values read back the same.
QString TypedValueText(QStringView text)
{
    if (text.size() >= 2 && text.startsWith(u'"') && text.endsWith(u'"')) {
        if (const std::optional<QString> quoted = UnescapeValue(text))
            return *quoted;
    }
    return text.startsWith(QStringLiteral("@@")) ? text.sliced(1).toString() : text.toString();
}

QStringView TrimBlanks(QStringView text)
{
    while (!text.isEmpty() && IsBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && IsBlank(text.back()))
        text.chop(1);
    return text;
}

} // namespace

QByteArray FormatIni(const IniContents& contents)
{
    QString text;
    auto writeGroup = [&](const QString& group, const QMap<QString, QString>& values) {
        if (values.isEmpty())
            return;
        if (!text.isEmpty())
            text += u'\n';
        text += u'[' + SectionName(group) + QStringLiteral("]\n");
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            text += EscapeName(it.key()) + u'=' + EscapeValue(it.value()) + u'\n';
    };
    // The general section first, then the subkeys.
    writeGroup(QString(), contents.groups.value(QString()));
    for (auto it = contents.groups.cbegin(); it != contents.groups.cend(); ++it) {
        if (!it.key().isEmpty())
            writeGroup(it.key(), it.value());
    }
    return text.toUtf8();
}

IniReading ReadIni(QByteArrayView bytes, IniValues values)
{
    IniReading reading;
    if (bytes.contains('\0'))
        return reading;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    if (utf8.hasError())
        return reading;

    IniContents contents;
    QString group;
    qsizetype start = 0;
    int lineNumber = 0;
    for (qsizetype end = 0; end <= text.size(); ++end) {
        if (end < text.size() && text[end] != u'\n' && text[end] != u'\r')
            continue;
        // "\r\n" ends one line, not two.
        if (end == text.size() || text[end] != u'\n' || end == 0 || text[end - 1] != u'\r')
            ++lineNumber;
        const QStringView line = TrimBlanks(QStringView(text).sliced(start, end - start));
        start = end + 1;

        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        reading.faultyLine = lineNumber;
        if (line.startsWith(u'[')) {
            if (!line.endsWith(u']'))
                return reading;
            group = GroupOfSection(TrimBlanks(line.sliced(1, line.size() - 2)));
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0)
            return reading;
        const QStringView name = TrimBlanks(line.first(equals));
        const QStringView valueText = TrimBlanks(line.sliced(equals + 1));
        const std::optional<QString> value =
            values == IniValues::AsTyped ? TypedValueText(valueText) : UnescapeValue(valueText);
        if (name.isEmpty() || !value)
            return reading;
        contents.groups[group][UnescapeName(name)] = *value;
    }
    reading.contents = std::move(contents);
    reading.faultyLine = 0;
    return reading;
}

std::optional<IniContents> ParseIni(QByteArrayView bytes)
{
    return ReadIni(bytes, IniValues::AsWritten).contents;
}

std::optional<QString> TypedValue(const QString& value)
{
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (IsControl(value[i]) || IsLoneSurrogate(value, i))
            return std::nullopt;  // line breaks and such need the quoted form
    }
    // A title beginning "@@" is typed with one @ more, as the written form has it.
    for (const QString& typed : {value, u'@' + value}) {
        if (TrimBlanks(typed).size() == typed.size() && TypedValueText(typed) == value)
            return typed;
    }
    return std::nullopt;
}
