#include "MonteCarloCsv.h"

#include <span>
#include <vector>

#include "NumberColumnsCsv.h"

namespace trellon {

std::string writeMonteCarloCsv(const MonteCarloResult& result) {
    std::vector<std::vector<double>> columns(7);
    for (std::size_t i = 0; i < result.figures.size(); ++i) {
        const CurveFigures& f = result.figures[i];
        const TargetMisses missed = missedTargets(f, result.limits);
        const double row[] = {static_cast<double>(i + 1),
                              f.bandwidth,
                              f.ripple,
                              f.amin,
                              missed.bandwidth ? 0.0 : 1.0,
                              missed.ripple ? 0.0 : 1.0,
                              missed.loss ? 0.0 : 1.0};
        for (std::size_t c = 0; c < columns.size(); ++c) {
            columns[c].push_back(row[c]);
        }
    }
    std::vector<std::span<const double>> spans(columns.begin(), columns.end());
    return writeNumberColumnsCsv({"sample", "bandwidth_hz", "ripple_db", "amin_db",
                                  "meets_bandwidth", "meets_ripple", "meets_loss"},
                                 spans);
}

}  // namespace trellon
