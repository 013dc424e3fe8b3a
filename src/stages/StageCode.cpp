// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/StageCode.h"

#include <QList>
#include <QCoreApplication>
#include <QStringDecoder>

#include <array>
#include <optional>

namespace {

constexpr QLatin1StringView Prefix("ZMK1-");
constexpr QLatin1StringView FamilyPrefix("ZMK");
constexpr char Base32Digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ234567";
constexpr int CellCount = Rules::BoardSize * Rules::BoardSize;
constexpr int BitmapBytes = (CellCount + 7) / 8;
constexpr qsizetype MaxCodeLength = 1024;  // a 32-character title fits many times over

// The packing byte.
enum Packing : unsigned char {
    Bitmap = 0,    // then 29 bytes, cell r * 15 + c at bit 7 - (i % 8) of byte i / 8
    CellList = 1,  // then a count and that many cell numbers, ascending
};

QString ForeignCode() { return QCoreApplication::translate("StageCode", "ズミラクのステージコードではありません。"); }
QString DamagedCode() { return QCoreApplication::translate("StageCode", "ステージコードが壊れています。"); }
QString NewerCode() { return QCoreApplication::translate("StageCode", "このステージコードは新しい版のズミラクで作られたものです。"); }

int CellNumber(Rules::Cell cell) { return cell.row * Rules::BoardSize + cell.column; }
Rules::Cell CellAt(int number) { return {number / Rules::BoardSize, number % Rules::BoardSize}; }

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
            bytes.append(char(CellNumber(cell)));
        return bytes;
    }
    bytes.append(char(Bitmap));
    QByteArray bitmap(BitmapBytes, '\0');
    for (const Rules::Cell& cell : cells) {
        const int n = CellNumber(cell);
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
                figure.Set(CellAt(n), true);
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
            figure.Set(CellAt(n), true);
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

bool IsPrintableTitle(const QString& title)
{
    for (const char32_t c : title.toUcs4()) {
        if (QChar::category(c) == QChar::Other_Control || (QChar::isSpace(c) && c != u' ' && c != u'\u3000'))
            return false;
    }
    return title.toUcs4().size() <= MaxStageCodeTitleLength;
}

} // namespace

QString EncodeStageCode(const QString& title, const Rules::Figure& figure)
{
    const QList<uint> characters = title.toUcs4();
    const QString cut = characters.size() > MaxStageCodeTitleLength
                            ? QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.constData()),
                                                MaxStageCodeTitleLength)
                            : title;
    QByteArray body = PackFigure(figure) + cut.toUtf8();
    const quint16 check = Checksum(body);
    body.append(char(check >> 8));
    body.append(char(check & 0xFF));
    return Prefix + ToBase32(body);
}

StageCodeReading DecodeStageCode(const QString& code)
{
    StageCodeReading reading;
    QString text;
    for (const QChar ch : code) {
        if (!ch.isSpace())
            text += ch;
    }
    if (text.size() > MaxCodeLength || !text.startsWith(FamilyPrefix, Qt::CaseInsensitive)) {
        reading.error = ForeignCode();
        return reading;
    }
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
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString title = utf8(content.sliced(*figureBytes));
    if (utf8.hasError() || !IsPrintableTitle(title)) {
        reading.error = DamagedCode();
        return reading;
    }
    reading.title = title;
    reading.figure = figure;
    return reading;
}
