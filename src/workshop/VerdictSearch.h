// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Figure.h"
#include "rules/Solver.h"

#include <QObject>

#include <atomic>
#include <memory>
#include <vector>

class QThread;

// Proves the figure being drawn off the window's thread, so that drawing
// never waits for the solver. Each new figure cancels the search for the one
// before; only the newest search reports.
class VerdictSearch : public QObject {
    Q_OBJECT
public:
    explicit VerdictSearch(QObject* parent = nullptr);
    ~VerdictSearch() override;  // cancels every search and waits for its end

    void Start(const Rules::Figure& figure);
    // Cancels the search under way, if any: it reports nothing.
    void Cancel();
    bool Searching() const { return searching_; }
    // The solver's limits for the searches started from now on.
    void SetLimits(const Rules::SolverLimits& limits) { limits_ = limits; }

signals:
    // The newest figure's verdict, and its difficulty stars (0 unless clearable).
    void Found(Rules::Verdict verdict, int stars);

private:
    // `remember`: a proof under the game's own limits, kept for the figure.
    void Report(unsigned long long search, const Rules::Figure& figure, Rules::Verdict verdict, int stars,
                bool remember);

    Rules::SolverLimits limits_;
    std::shared_ptr<std::atomic<bool>> cancelNewest_;
    std::vector<QThread*> threads_;
    unsigned long long newest_ = 0;
    bool searching_ = false;
};
