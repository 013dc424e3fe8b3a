// SPDX-License-Identifier: GPL-3.0-or-later
#include "play/ShapeFile.h"

#include <QFile>

#include <cmath>
#include <numbers>
#include <optional>
#include <string_view>

namespace {

constexpr std::string_view FormatName = "ZUMIRAK-SHAPE";
constexpr std::string_view FormatVersion = "1";
constexpr std::size_t MaxNumberLength = 12;
constexpr double MinFigureArea = 1.0;  // square field units

using Words = std::vector<std::string_view>;

Words SplitWords(std::string_view line)
{
    Words words;
    std::size_t pos = 0;
    while (pos < line.size()) {
        while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t')) ++pos;
        const std::size_t start = pos;
        while (pos < line.size() && line[pos] != ' ' && line[pos] != '\t') ++pos;
        if (pos > start) words.push_back(line.substr(start, pos - start));
    }
    return words;
}

// A plain decimal ("20", "12.5") inside the field, or nothing.
std::optional<double> FieldNumber(std::string_view word)
{
    if (word.empty() || word.size() > MaxNumberLength) return std::nullopt;
    double value = 0.0;
    double scale = 0.0;  // 0 while in the whole part, else the next digit's weight
    bool digitSeen = false;
    bool digitAfterPoint = false;
    for (const char ch : word) {
        if (ch == '.') {
            if (scale != 0.0 || !digitSeen) return std::nullopt;
            scale = 0.1;
        } else if (ch >= '0' && ch <= '9') {
            const int digit = ch - '0';
            if (scale == 0.0) {
                value = value * 10.0 + digit;
                digitSeen = true;
            } else {
                value += digit * scale;
                scale /= 10.0;
                digitAfterPoint = true;
            }
        } else {
            return std::nullopt;
        }
    }
    if (scale != 0.0 && !digitAfterPoint) return std::nullopt;
    if (value > ShapeFieldSize) return std::nullopt;
    return value;
}

// Reads the figures of the file into an outline, one line at a time.
class ShapeParser {
public:
    bool ReadLine(std::string_view line, int lineNumber)
    {
        lineNumber_ = lineNumber;
        const Words words = SplitWords(line);
        if (words.empty() || words.front().front() == '#') return true;
        const std::string_view figure = words.front();
        const Words arguments(words.begin() + 1, words.end());
        if (figure == "ellipse") return ReadEllipse(arguments);
        if (figure == "polygon") return ReadPolygon(arguments);
        if (figure == "path") return ReadPath(arguments);
        return Fail("unknown figure");
    }

    // Checks the whole outline once every line is read.
    bool Finish()
    {
        if (outline_.operations.empty()) return Fail("no figure");
        if (!hasArea_) return Fail("the outline has no area");
        return true;
    }

    const ShapeOutline& Outline() const { return outline_; }
    const QString& Error() const { return error_; }

private:
    bool ReadEllipse(const Words& arguments)
    {
        double v[4];
        if (arguments.size() != 4 || !ReadNumbers(arguments, v)) {
            return Fail("ellipse needs four numbers");
        }
        const double cx = v[0], cy = v[1], rx = v[2], ry = v[3];
        if (cx - rx < 0 || cx + rx > ShapeFieldSize || cy - ry < 0 || cy + ry > ShapeFieldSize) {
            return Fail("ellipse leaves the field");
        }
        if (!Add({ShapeOperation::Ellipse, {cx, cy, rx, ry}})) return false;
        if (std::numbers::pi * rx * ry >= MinFigureArea) hasArea_ = true;
        return true;
    }

    bool ReadPolygon(const Words& arguments)
    {
        if (arguments.size() < 6 || arguments.size() % 2 != 0) {
            return Fail("polygon needs three or more points");
        }
        for (std::size_t i = 0; i < arguments.size(); i += 2) {
            double point[2];
            if (!ReadNumbers(Words{arguments[i], arguments[i + 1]}, point)) {
                return Fail("bad polygon point");
            }
            const auto kind = i == 0 ? ShapeOperation::MoveTo : ShapeOperation::LineTo;
            if (!AddPoint(kind, {point[0], point[1]})) return false;
        }
        return CloseFigure();
    }

