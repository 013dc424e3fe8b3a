// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/WorkshopBoard.h"

#include "play/BallPicture.h"
#include "play/ChosenBallOutline.h"
#include "play/PicForm.h"
#include "play/ShapedButton.h"
#include "shared/Announce.h"
#include "shared/ScreenRoom.h"
#include "shared/Twips.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int CellTwips = 600;
constexpr int BallTwips = 570;
constexpr int BoardCells = Rules::BoardSize;
// What a screen must hold besides the board: the main window's title bar,
// menu bar and status bar, the workshop's caption and margins, and a
// desktop's panel (where the screen does not report it, its allowance is
// taken off as well). Below that, cells shrink, to no less than SmallestCell.
constexpr int RoomAroundBoard = 150;
constexpr int SmallestCell = 28;

int CellPixelsFor(const QScreen* screen)
{
    const int designCell = Twips::ToPixels(CellTwips);
    if (!screen)
        return designCell;
    const int fitting = (ScreenRoom::Free(*screen).height() - RoomAroundBoard) / BoardCells;
    return std::clamp(fitting, SmallestCell, designCell);
}

// The ball colours a cell gets in turn; grey is kept for the cut-off mark.
constexpr BallColouring PlainColours[] = {
    BallColouring::Golden, BallColouring::Yellow, BallColouring::Green, BallColouring::Red,
    BallColouring::Cyan, BallColouring::RainbowStriped, BallColouring::DarkGreen,
};
constexpr BallColouring CutOffColour = BallColouring::Grey;

const QPixmap& PictureOf(BallColouring colouring) { return PicForm::Ball(static_cast<int>(colouring)); }

// Draws a thick frame round its whole area: the cell cursor, above the balls.
class CursorMark : public QWidget {
public:
    using QWidget::QWidget;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        // Dark and light, so it shows on any ball and on the empty board.
        painter.setPen(QPen(QColor(10, 10, 20), 4));
        painter.drawRect(rect().adjusted(2, 2, -2, -2));
        painter.setPen(QPen(QColor(255, 220, 0), 2));
        painter.drawRect(rect().adjusted(2, 2, -2, -2));
    }
};

} // namespace

WorkshopBoard::WorkshopBoard(QWidget* parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    cellPixels_ = CellPixelsFor(screen());
    ballPixels_ = cellPixels_ * BallTwips / CellTwips;
    setFixedSize(sizeHint());
    setAccessibleName(tr("盤"));
    setAccessibleDescription(tr("矢印キーで移動し、スペースキーでボールを置いたり取ったりします"));

    design_ = new ShapedButton(this);
    design_->resize(ballPixels_, ballPixels_);
    ApplyChosenBallOutline(*design_);
    design_->hide();

    cursorMark_ = new CursorMark(this);
    cursorMark_->setAttribute(Qt::WA_TransparentForMouseEvents);
    cursorMark_->resize(CellPixels(), CellPixels());
    cursorMark_->hide();
    NameCursor();
}

QSize WorkshopBoard::sizeHint() const
{
    return QSize(CellPixels() * Rules::BoardSize + 1, CellPixels() * Rules::BoardSize + 1);
}

bool WorkshopBoard::MarkedCutOff(Rules::Cell cell) const
{
    return Rules::OnBoard(cell) && figure_.Has(cell) && cutOff_[std::size_t(Rules::IndexOf(cell))];
}

ShapedButton* WorkshopBoard::BallOn(Rules::Cell cell)
{
    ShapedButton*& ball = balls_[std::size_t(Rules::IndexOf(cell))];
    if (!ball) {
        ball = new ShapedButton(this);
        ball->CopyPropertiesFrom(*design_);
        // The board takes the clicks, wherever they fall.
        ball->setAttribute(Qt::WA_TransparentForMouseEvents);
        const int inset = (CellPixels() - ballPixels_) / 2;
        ball->move(cell.column * CellPixels() + inset, cell.row * CellPixels() + inset);
        ball->setAccessibleName(tr("ボール %1行 %2列").arg(cell.row + 1).arg(cell.column + 1));
    }
    return ball;
}

