// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/StageCode.h"

#include <QCoreApplication>
#include <QList>
#include <QStringList>
#include <QStringDecoder>

#include <array>
#include <optional>

namespace {

constexpr QLatin1StringView Prefix("ZMK1-");
constexpr QLatin1StringView FamilyPrefix("ZMK");
constexpr char Base32Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";
constexpr int CellCount = Rules::BoardSize * Rules::BoardSize;
constexpr int BitmapBytes = (CellCount + 7) / 8;
// A full board and the longest title, each character in four UTF-8 bytes.
constexpr qsizetype LongestBody = 1 + BitmapBytes + 4 * LongestTitle + 2;
constexpr qsizetype LongestCode = Prefix.size() + (LongestBody * 8 + 4) / 5;

// The packing byte.
enum Packing : unsigned char {
    Bitmap = 0,    // then 29 bytes, cell r * 15 + c at bit 7 - (i % 8) of byte i / 8
    CellList = 1,  // then a count and that many cell numbers, ascending
};

QString ForeignCode() { return QCoreApplication::translate("StageCode", "ズミラクのステージコードではありません。"); }
QString DamagedCode() { return QCoreApplication::translate("StageCode", "ステージコードが壊れています。"); }
QString NewerCode() { return QCoreApplication::translate("StageCode", "このステージコードは新しい版のズミラクで作られたものです。"); }


quint16 Checksum(QByteArrayView bytes) { return qChecksum(bytes, Qt::ChecksumIso3309); }

QByteArray PackFigure(const Rules::Figure& figure)
{
    const std::vector<Rules::Cell> cells = figure.Cells();
    QByteArray bytes;
    // A list of cells costs 2 + n bytes: shorter than the bitmap below 28 balls.
    if (2 + qsizetype(cells.size()) < 1 + BitmapBytes) {
        bytes.append(char(CellList));
        bytes.append(char(cells.size()));
        for (const Rules::Cell& cell : cells)
            bytes.append(char(Rules::IndexOf(cell)));
        return bytes;
    }
    bytes.append(char(Bitmap));
    QByteArray bitmap(BitmapBytes, '\0');
    for (const Rules::Cell& cell : cells) {
        const int n = Rules::IndexOf(cell);
        bitmap[n / 8] = char(bitmap[n / 8] | (0x80 >> (n % 8)));
    }
    return bytes + bitmap;
}

// Reads the figure at the start of `bytes`; returns how many bytes it took,
// or nullopt when they are not a figure.
std::optional<qsizetype> UnpackFigure(QByteArrayView bytes, Rules::Figure& figure)
{
    if (bytes.isEmpty())
        return std::nullopt;
    const auto byteAt = [&](qsizetype i) { return int(static_cast<unsigned char>(bytes[i])); };
    if (byteAt(0) == Bitmap) {
        if (bytes.size() < 1 + BitmapBytes)
            return std::nullopt;
        for (int n = 0; n < BitmapBytes * 8; ++n) {
            const bool ball = byteAt(1 + n / 8) & (0x80 >> (n % 8));
            if (ball && n >= CellCount)
                return std::nullopt;  // the padding bits stay clear
            if (ball)
                figure.Set(Rules::CellOf(n), true);
        }
        return 1 + BitmapBytes;
    }
    if (byteAt(0) == CellList) {
        if (bytes.size() < 2 || bytes.size() < 2 + byteAt(1))
            return std::nullopt;
        int previous = -1;
        for (int i = 0; i < byteAt(1); ++i) {
            const int n = byteAt(2 + i);
            if (n <= previous || n >= CellCount)
                return std::nullopt;  // ascending, so no cell twice
            figure.Set(Rules::CellOf(n), true);
            previous = n;
        }
        return 2 + byteAt(1);
    }
    return std::nullopt;
}

QString ToBase32(QByteArrayView bytes)
{
    QString text;
    unsigned buffer = 0;
    int bits = 0;
    for (const char byte : bytes) {
        buffer = (buffer << 8) | static_cast<unsigned char>(byte);
        bits += 8;
        while (bits >= 5) {
            bits -= 5;
            text += QLatin1Char(Base32Digits[(buffer >> bits) & 31]);
        }
    }
    if (bits > 0)
        text += QLatin1Char(Base32Digits[(buffer << (5 - bits)) & 31]);
    return text;
}

// Nullopt for a character outside the alphabet, or left-over bits that are
// not all clear (such a text was not made by ToBase32).
std::optional<QByteArray> FromBase32(QStringView text)
{
    QByteArray bytes;
    unsigned buffer = 0;
    int bits = 0;
    for (const QChar ch : text) {
        const char16_t c = ch.toUpper().unicode();
        int value = -1;
        if (c >= u'A' && c <= u'Z')
            value = c - u'A';
        else if (c >= u'2' && c <= u'7')
            value = 26 + (c - u'2');
        if (value < 0)
            return std::nullopt;
        buffer = (buffer << 5) | unsigned(value);
        bits += 5;
        if (bits >= 8) {
            bits -= 8;
            bytes.append(char((buffer >> bits) & 0xFF));
        }
    }
    if (bits >= 5 || (buffer & ((1u << bits) - 1)) != 0)
        return std::nullopt;
    return bytes;
}

// A character a code may hold: the alphabet, the digit of its version and
// its dash, in either case.
bool IsCodeCharacter(QChar c)
{
    return c.unicode() < 0x80 && (c.isLetterOrNumber() || c == u'-');
}

// The code that starts at `from`, as pasted: words of code characters, with
// spaces and line breaks between them dropped, up to the first other
// character. Each word is one more candidate, the longest last.
QStringList CandidatesAt(QStringView text, qsizetype from)
{
    QStringList candidates;
    QString code;
    qsizetype i = from;
    while (i < text.size() && code.size() <= LongestCode) {
        if (!IsCodeCharacter(text[i]))
            break;
        while (i < text.size() && IsCodeCharacter(text[i]))
            code += text[i++];
        candidates << code;
        while (i < text.size() && text[i].isSpace())
            ++i;
    }
    return candidates;
}

// Reads one code, spaces already gone.
StageCodeReading DecodeWhole(const QString& text)
{
    StageCodeReading reading;
    if (!text.startsWith(Prefix, Qt::CaseInsensitive)) {
        // "ZMK" and a later version number: ours, but not readable here.
        const bool newer = text.size() > 3 && text[3].isDigit() && text[3] != u'0' && text[3] != u'1';
        reading.error = newer ? NewerCode() : ForeignCode();
        return reading;
    }

    const std::optional<QByteArray> body = FromBase32(QStringView(text).mid(Prefix.size()));
    if (!body || body->size() < 3) {
        reading.error = DamagedCode();
        return reading;
    }
    const QByteArrayView content = QByteArrayView(*body).chopped(2);
    const quint16 check = quint16((static_cast<unsigned char>(body->at(body->size() - 2)) << 8)
                                  | static_cast<unsigned char>(body->back()));
    Rules::Figure figure;
    const std::optional<qsizetype> figureBytes =
        check == Checksum(content) ? UnpackFigure(content, figure) : std::nullopt;
    if (!figureBytes || figure.Count() == 0) {
        reading.error = DamagedCode();
        return reading;
    }
    // A title may start with U+FEFF: it is part of the title, not a byte order mark.
    QStringDecoder utf8(QStringDecoder::Utf8,
                        QStringDecoder::Flag::Stateless | QStringDecoder::Flag::ConvertInitialBom);
    const QString title = utf8(content.sliced(*figureBytes));
    if (utf8.hasError() || CheckTitle(title) != TitleFault::None) {
        reading.error = DamagedCode();
        return reading;
    }
    reading.title = title;
    reading.figure = figure;
    return reading;
}

} // namespace