    bool ReadPath(const Words& arguments)
    {
        if (arguments.empty()) return Fail("empty path");
        std::size_t pos = 0;
        bool figureOpen = false;
        while (pos < arguments.size()) {
            const std::string_view op = arguments[pos++];
            std::size_t count = 0;
            ShapeOperation::Kind kind{};
            if (op == "M") { kind = ShapeOperation::MoveTo; count = 2; }
            else if (op == "L") { kind = ShapeOperation::LineTo; count = 2; }
            else if (op == "Q") { kind = ShapeOperation::QuadTo; count = 4; }
            else if (op == "C") { kind = ShapeOperation::CubicTo; count = 6; }
            else if (op == "Z") {
                if (!figureOpen) return Fail("Z without figure");
                if (!CloseFigure()) return false;
                figureOpen = false;
                continue;
            } else {
                return Fail("unknown path operation");
            }
            if (kind == ShapeOperation::MoveTo) {
                if (figureOpen && !CloseFigure()) return false;
                figureOpen = true;
            } else if (!figureOpen) {
                return Fail("path must start with M");
            }
            if (arguments.size() - pos < count) return Fail("path operation lacks numbers");
            double v[6] = {};
            if (!ReadNumbers(Words(arguments.begin() + pos, arguments.begin() + pos + count), v)) {
                return Fail("bad path number");
            }
            pos += count;
            if (!AddPoint(kind, {v[0], v[1], v[2], v[3], v[4], v[5]}, count)) return false;
        }
        return !figureOpen || CloseFigure();
    }

    bool ReadNumbers(const Words& words, double* values)
    {
        for (std::size_t i = 0; i < words.size(); ++i) {
            const std::optional<double> value = FieldNumber(words[i]);
            if (!value) return false;
            values[i] = *value;
        }
        return true;
    }

    // Adds a point operation and keeps the figure's points for its area.
    bool AddPoint(ShapeOperation::Kind kind, std::array<double, 6> values, std::size_t count = 2)
    {
        if (!Add({kind, values})) return false;
        if (kind == ShapeOperation::MoveTo) figurePoints_.clear();
        for (std::size_t i = 0; i + 1 < count; i += 2) {
            figurePoints_.push_back({values[i], values[i + 1]});
        }
        return true;
    }

    // Closes the current figure and notes whether it encloses any area. The
    // curves' control points stand in for the curves, which is close enough
    // to tell a figure from a line.
    bool CloseFigure()
    {
        if (!Add({ShapeOperation::Close, {}})) return false;
        double twiceArea = 0.0;
        for (std::size_t i = 0; i < figurePoints_.size(); ++i) {
            const auto& [x1, y1] = figurePoints_[i];
            const auto& [x2, y2] = figurePoints_[(i + 1) % figurePoints_.size()];
            twiceArea += x1 * y2 - x2 * y1;
        }
        if (std::abs(twiceArea) / 2.0 >= MinFigureArea) hasArea_ = true;
        figurePoints_.clear();
        return true;
    }

    bool Add(const ShapeOperation& operation)
    {
        if (outline_.operations.size() >= MaxShapeOperations) return Fail("too many operations");
        outline_.operations.push_back(operation);
        return true;
    }

    bool Fail(const char* why)
    {
        error_ = QStringLiteral("line %1: %2").arg(lineNumber_).arg(QString::fromLatin1(why));
        return false;
    }

    ShapeOutline outline_;
    std::vector<std::pair<double, double>> figurePoints_;
    bool hasArea_ = false;
    int lineNumber_ = 0;
    QString error_;
};

ShapeReading Rejected(const QString& why) { return {{}, why}; }

} // namespace

ShapeOutline BuiltInCircle()
{
    const double half = ShapeFieldSize / 2;
    return {{{ShapeOperation::Ellipse, {half, half, half, half}}}};
}

ShapeReading ReadShapeText(const QByteArray& text)
{
    if (text.size() > MaxShapeFileBytes) return Rejected(QStringLiteral("file too large"));
    std::string_view rest(text.constData(), static_cast<std::size_t>(text.size()));
    if (rest.substr(0, 3) == "\xEF\xBB\xBF") rest.remove_prefix(3);  // a UTF-8 byte order mark

    ShapeParser parser;
    int lineNumber = 0;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        ++lineNumber;

        if (lineNumber == 1) {
            const Words words = SplitWords(line);
            if (words.size() != 2 || words[0] != FormatName) {
                return Rejected(QStringLiteral("line 1: not a shape file"));
            }
            if (words[1] != FormatVersion) {
                return Rejected(QStringLiteral("line 1: unsupported version"));
            }
            continue;
        }
        if (!parser.ReadLine(line, lineNumber)) return Rejected(parser.Error());
    }
    if (lineNumber == 0) return Rejected(QStringLiteral("empty file"));
    if (!parser.Finish()) return Rejected(parser.Error());
    return {parser.Outline(), {}};
}

ShapeReading ReadShapeFile(const QString& path)
{
    QFile file(path);
    if (path.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        return Rejected(QStringLiteral("cannot open %1").arg(path));
    }
    // One byte more than allowed tells an oversized file without reading it all.
    const QByteArray text = file.read(MaxShapeFileBytes + 1);
    return ReadShapeText(text);
}
