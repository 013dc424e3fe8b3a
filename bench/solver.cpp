// SPDX-License-Identifier: GPL-3.0-or-later
// What a verdict of the solver costs, over 1,000 figures drawn from a fixed
// seed (half random scatterings, half random blobs of touching cells, 2 to
// 225 balls); the thirty stages together; generating stages of 150 balls.
//
//   bin/bench_solver [figures]
#include "play/StageTable.h"
#include "rules/Difficulty.h"
#include "rules/Generator.h"
#include "rules/Random.h"
#include "rules/Solver.h"
#include "stages/LayoutString.h"

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <cstdlib>
#include <vector>

using namespace Rules;

namespace {

// Processor time of this thread, so that other programs on the machine do not
// count: the figures are what one core spends.
class CpuTimer {
public:
    void start() { start_ = Now(); }
    double Milliseconds() const { return (Now() - start_) / 1e6; }

private:
    static double Now()
    {
        timespec now{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
        return double(now.tv_sec) * 1e9 + double(now.tv_nsec);
    }
    double start_ = 0;
};

double Milliseconds(const CpuTimer& timer) { return timer.Milliseconds(); }

Figure Scattering(Random& random, int balls)
{
    Figure figure;
    while (figure.Count() < balls) figure.Set({random.Below(BoardSize), random.Below(BoardSize)}, true);
    return figure;
}

// Grows from one cell, each new ball beside a ball already there.
Figure Blob(Random& random, int balls)
{
    Figure figure;
    std::vector<Cell> cells{{random.Below(BoardSize), random.Below(BoardSize)}};
    figure.Set(cells[0], true);
    constexpr Cell Beside[] = {{0, 1}, {0, -1}, {1, 0}, {-1, 0}};
    while (figure.Count() < balls) {
        const Cell from = cells[static_cast<std::size_t>(random.Below(static_cast<int>(cells.size())))];
        const Cell step = Beside[random.Below(4)];
        const Cell cell{from.row + step.row, from.column + step.column};
        if (OnBoard(cell) && !figure.Has(cell)) {
            figure.Set(cell, true);
            cells.push_back(cell);
        }
    }
    return figure;
}

double Percentile(std::vector<double> values, int percent)
{
    std::sort(values.begin(), values.end());
    return values[std::min(values.size() - 1, values.size() * static_cast<std::size_t>(percent) / 100)];
}

} // namespace

int main(int argc, char* argv[])
{
    const int figures = argc > 1 ? std::max(1, std::atoi(argv[1])) : 1000;
    Random random(20261207);
    std::vector<double> times;
    int verdicts[3] = {};
    double worst = 0;
    std::size_t worstPositions = 0;
    for (int k = 0; k < figures; ++k) {
        const int balls = 2 + random.Below(224);
        const Figure figure = k % 2 == 0 ? Scattering(random, balls) : Blob(random, balls);
        CpuTimer timer;
        timer.start();
        const SolverResult result = Solve(figure);
        times.push_back(Milliseconds(timer));
        ++verdicts[static_cast<int>(result.verdict)];
        if (times.back() > 20)
            std::printf("  slow: %s of %d balls, %.1f ms, %zu positions, verdict %d\n",
                        k % 2 == 0 ? "scattering" : "blob", balls, times.back(), result.positions,
                        static_cast<int>(result.verdict));
        if (times.back() > worst) {
            worst = times.back();
            worstPositions = result.positions;
        }
    }
    std::printf("%d figures: median %.3f ms, p99 %.3f ms, worst %.3f ms (%zu positions)\n", figures,
                Percentile(times, 50), Percentile(times, 99), worst, worstPositions);
    std::printf("  clearable %d, not clearable %d, unknown %d\n", verdicts[0], verdicts[1], verdicts[2]);

    CpuTimer thirty;
    thirty.start();
    std::size_t positions = 0;
    for (int stage = 0; stage < StageTable::Count; ++stage) {
        std::vector<Cell> cells;
        for (const BallRecord& ball : ReadLayoutString(StageTable::Layout(stage)).balls)
            cells.push_back({ball.row(), ball.column()});
        positions += Solve(Figure(cells)).positions;
    }
    std::printf("the thirty stages: %.3f ms together (%zu positions)\n", Milliseconds(thirty), positions);

    for (const Difficulty difficulty : {Difficulty::Easy, Difficulty::Normal, Difficulty::Hard}) {
        std::vector<double> generation;
        int perMille = 0;
        constexpr int Seeds = 10;
        for (int seed = 1; seed <= Seeds; ++seed) {
            CpuTimer timer;
            timer.start();
            const GeneratedStage stage = Generate(150, difficulty, static_cast<std::uint64_t>(seed));
            generation.push_back(Milliseconds(timer));
            perMille += DifficultyPerMille(stage.figure);
        }
        std::printf("generating 150 balls, %s: median %.2f ms, worst %.2f ms; measure %.3f on average\n",
                    qPrintable(DifficultyName(difficulty)), Percentile(generation, 50), Percentile(generation, 100),
                    perMille / 1000.0 / Seeds);
    }
    return 0;
}
