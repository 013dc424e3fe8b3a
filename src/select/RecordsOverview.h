// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class QTableWidget;

// The records of every stage at a glance (the thirty, then the player's
// own): a row per stage with its number, title, attempt number, clear time,
// whether it is cleared and its difficulty in stars, read as the play window
// reads them, and the count of cleared stages under the table. Read-only and not modal; there is never more than one. It reads the
// store when it is shown and again whenever the stage records are written.
class RecordsOverview : public QWidget {
    Q_OBJECT
public:
    enum Column { StageColumn, TitleColumn, AttemptColumn, TimeColumn, ClearedColumn, StarsColumn, ColumnCount };

    // Opens the window, or brings the one already open to the front.
    // `owner` (the main window) keeps it in front of itself, and on Wayland
    // the compositor centres it there.
    static RecordsOverview* LoadAndShow(QWidget* owner = nullptr);

    // The open window, or nullptr.
    static RecordsOverview* Instance();

    QTableWidget* Table = nullptr;
    QLabel* ClearCount = nullptr;     // "クリア 12/30"
    QPushButton* Command1 = nullptr;  // "閉じる"
    QLabel* DailyLine = nullptr;      // the stage of the day: today, days cleared, streak
    QPushButton* DailyNumbersButton = nullptr;  // under it: its numbers and chart (DailyNumbers)

    // The stage shown in `row` of the table as it is sorted now.
    int StageInRow(int row) const;

signals:
    // A double click (or Return) on a row: that stage is wanted on display.
    void StageChosen(int stage);

protected:
    // Escape closes the window, as it closes a dialog.
    void keyPressEvent(QKeyEvent* event) override;
    // Wider or taller than at first: the table, and in it the titles, take the room.
    void resizeEvent(QResizeEvent* event) override;
    // The keys coming back into the table: the current row is read.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit RecordsOverview(QWidget* owner);
    ~RecordsOverview() override;
    void Refresh();
    void NumberRowHeaders();  // after every sort
    QString Heading(int column) const;
    QString SpokenRow(int row) const;
    void WidenForColumns();

    // The keys last moved along a row, not to another row: read by the cells.
    bool keysAlongRow_ = false;
};
