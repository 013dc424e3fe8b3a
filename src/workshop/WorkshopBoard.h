// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Figure.h"

#include <QWidget>

#include <array>
#include <vector>

class ShapedButton;

// The 15 x 15 board of the workshop, at the play window's cell size, with a
// ball where the figure has one, drawn as the play window draws its balls.
// A click puts or removes a ball; a drag paints (or, when it began on a ball,
// erases) every cell it crosses. The arrow keys move a cell cursor and Space
// toggles the cell under it. Balls that are cut off from the rest carry a
// mark. The board only proposes changes (FigureEdited); whoever owns the
// figure decides and shows it with ShowFigure.
class WorkshopBoard : public QWidget {
    Q_OBJECT
public:
    explicit WorkshopBoard(QWidget* parent = nullptr);

    // The side of a cell: the play window's, unless the screen is too low to
    // show the whole workshop with the main window around it.
    int CellPixels() const { return cellPixels_; }

    void ShowFigure(const Rules::Figure& figure, const std::vector<Rules::Cell>& cutOff);
    const Rules::Figure& Figure() const { return figure_; }

    Rules::Cell Cursor() const { return cursor_; }
    // True when the ball on `cell` is shown as cut off.
    bool MarkedCutOff(Rules::Cell cell) const;
    // What a screen reader says of the cursor's cell.
    QString CursorText() const;

    QSize sizeHint() const override;

signals:
    // A change the player made; `continuesLast` while the same drag goes on.
    void FigureEdited(const Rules::Figure& figure, bool continuesLast);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    Rules::Cell CellAt(QPoint point) const;
    void PaintAlong(Rules::Cell from, Rules::Cell to);
    void MoveCursor(int rows, int columns);
    ShapedButton* BallOn(Rules::Cell cell);
    void NameCursor();
    void SayCursor();

    int cellPixels_ = 0;
    int ballPixels_ = 0;
    Rules::Figure figure_;
    std::array<ShapedButton*, Rules::BoardSize * Rules::BoardSize> balls_{};
    std::array<bool, Rules::BoardSize * Rules::BoardSize> cutOff_{};
    ShapedButton* design_ = nullptr;  // the outline every ball copies
    QWidget* cursorMark_ = nullptr;
    Rules::Cell cursor_{7, 7};

    bool dragging_ = false;
    bool dragPaints_ = true;  // a drag that began on an empty cell puts balls
    Rules::Cell lastDragCell_;
};
