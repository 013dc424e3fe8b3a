// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "rules/Figure.h"
#include "rules/Solver.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>

#include <atomic>
#include <deque>
#include <memory>
#include <optional>

class QThread;

// Whether each figure can be cleared, and its stars: proven once per figure,
// off the window's thread, and kept. What the player's stages need is also
// kept on disk (see ProofCacheFile), so that a figure that took long to
// prove, or could not be proven within the solver's limits, is not proven
// again at every start. A figure's verdict depends only on its cells, so the
// figure itself is the key: a stage file edited by hand is a new figure.
class FigureProofs : public QObject {
    Q_OBJECT
public:
    struct Proof {
        Rules::Verdict verdict = Rules::Verdict::Unknown;
        int stars = 0;  // 1..3 when clearable, else 0
    };

    static FigureProofs& Instance();  // needs the application object
    ~FigureProofs() override;  // stops the proof under way and waits for it

    // The proof of a figure, when it is known.
    std::optional<Proof> Known(const Rules::Figure& figure) const;
    // Starts proving a figure off the window's thread, unless it is known or
    // under way already; Proven follows when it is known.
    void Request(const Rules::Figure& figure);
    // Takes a proof made elsewhere (the workshop proves what is drawn), so
    // that it is not made again. `keep`: kept on disk too.
    void Remember(const Rules::Figure& figure, Proof proof, bool keep);
    // Keeps a known proof on disk too (the figure became a stage).
    void Keep(const Rules::Figure& figure);

    // Where the kept proofs live; empty: nowhere (set by the player's stages).
    void SetFile(const QString& path);

    // The stars of a figure known to be clearable, without a proof (the thirty).
    static int StarsOfClearable(const Rules::Figure& figure);

signals:
    // A requested proof became known.
    void Proven();

private:
    explicit FigureProofs(QObject* owner);
    void StartNext();
    void Finish(const QByteArray& key, Proof proof);
    void LoadFile();
    void SaveSoon();
    void Save();

    struct Kept {
        Proof proof;
        bool onDisk = false;
    };
    QHash<QByteArray, Kept> known_;
    QHash<QByteArray, std::shared_ptr<std::atomic<bool>>> underWay_;  // each with its stop
    QString file_;
    bool saveQueued_ = false;
    std::deque<Rules::Figure> waiting_;  // requested, not started
    QThread* worker_ = nullptr;          // the proof under way
};

// A figure's cells as bytes: bit IndexOf(cell) of the board is bit
// (index % 8) of byte index / 8. What the caches and the record keys are made of.
QByteArray PackedCells(const Rules::Figure& figure);
