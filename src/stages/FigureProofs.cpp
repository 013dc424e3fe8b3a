// SPDX-License-Identifier: GPL-3.0-or-later
#include "stages/FigureProofs.h"

#include "rules/Difficulty.h"
#include "stages/ProofCacheFile.h"

#include <QCoreApplication>
#include <QThread>

namespace {

FigureProofs* theProofs = nullptr;

} // namespace

// Owned by the application object, so that the proof under way is stopped
// and its thread ended while the toolkit is still whole.
FigureProofs& FigureProofs::Instance()
{
    if (!theProofs)
        theProofs = new FigureProofs(QCoreApplication::instance());
    return *theProofs;
}

FigureProofs::FigureProofs(QObject* owner) : QObject(owner) {}

FigureProofs::~FigureProofs()
{
    if (theProofs == this)
        theProofs = nullptr;
    for (const auto& stop : std::as_const(underWay_))
        stop->store(true);
    waiting_.clear();
    if (worker_) {
        worker_->wait();
        delete worker_;
    }
}

int FigureProofs::StarsOfClearable(const Rules::Figure& figure)
{
    return Rules::StarsForPerMille(Rules::DifficultyPerMille(figure));
}

std::optional<FigureProofs::Proof> FigureProofs::Known(const Rules::Figure& figure) const
{
    const auto found = known_.constFind(PackedCells(figure));
    if (found == known_.cend())
        return std::nullopt;
    return found->proof;
}

void FigureProofs::Request(const Rules::Figure& figure)
{
    const QByteArray key = PackedCells(figure);
    if (known_.contains(key) || underWay_.contains(key))
        return;
    underWay_.insert(key, std::make_shared<std::atomic<bool>>(false));
    waiting_.push_back(figure);
    StartNext();
}

// One proof at a time: the other core stays with the window and the sound.
void FigureProofs::StartNext()
{
    while (!worker_ && !waiting_.empty()) {
        const Rules::Figure figure = waiting_.front();
        waiting_.pop_front();
        const QByteArray key = PackedCells(figure);
        const auto stop = underWay_.value(key);
        if (!stop)
            continue;  // proven elsewhere meanwhile
        worker_ = QThread::create([this, key, figure, stop] {
            const Rules::SolverResult result = Rules::Solve(figure, {}, stop.get());
            if (stop->load())
                return;
            const Proof proof{result.verdict,
                              result.verdict == Rules::Verdict::Clearable ? StarsOfClearable(figure) : 0};
            QMetaObject::invokeMethod(this, [this, key, proof] { Finish(key, proof); }, Qt::QueuedConnection);
        });
        connect(worker_, &QThread::finished, this, [this] {
            worker_->deleteLater();
            worker_ = nullptr;
            StartNext();
        });
        worker_->start(QThread::LowPriority);
    }
}

void FigureProofs::Finish(const QByteArray& key, Proof proof)
{
    if (!underWay_.remove(key))
        return;  // proven elsewhere meanwhile
    known_.insert(key, {proof, true});
    SaveSoon();
    emit Proven();
}

void FigureProofs::Remember(const Rules::Figure& figure, Proof proof, bool keep)
{
    const QByteArray key = PackedCells(figure);
    Kept& kept = known_[key];
    kept.proof = proof;
    kept.onDisk = kept.onDisk || keep;
    if (keep)
        SaveSoon();
    // A proof of the same figure under way here is not needed any more.
    if (const auto stop = underWay_.take(key)) {
        stop->store(true);
        emit Proven();
    }
}

void FigureProofs::Keep(const Rules::Figure& figure)
{
    const auto found = known_.find(PackedCells(figure));
    if (found != known_.end() && !found->onDisk) {
        found->onDisk = true;
        SaveSoon();
    }
}

void FigureProofs::SetFile(const QString& path)
{
    if (path == file_)
        return;
    file_ = path;
    LoadFile();
}

void FigureProofs::LoadFile()
{
    const QHash<QByteArray, ProofCacheFile::Line> lines = ProofCacheFile::Read(file_);
    for (auto it = lines.cbegin(); it != lines.cend(); ++it) {
        if (!known_.contains(it.key()))
            known_.insert(it.key(), {{it->verdict, it->stars}, true});
    }
}

// Several proofs that end together are written in one go.
void FigureProofs::SaveSoon()
{
    if (saveQueued_ || file_.isEmpty())
        return;
    saveQueued_ = true;
    QMetaObject::invokeMethod(this, [this] { Save(); }, Qt::QueuedConnection);
}

void FigureProofs::Save()
{
    saveQueued_ = false;
    QHash<QByteArray, ProofCacheFile::Line> lines;
    for (auto it = known_.cbegin(); it != known_.cend(); ++it) {
        if (it->onDisk)
            lines.insert(it.key(), {it->proof.verdict, it->proof.stars});
    }
    // A cache: when it cannot be written, the proofs are only made again.
    if (!ProofCacheFile::Write(file_, lines))
        qWarning("The proofs could not be kept in %s", qUtf8Printable(file_));
}

QByteArray PackedCells(const Rules::Figure& figure)
{
    QByteArray packed((Rules::BoardSize * Rules::BoardSize + 7) / 8, '\0');
    for (std::size_t bit = 0; bit < figure.Bits().size(); ++bit) {
        if (figure.Bits().test(bit))
            packed[qsizetype(bit / 8)] = char(packed[qsizetype(bit / 8)] | (1 << (bit % 8)));
    }
    return packed;
}
