// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/FigureProver.h"

#include "stages/FigureKey.h"
#include "stages/ProofCacheFile.h"
#include "stages/StageFolder.h"

#include <QCoreApplication>
#include <QThread>

#include <algorithm>
#include <array>
#include <atomic>
#include <condition_variable>
#include <deque>
#include <mutex>

namespace {

FigureProver* theProver = nullptr;

// What a proof kept on disk says, made sure of. Its order of takes was
// replayed on reading; its stars are measured again (a millisecond or so),
// and a "not clearable" or "unknown" is proven again (rare, and mostly a
// matter of milliseconds): a file edited by hand can neither hide a stage
// nor change its stars.
FigureProof Confirm(const Rules::Figure& figure, const FigureProof& kept, const Rules::SolverLimits& limits,
                    const std::atomic<bool>* stop)
{
    if (kept.verdict != Rules::Verdict::Clearable)
        return ProveFigure(figure, limits, stop);
    FigureProof confirmed = kept;
    confirmed.stars = StarsOfClearable(figure);
    return confirmed;
}

// Several proofs that end close together are written in one go.
constexpr int SaveDelayMilliseconds = 1000;

constexpr int PriorityCount = 3;
using Bits = unsigned;
Bits Bit(FigureProver::Priority priority) { return 1u << unsigned(priority); }
FigureProver::Priority Most(Bits askers)  // the most urgent of them; askers != 0
{
    int priority = 0;
    while (!(askers & (1u << unsigned(priority))))
        ++priority;
    return FigureProver::Priority(priority);
}

} // namespace

// What the window's thread and the proving thread share, under one lock.
struct FigureProver::Worker {
    struct Job {
        Rules::Figure figure;
        QByteArray key;
        Rules::SolverLimits limits;
        bool fromDisk = false;  // then `kept` is confirmed, not proven from nothing
        FigureProof kept;
    };
    struct Finished {
        Job job;
        FigureProof proof;
    };

    std::mutex mutex;
    std::condition_variable wake;
    std::array<std::deque<Job>, PriorityCount> queues;  // by priority
    QHash<QByteArray, Bits> askers;                       // queued or under way, and who asked
    QByteArray running;                                   // the key under way, if any
    std::atomic<bool> stopRunning{false};
    std::vector<Finished> finished;  // for the window's thread
    bool quit = false;
    QThread* thread = nullptr;

    // Under the lock: takes a queued job out of its queue.
    std::optional<Job> Unqueue(const QByteArray& key, Priority from)
    {
        std::deque<Job>& queue = queues[std::size_t(from)];
        const auto found = std::find_if(queue.begin(), queue.end(), [&](const Job& job) { return job.key == key; });
        if (found == queue.end())
            return std::nullopt;
        Job job = std::move(*found);
        queue.erase(found);
        return job;
    }

    // Under the lock: the job under way gives way to a more urgent one.
    void MakeWay(Priority priority)
    {
        const Bits runningAskers = running.isEmpty() ? 0 : askers.value(running);
        if (runningAskers && Most(runningAskers) > priority)
            stopRunning = true;
    }

    void Run(FigureProver* prover)
    {
        std::unique_lock lock(mutex);
        for (;;) {
            wake.wait(lock, [this] {
                return quit || std::any_of(queues.begin(), queues.end(), [](const auto& queue) { return !queue.empty(); });
            });
            if (quit)
                return;
            auto queue = std::find_if(queues.begin(), queues.end(), [](const auto& each) { return !each.empty(); });
            Job job = std::move(queue->front());
            queue->pop_front();
            running = job.key;
            stopRunning = false;
            lock.unlock();
            FigureProof proof = job.fromDisk ? Confirm(job.figure, job.kept, job.limits, &stopRunning)
                                         : ProveFigure(job.figure, job.limits, &stopRunning);
            lock.lock();
            running.clear();
            if (stopRunning) {
                // Withdrawn, or put aside for a more urgent one: then it starts again later.
                if (const Bits still = askers.value(job.key))
                    queues[std::size_t(Most(still))].push_front(std::move(job));
                continue;
            }
            askers.remove(job.key);
            finished.push_back({std::move(job), std::move(proof)});
            if (finished.size() == 1)
                QMetaObject::invokeMethod(prover, &FigureProver::TakeFinished, Qt::QueuedConnection);
        }
    }
};

// Owned by the application object, so that the proof under way is stopped
// and its thread ended while the toolkit is still whole.
FigureProver& FigureProver::Instance()
{
    if (!theProver)
        theProver = new FigureProver(QCoreApplication::instance());
    return *theProver;
}

FigureProver* FigureProver::Existing() { return theProver; }

FigureProver::FigureProver(QObject* owner) : QObject(owner), worker_(std::make_unique<Worker>())
{
    saveTimer_.setSingleShot(true);
    saveTimer_.setInterval(SaveDelayMilliseconds);
    connect(&saveTimer_, &QTimer::timeout, this, &FigureProver::Save);
    worker_->thread = QThread::create([this] { worker_->Run(this); });
    worker_->thread->start(QThread::LowPriority);
}

FigureProver::~FigureProver()
{
    if (theProver == this)
        theProver = nullptr;
    {
        const std::lock_guard lock(worker_->mutex);
        worker_->quit = true;
        worker_->stopRunning = true;
    }
    worker_->wake.notify_all();
    worker_->thread->wait();
    delete worker_->thread;
    if (saveTimer_.isActive())
        Save();
}