void WorkshopBoard::ShowFigure(const Rules::Figure& figure, const std::vector<Rules::Cell>& cutOff)
{
    figure_ = figure;
    cutOff_.fill(false);
    for (const Rules::Cell& cell : cutOff)
        cutOff_[std::size_t(Rules::IndexOf(cell))] = true;
    for (int index = 0; index < Rules::BoardSize * Rules::BoardSize; ++index) {
        const Rules::Cell cell = Rules::CellOf(index);
        if (!figure.Has(cell)) {
            if (balls_[std::size_t(index)])
                balls_[std::size_t(index)]->hide();
            continue;
        }
        ShapedButton* ball = BallOn(cell);
        const bool marked = cutOff_[std::size_t(index)];
        ball->SetPicture(PictureOf(marked ? CutOffColour : PlainColours[index % std::size(PlainColours)]));
        ball->SetCaption(marked ? QStringLiteral("×") : QString());
        ball->show();
    }
    cursorMark_->raise();
}

Rules::Cell WorkshopBoard::CellAt(QPoint point) const
{
    return {std::clamp(point.y() / CellPixels(), 0, Rules::BoardSize - 1),
            std::clamp(point.x() / CellPixels(), 0, Rules::BoardSize - 1)};
}

void WorkshopBoard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), QColor(250, 250, 245));
    painter.setPen(QColor(190, 190, 180));
    const int side = CellPixels() * Rules::BoardSize;
    for (int line = 0; line <= Rules::BoardSize; ++line) {
        const int at = line * CellPixels();
        painter.drawLine(at, 0, at, side);
        painter.drawLine(0, at, side, at);
    }
}

void WorkshopBoard::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    const Rules::Cell cell = CellAt(event->position().toPoint());
    dragging_ = true;
    dragPaints_ = !figure_.Has(cell);
    lastDragCell_ = cell;
    cursor_ = cell;
    NameCursor();
    Rules::Figure next = figure_;
    next.Set(cell, dragPaints_);
    emit FigureEdited(next, false);
}

void WorkshopBoard::mouseMoveEvent(QMouseEvent* event)
{
    if (!dragging_)
        return;
    const Rules::Cell cell = CellAt(event->position().toPoint());
    if (cell == lastDragCell_)
        return;
    PaintAlong(lastDragCell_, cell);
    lastDragCell_ = cell;
}

void WorkshopBoard::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragging_ = false;
}

void WorkshopBoard::PaintAlong(Rules::Cell from, Rules::Cell to)
{
    // A quick drag skips cells between two mouse events: every cell on the
    // line between them gets the stroke.
    Rules::Figure next = figure_;
    const int steps = std::max(std::abs(to.row - from.row), std::abs(to.column - from.column));
    for (int step = 1; step <= steps; ++step) {
        const double t = double(step) / steps;
        next.Set({int(std::lround(from.row + (to.row - from.row) * t)),
                  int(std::lround(from.column + (to.column - from.column) * t))},
                 dragPaints_);
    }
    if (next != figure_)
        emit FigureEdited(next, true);
}

void WorkshopBoard::MoveCursor(int rows, int columns)
{
    cursor_.row = std::clamp(cursor_.row + rows, 0, Rules::BoardSize - 1);
    cursor_.column = std::clamp(cursor_.column + columns, 0, Rules::BoardSize - 1);
    NameCursor();
    SayCursor();
}

void WorkshopBoard::NameCursor()
{
    cursorMark_->move(cursor_.column * CellPixels(), cursor_.row * CellPixels());
    cursorMark_->raise();
}

QString WorkshopBoard::CursorText() const
{
    QString content = tr("空き");
    if (MarkedCutOff(cursor_))
        content = tr("ボールあり（×：ほかのボールから取れません）");
    else if (figure_.Has(cursor_))
        content = tr("ボールあり");
    return tr("%1行 %2列 %3").arg(cursor_.row + 1).arg(cursor_.column + 1).arg(content);
}

// Where the cursor is and what lies there, said as it moves or the cell
// changes; the board's description keeps its usage hint.
void WorkshopBoard::SayCursor() { Announce(*this, CursorText()); }

void WorkshopBoard::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Left: MoveCursor(0, -1); break;
    case Qt::Key_Right: MoveCursor(0, 1); break;
    case Qt::Key_Up: MoveCursor(-1, 0); break;
    case Qt::Key_Down: MoveCursor(1, 0); break;
    case Qt::Key_Space: {
        Rules::Figure next = figure_;
        next.Set(cursor_, !figure_.Has(cursor_));
        emit FigureEdited(next, false);
        NameCursor();
        SayCursor();
        break;
    }
    default: QWidget::keyPressEvent(event); return;
    }
    cursorMark_->show();
    event->accept();
}

void WorkshopBoard::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    cursorMark_->show();
    // After the board's name and usage hint: where the cursor stands.
    SayCursor();
}

void WorkshopBoard::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    cursorMark_->hide();
}
