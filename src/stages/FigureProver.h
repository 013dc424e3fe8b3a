// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "stages/FigureProof.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

#include <memory>
#include <optional>

// The one prover of figures: proves them on a thread of its own, one at a
// time (the other core stays with the window and the sound), the most
// urgent first, and keeps every proof for the run. Those of the figures the
// stages folder holds are kept on disk too (ProofCacheFile), so that the
// next start need not prove them again: it only confirms what the file says,
// in the background. Used from the window's thread only;
// Proven comes there, in a later turn of the event loop, never from within
// a call.
class FigureProver : public QObject {
    Q_OBJECT
public:
    // Who asks, the most urgent first. A request of a more urgent kind puts
    // a less urgent proof under way aside; it goes on later from the start.
    enum class Priority { Board, Adding, Folder };

    static FigureProver& Instance();  // needs the application object
    static FigureProver* Existing();  // nullptr before Instance() and after the application object
    ~FigureProver() override;         // stops the proof under way and waits for it

    // The proof of a figure, when it is known (under the limits now set).
    std::optional<FigureProof> Known(const Rules::Figure& figure) const;
    // Proves a figure unless it is known or under way: Proven follows.
    void Request(const Rules::Figure& figure, Priority priority);
    // The figure on the workshop's board: the board's request for the last
    // one is withdrawn (that proof stops unless someone else asked for it).
    // Proven follows, also when the figure is known already. An empty
    // figure only withdraws.
    void RequestForBoard(const Rules::Figure& figure);

    // Whether a figure's proof is kept on disk: the figures the stages
    // folder holds. The others go from the file at its next writing.
    void KeepOnDisk(const Rules::Figure& figure, bool keep);
    // Where the kept proofs live (read now, believed at once, each confirmed
    // later on the proving thread; Proven follows where one was wrong);
    // empty: nowhere.
    void SetFile(const QString& path);

    // The solver's limits for the proofs asked for from now on (tests):
    // proofs under other limits than the game's are never kept on disk.
    void SetLimits(const Rules::SolverLimits& limits);

signals:
    // A requested figure's proof is known.
    void Proven(const Rules::Figure& figure);

private:
    explicit FigureProver(QObject* owner);
    void TakeFinished();
    void SaveSoon();
    void Save();

    struct Kept {
        FigureProof proof;
        Rules::SolverLimits limits;
    };
    struct Worker;
    std::unique_ptr<Worker> worker_;
    QHash<QByteArray, Kept> known_;
    QSet<QByteArray> onDisk_;
    QByteArray board_;  // the packed cells the board asked for last
    Rules::SolverLimits limits_;
    QString file_;
    QByteArray written_;  // what the file holds, as far as we know
    QTimer saveTimer_;
};