std::optional<FigureProof> FigureProver::Known(const Rules::Figure& figure) const
{
    const auto found = known_.constFind(PackedCells(figure));
    if (found == known_.cend() || found->limits != limits_)
        return std::nullopt;
    return found->proof;
}

void FigureProver::Request(const Rules::Figure& figure, Priority priority)
{
    if (figure.Count() == 0 || Known(figure))
        return;
    const QByteArray key = PackedCells(figure);
    {
        const std::lock_guard lock(worker_->mutex);
        Worker& worker = *worker_;
        const Bits before = worker.askers.value(key);
        worker.askers[key] = before | Bit(priority);
        if (!before)
            worker.queues[std::size_t(priority)].push_back({figure, key, limits_, false, {}});
        else if (Most(before) > priority) {
            if (std::optional<Worker::Job> job = worker.Unqueue(key, Most(before)))
                worker.queues[std::size_t(priority)].push_back(std::move(*job));
        }
        worker.MakeWay(priority);
    }
    worker_->wake.notify_one();
}

void FigureProver::RequestForBoard(const Rules::Figure& figure)
{
    const QByteArray key = figure.Count() ? PackedCells(figure) : QByteArray();
    if (!board_.isEmpty() && board_ != key) {
        const std::lock_guard lock(worker_->mutex);
        Worker& worker = *worker_;
        if (const auto found = worker.askers.find(board_); found != worker.askers.end() && (*found & Bit(Priority::Board))) {
            const Bits left = *found & ~Bit(Priority::Board);
            std::optional<Worker::Job> job = worker.Unqueue(board_, Priority::Board);
            if (!left) {
                worker.askers.erase(found);
                if (worker.running == board_)
                    worker.stopRunning = true;
            } else {
                *found = left;
                if (job)
                    worker.queues[std::size_t(Most(left))].push_front(std::move(*job));
            }
        }
    }
    board_ = key;
    if (key.isEmpty())
        return;
    if (Known(figure)) {
        QMetaObject::invokeMethod(this, [this, figure] { emit Proven(figure); }, Qt::QueuedConnection);
        return;
    }
    Request(figure, Priority::Board);
}

void FigureProver::TakeFinished()
{
    std::vector<Worker::Finished> finished;
    {
        const std::lock_guard lock(worker_->mutex);
        finished.swap(worker_->finished);
    }
    bool save = false;
    std::vector<Rules::Figure> proven;
    for (Worker::Finished& done : finished) {
        // A kept proof confirmed as it was changes nothing anyone was told.
        if (done.job.fromDisk && done.job.kept == done.proof)
            continue;
        save = save || (onDisk_.contains(done.job.key) && done.job.limits == Rules::SolverLimits{});
        known_.insert(done.job.key, {std::move(done.proof), done.job.limits});
        proven.push_back(std::move(done.job.figure));
    }
    if (save)
        SaveSoon();
    for (const Rules::Figure& figure : proven)
        emit Proven(figure);
}

void FigureProver::KeepOnDisk(const Rules::Figure& figure, bool keep)
{
    const QByteArray key = PackedCells(figure);
    if (keep == onDisk_.contains(key))
        return;
    if (keep)
        onDisk_.insert(key);
    else
        onDisk_.remove(key);
    if (known_.contains(key))
        SaveSoon();
}

void FigureProver::SetFile(const QString& path)
{
    if (path == file_)
        return;
    file_ = path;
    written_.clear();
    const ProofCacheFile::Reading reading = ProofCacheFile::Read(file_);
    {
        // Believed for the moment, so that the stages show at once as they
        // were; confirmed on the proving thread, after anything more urgent.
        const std::lock_guard lock(worker_->mutex);
        Worker& worker = *worker_;
        for (auto it = reading.proofs.cbegin(); it != reading.proofs.cend(); ++it) {
            if (known_.contains(it.key()) || worker.askers.contains(it.key()))
                continue;
            known_.insert(it.key(), {*it, Rules::SolverLimits{}});
            worker.askers.insert(it.key(), Bit(Priority::Folder));
            worker.queues[std::size_t(Priority::Folder)].push_back(
                {*FigureOfPackedCells(it.key()), it.key(), Rules::SolverLimits{}, true, *it});
        }
    }
    worker_->wake.notify_one();
    // Lines dropped, or of figures gone from the folder, go at the next writing.
    SaveSoon();
}

void FigureProver::SetLimits(const Rules::SolverLimits& limits) { limits_ = limits; }

void FigureProver::SaveSoon()
{
    if (!file_.isEmpty() && !saveTimer_.isActive())
        saveTimer_.start();
}

void FigureProver::Save()
{
    saveTimer_.stop();
    QHash<QByteArray, FigureProof> kept;
    for (const QByteArray& key : std::as_const(onDisk_)) {
        const auto found = known_.constFind(key);
        if (found != known_.cend() && found->limits == Rules::SolverLimits{})
            kept.insert(key, found->proof);
    }
    const QByteArray bytes = ProofCacheFile::Format(kept);
    if (bytes == written_)
        return;
    // A cache: when it cannot be written, the proofs are only made again.
    if (StageFolder::WriteWhole(file_, bytes) != 0)
        qWarning("The proofs could not be kept in %s", qUtf8Printable(file_));
    else
        written_ = bytes;
}
