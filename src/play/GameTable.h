#pragma once

#include <QWidget>

class MainForm;

// The play window: one stage, one ball button per ball, the clock and the
// stage's record. At most one exists.
class GameTable : public QWidget {
    Q_OBJECT
public:
    // Opens the play window on the stage that the selection window shows, or,
    // when one is open already, only brings it to the front.
    static GameTable* LoadAndShow(MainForm& mainForm);

    // The open play window, or nullptr.
    static GameTable* Instance();

private:
    explicit GameTable(QWidget* parent = nullptr);
};
