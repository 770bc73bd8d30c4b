#pragma once
// Finds a complete knight's tour for tests, by Warnsdorff's rule with a fixed tie order.
// Written independently of the game's own jump test: rows and columns, not index differences.

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace trevak::testing {

inline bool jumpByRowsAndColumns(int from, int to)
{
    const int dr = std::abs((to - 1) / 8 - (from - 1) / 8);
    const int dc = std::abs((to - 1) % 8 - (from - 1) % 8);
    return (dr == 1 && dc == 2) || (dr == 2 && dc == 1);
}

inline std::vector<int> jumpsFrom(int square)
{
    std::vector<int> targets;
    for (int t = 1; t <= 64; ++t) {
        if (jumpByRowsAndColumns(square, t))
            targets.push_back(t);
    }
    return targets;
}

namespace detail {
inline int onwardJumps(int square, const std::vector<bool> &used)
{
    int count = 0;
    for (int u : jumpsFrom(square))
        count += used[u] ? 0 : 1;
    return count;
}

// Depth first, trying the squares with the fewest onward jumps first (Warnsdorff's rule),
// which on this board almost never needs to backtrack.
inline bool extend(std::vector<int> &tour, std::vector<bool> &used)
{
    if (tour.size() == 64)
        return true;
    std::vector<int> next;
    for (int t : jumpsFrom(tour.back())) {
        if (!used[t])
            next.push_back(t);
    }
    std::stable_sort(next.begin(), next.end(), [&used](int a, int b) {
        return onwardJumps(a, used) < onwardJumps(b, used);
    });
    for (int t : next) {
        used[t] = true;
        tour.push_back(t);
        if (extend(tour, used))
            return true;
        tour.pop_back();
        used[t] = false;
    }
    return false;
}
}  // namespace detail

// The squares of a complete tour starting on `start`.
inline std::vector<int> warnsdorffTour(int start)
{
    std::vector<bool> used(65, false);
    std::vector<int> tour{start};
    used[start] = true;
    detail::extend(tour, used);
    return tour;
}

}  // namespace trevak::testing
