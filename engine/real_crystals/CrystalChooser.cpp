#include "CrystalChooser.h"

#include <algorithm>
#include <memory>
#include <numeric>

#include "CrystalPhrases.h"
#include "PlacementMeasure.h"

namespace trellon {

namespace {

using Placement = std::vector<std::size_t>;

// Batch indices in order of Fs, ties in batch order.
std::vector<std::size_t> fsOrder(const CrystalBatch& batch) {
    std::vector<std::size_t> order(batch.crystals.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return batch.crystals[a].fsKhz < batch.crystals[b].fsKhz;
    });
    return order;
}

// The crystal parts' positions: for each crystal position, ZQ1 first, the first position of its
// part, so that the two crystals of a pair share one.
struct CrystalParts {
    explicit CrystalParts(const BuiltCircuit& circuit) {
        for (const BuiltPart& part : circuit.parts) {
            if (part.kind == BuiltPartKind::Crystal) {
                sizes.push_back(static_cast<std::size_t>(part.parallelCrystals));
                for (int k = 0; k < part.parallelCrystals; ++k) {
                    partStart.push_back(partStart.size() - static_cast<std::size_t>(k));
                }
            }
        }
    }
    std::vector<std::size_t> sizes;      // crystals of each part, ZQ1 first
    std::vector<std::size_t> partStart;  // per position
    std::size_t positions() const { return partStart.size(); }
    std::size_t pairs() const { return positions() - sizes.size(); }
    bool samePart(std::size_t a, std::size_t b) const { return partStart[a] == partStart[b]; }
};

// Placements of the crystal positions from M crystals, a placement and its mirror image counted
// once, and the two orders of a pair once; stops counting past `limit`.
std::size_t placementCount(std::size_t m, const CrystalParts& parts, std::size_t limit) {
    const std::size_t n = parts.positions();
    const std::size_t alike = std::size_t{n > 1 ? 2U : 1U} << parts.pairs();
    std::size_t count = 1;
    for (std::size_t k = 0; k < n; ++k) {
        count *= m - k;
        if (count / alike > limit) {
            return limit + 1;
        }
    }
    return count / alike;
}

// Every placement whose first part's first crystal has a lower batch index than its last
// part's first, each pair in ascending batch order.
std::vector<Placement> everyPlacement(std::size_t m, const CrystalParts& parts) {
    const std::size_t n = parts.positions();
    std::vector<Placement> placements;
    Placement current;
    std::vector<bool> used(m, false);
    const auto extend = [&](const auto& self) -> void {
        if (current.size() == n) {
            if (n == 1 || current.front() < current[parts.partStart.back()]) {
                placements.push_back(current);
            }
            return;
        }
        const std::size_t position = current.size();
        const std::size_t start = parts.partStart[position];
        for (std::size_t i = start < position ? current[start] + 1 : 0; i < m; ++i) {
            if (!used[i]) {
                used[i] = true;
                current.push_back(i);
                self(self);
                current.pop_back();
                used[i] = false;
            }
        }
    };
    extend(extend);
    return placements;
}

// Crystals ascending in Fs placed in mirror pairs of parts from the ends inwards, the crystals
// of a pair of parallel ones adjacent in Fs.
Placement symmetricPlacement(std::span<const std::size_t> ascending, const CrystalParts& parts) {
    const std::size_t count = parts.sizes.size();
    std::vector<std::size_t> firstPosition;
    for (std::size_t position = 0; position < parts.positions(); ++position) {
        if (parts.partStart[position] == position) {
            firstPosition.push_back(position);
        }
    }
    Placement placement(parts.positions());
    std::size_t next = 0;
    const auto fill = [&](std::size_t part) {
        for (std::size_t k = 0; k < parts.sizes[part]; ++k) {
            placement[firstPosition[part] + k] = ascending[next++];
        }
    };
    for (std::size_t k = 0; k < count / 2; ++k) {
        fill(k);
        fill(count - 1 - k);
    }
    if (count % 2 == 1) {
        fill(count / 2);
    }
    return placement;
}

struct Scored {
    Placement placement;
    ShapeFit fit;
};

// A neighbour of the current placement and the estimate of its measure.
struct Trial {
    Placement placement;
    double estimate;
};

// Trials measured in full in each step of the descent, best estimates first; the absolute
// measure's estimates are exact, so its best is the only one that counts.
constexpr std::size_t kTrialsMeasuredInFull = 2;

// Every swap of two positions, then every exchange with an unused crystal near the placed ones
// in Fs order, each with the estimate of its measure near `start`.
std::vector<Trial> neighbours(const Scored& start, const CrystalParts& parts,
                              const std::vector<std::size_t>& order,
                              const std::vector<std::size_t>& rankOf, PlacementMeasure& measure,
                              std::span<const double> slopes) {
    const std::size_t n = start.placement.size();
    std::vector<Trial> trials;
    Placement trial = start.placement;
    const auto consider = [&] {
        trials.push_back({trial, measure.estimate(trial, start.fit, slopes)});
    };
    for (std::size_t a = 0; a < n; ++a) {
        for (std::size_t b = a + 1; b < n; ++b) {
            if (parts.samePart(a, b)) {
                continue;  // the same circuit
            }
            std::swap(trial[a], trial[b]);
            consider();
            std::swap(trial[a], trial[b]);
        }
    }
    std::size_t lowRank = order.size();
    std::size_t highRank = 0;
    for (std::size_t index : start.placement) {
        lowRank = std::min(lowRank, rankOf[index]);
        highRank = std::max(highRank, rankOf[index]);
    }
    const std::size_t first = lowRank > n ? lowRank - n : 0;
    const std::size_t last = std::min(order.size() - 1, highRank + n);
    for (std::size_t rank = first; rank <= last; ++rank) {
        const std::size_t candidate = order[rank];
        if (std::ranges::find(start.placement, candidate) != start.placement.end()) {
            continue;
        }
        for (std::size_t position = 0; position < n; ++position) {
            trial[position] = candidate;
            consider();
            trial[position] = start.placement[position];
        }
    }
    return trials;
}

// Best-improvement descent over the neighbours: the best estimated ones are measured in full
// (the first of equals in the order neighbours() makes them) until none improves.
Scored refine(Scored start, const CrystalParts& parts, const std::vector<std::size_t>& order,
              const std::vector<std::size_t>& rankOf, PlacementMeasure& measure, bool exact,
              std::atomic<bool>& cancel) {
    for (;;) {
        if (cancel.load()) {
            return start;
        }
        const std::vector<double> slopes =
            exact ? std::vector<double>{} : measure.slopes(start.placement, start.fit.shiftHz);
        std::vector<Trial> trials = neighbours(start, parts, order, rankOf, measure, slopes);
        std::stable_sort(trials.begin(), trials.end(),
                         [](const Trial& a, const Trial& b) { return a.estimate < b.estimate; });
        Scored best = start;
        const std::size_t measured = std::min(trials.size(), exact ? 1 : kTrialsMeasuredInFull);
        for (std::size_t i = 0; i < measured; ++i) {
            const ShapeFit fit =
                exact ? ShapeFit{trials[i].estimate, 0, 0} : measure(trials[i].placement);
            if (fit.deviation < best.fit.deviation) {
                best = {trials[i].placement, fit};
            }
        }
        if (!(best.fit.deviation < start.fit.deviation)) {
            return start;
        }
        start = std::move(best);
    }
}

}  // namespace

