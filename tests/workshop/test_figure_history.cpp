// SPDX-License-Identifier: GPL-3.0-or-later
// Undo and redo of the figure being drawn: a drag is one step, an undo in
// the middle of a drag keeps what came before it, and a new change forgets
// what was undone.
#include "workshop/FigureHistory.h"

#include <QtTest>

using Rules::Figure;

namespace {

// One ball on (0, k): the k-th figure of a session.
Figure Nth(int k) { return k == 0 ? Figure() : Figure({{0, k}}); }

struct Step {
    char act;  // 'c' a change, 'd' a drag going on, 'u' undo, 'r' redo
    int figure;  // for 'c' and 'd': the figure it makes
};

} // namespace

class FigureHistoryTest : public QObject {
    Q_OBJECT

private slots:
    void stepsComeBackInOrder()
    {
        struct Case {
            const char* name;
            std::vector<Step> steps;
            int current;
            std::vector<int> undoneTo;  // the figures undo after undo reaches
        };
        const Case cases[] = {
            {"a drag is one step", {{'c', 1}, {'c', 2}, {'d', 3}, {'d', 4}}, 4, {1, 0}},
            {"undo during a drag keeps the figure before it",
             {{'c', 1}, {'c', 2}, {'d', 3}, {'u', 0}, {'d', 4}}, 4, {1, 0}},
            {"redo during a drag too", {{'c', 1}, {'u', 0}, {'r', 0}, {'d', 2}}, 2, {1, 0}},
            {"a new change after undo clears redo", {{'c', 1}, {'c', 2}, {'u', 0}, {'c', 3}, {'r', 0}}, 3, {1, 0}},
        };
        for (const Case& c : cases) {
            FigureHistory history;
            for (const Step& step : c.steps) {
                switch (step.act) {
                case 'c': history.Change(Nth(step.figure)); break;
                case 'd': history.Change(Nth(step.figure), true); break;
                case 'u': history.Undo(); break;
                case 'r': history.Redo(); break;
                }
            }
            QVERIFY2(history.Current() == Nth(c.current), c.name);
            for (const int figure : c.undoneTo) {
                QVERIFY2(history.Undo() && history.Current() == Nth(figure), c.name);
            }
            QVERIFY2(!history.CanUndo(), c.name);
        }
    }
};

QTEST_APPLESS_MAIN(FigureHistoryTest)
#include "test_figure_history.moc"