QString EncodeStageCode(const QString& title, const Rules::Figure& figure)
{
    QByteArray body = PackFigure(figure) + CutTitle(title).toUtf8();
    const quint16 check = Checksum(body);
    body.append(char(check >> 8));
    body.append(char(check & 0xFF));
    return Prefix + ToBase32(body);
}

StageCodeReading DecodeStageCode(const QString& pasted)
{
    // Every "ZMK" that starts a word may start the code; the checksum tells
    // the code from the words after it. The first refusal is the one told.
    std::optional<StageCodeReading> refusal;
    if (pasted.size() <= LongestPastedCode) {
        for (qsizetype at = pasted.indexOf(FamilyPrefix, 0, Qt::CaseInsensitive); at >= 0;
             at = pasted.indexOf(FamilyPrefix, at + 1, Qt::CaseInsensitive)) {
            if (at > 0 && IsCodeCharacter(pasted[at - 1]))
                continue;
            const QStringList candidates = CandidatesAt(pasted, at);
            for (auto candidate = candidates.crbegin(); candidate != candidates.crend(); ++candidate) {
                StageCodeReading reading = DecodeWhole(*candidate);
                if (reading.ok())
                    return reading;
                if (!refusal)
                    refusal = reading;
            }
        }
    }
    if (refusal)
        return *refusal;
    StageCodeReading foreign;
    foreign.error = ForeignCode();
    return foreign;
}
