// SPDX-License-Identifier: GPL-3.0-or-later
#include "workshop/VerdictSearch.h"

#include "stages/FigureProofs.h"

#include <QThread>

#include <algorithm>

VerdictSearch::VerdictSearch(QObject* parent) : QObject(parent) {}

VerdictSearch::~VerdictSearch()
{
    if (cancelNewest_)
        cancelNewest_->store(true);
    // The older searches were cancelled when they were replaced.
    for (QThread* thread : threads_) {
        thread->wait();
        delete thread;
    }
}

void VerdictSearch::Cancel()
{
    if (cancelNewest_)
        cancelNewest_->store(true);
    ++newest_;
    searching_ = false;
}

void VerdictSearch::Start(const Rules::Figure& figure)
{
    Cancel();
    cancelNewest_ = std::make_shared<std::atomic<bool>>(false);
    const unsigned long long search = ++newest_;
    searching_ = true;
    // A figure proven before (a stage of the player's, a figure drawn again
    // after an undo) is not proven again, unless under other limits.
    if (const std::optional<FigureProofs::Proof> known = FigureProofs::Instance().Known(figure);
        known && limits_ == Rules::SolverLimits{}) {
        QMetaObject::invokeMethod(
            this, [this, search, figure, proof = *known] { Report(search, figure, proof.verdict, proof.stars, false); },
            Qt::QueuedConnection);
        return;
    }

    QThread* thread = QThread::create([this, figure, search, limits = limits_, cancel = cancelNewest_] {
        const Rules::SolverResult result = Rules::Solve(figure, limits, cancel.get());
        if (cancel->load())
            return;
        const int stars =
            result.verdict == Rules::Verdict::Clearable ? FigureProofs::StarsOfClearable(figure) : 0;
        // Handed to the window's thread; dropped there if a newer search began.
        QMetaObject::invokeMethod(
            this,
            [this, search, figure, verdict = result.verdict, stars, keep = limits == Rules::SolverLimits{}] {
                Report(search, figure, verdict, stars, keep);
            },
            Qt::QueuedConnection);
    });
    threads_.push_back(thread);
    connect(thread, &QThread::finished, this, [this, thread] {
        threads_.erase(std::remove(threads_.begin(), threads_.end(), thread), threads_.end());
        thread->deleteLater();
    });
    thread->start(QThread::LowPriority);
}

void VerdictSearch::Report(unsigned long long search, const Rules::Figure& figure, Rules::Verdict verdict, int stars,
                           bool remember)
{
    // Kept for 保存 and 読み込み, which then need no proof of their own; a
    // proof under other limits than the game's says nothing about the figure.
    if (remember)
        FigureProofs::Instance().Remember(figure, {verdict, stars}, false);
    if (search != newest_)
        return;
    searching_ = false;
    emit Found(verdict, stars);
}