std::vector<std::string> placementNames(const CrystalBatch& batch,
                                        const std::vector<std::size_t>& placement) {
    std::vector<std::string> names;
    for (std::size_t index : placement) {
        names.push_back(batch.crystals[index].name);
    }
    return names;
}

std::vector<std::size_t> naivePlacement(const CrystalBatch& batch, int n) {
    const std::vector<std::size_t> order = fsOrder(batch);
    const auto count = static_cast<std::size_t>(n);
    std::size_t bestStart = 0;
    for (std::size_t start = 1; start + count <= order.size(); ++start) {
        const auto span = [&](std::size_t s) {
            return batch.crystals[order[s + count - 1]].fsKhz - batch.crystals[order[s]].fsKhz;
        };
        if (span(start) < span(bestStart)) {
            bestStart = start;
        }
    }
    Placement placement(order.begin() + static_cast<std::ptrdiff_t>(bestStart),
                        order.begin() + static_cast<std::ptrdiff_t>(bestStart + count));
    std::sort(placement.begin(), placement.end());
    return placement;
}

std::optional<CrystalChoice> ChooseCrystals(const CalculatedDesign& design,
                                            const CrystalBatch& batch,
                                            const ChoiceSettings& settings,
                                            const ProgressCallback& progress,
                                            std::atomic<bool>& cancel) {
    const int positions = design.crystalCount();
    const std::size_t n = static_cast<std::size_t>(positions);
    const CrystalParts parts(design.circuit);
    const std::size_t m = batch.crystals.size();
    if (m < n) {
        throw PhrasedError({{&crystalPhrase("batch-too-few"), {{std::to_string(positions)}}}});
    }
    const PlacementReference reference(design, batch, std::max(settings.measurePoints, 2),
                                       settings.measure);
    const int threads = taskThreads(settings.threads, m);
    std::vector<std::unique_ptr<PlacementMeasure>> measures;
    for (int t = 0; t < threads; ++t) {
        measures.push_back(std::make_unique<PlacementMeasure>(reference));
    }

    CrystalChoice choice;
    choice.kind = settings.measure;
    choice.naivePlacement = naivePlacement(batch, positions);
    const ShapeFit naive = (*measures[0])(choice.naivePlacement);
    choice.naiveMeasure = naive.deviation;
    std::vector<Scored> finalists{{choice.naivePlacement, naive}};

    if (placementCount(m, parts, settings.exhaustiveLimit) <= settings.exhaustiveLimit) {
        choice.exhaustive = true;
        const std::vector<Placement> placements = everyPlacement(m, parts);
        std::vector<ShapeFit> values(placements.size());
        const auto evaluate = [&](std::size_t i, int worker) {
            values[i] = (*measures[static_cast<std::size_t>(worker)])(placements[i]);
        };
        if (!runParallelTasks(placements.size(), threads, evaluate, progress, cancel)) {
            return std::nullopt;
        }
        for (std::size_t i = 0; i < placements.size(); ++i) {
            finalists.push_back({placements[i], values[i]});
        }
    } else {
        const std::vector<std::size_t> order = fsOrder(batch);
        std::vector<std::size_t> rankOf(m);
        for (std::size_t rank = 0; rank < m; ++rank) {
            rankOf[order[rank]] = rank;
        }
        const std::size_t windows = m - n + 1;
        std::vector<Scored> runs(windows);
        const auto evaluateRun = [&](std::size_t w, int worker) {
            const Placement placement = symmetricPlacement(std::span(order).subspan(w, n), parts);
            runs[w] = {placement, (*measures[static_cast<std::size_t>(worker)])(placement)};
        };
        const auto firstHalf = [&](double done) {
            if (progress) {
                progress(done / 2);
            }
        };
        if (!runParallelTasks(windows, threads, evaluateRun, firstHalf, cancel)) {
            return std::nullopt;
        }
        std::vector<std::size_t> ranked(windows);
        std::iota(ranked.begin(), ranked.end(), 0);
        std::stable_sort(ranked.begin(), ranked.end(), [&](std::size_t a, std::size_t b) {
            return runs[a].fit.deviation < runs[b].fit.deviation;
        });
        const std::size_t startCount =
            std::min(windows, static_cast<std::size_t>(std::max(settings.searchStarts, 0)));
        for (std::size_t k = 0; k < startCount; ++k) {
            finalists.push_back(runs[ranked[k]]);
        }
        const auto search = [&](std::size_t i, int worker) {
            finalists[i] = refine(finalists[i], parts, order, rankOf,
                                  *measures[static_cast<std::size_t>(worker)],
                                  settings.measure == ChoiceMeasure::Absolute, cancel);
        };
        const auto secondHalf = [&](double done) {
            if (progress) {
                progress(0.5 + done / 2);
            }
        };
        if (!runParallelTasks(finalists.size(), threads, search, secondHalf, cancel)) {
            return std::nullopt;
        }
    }
    // The first of the best, the naive choice ahead of all others.
    const Scored* best = &finalists.front();
    for (const Scored& scored : finalists) {
        if (scored.fit.deviation < best->fit.deviation) {
            best = &scored;
        }
    }
    choice.placement = best->placement;
    choice.measure = best->fit.deviation;
    choice.shiftHz = best->fit.shiftHz;
    choice.offsetDb = best->fit.offsetDb;
    return choice;
}

}  // namespace trellon
