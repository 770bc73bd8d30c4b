#pragma once
// Checks that a game state is consistent: what the board, the labels and the gauge show
// agrees with the tour and the counters. Returns an empty text when all holds.

#include "game/GameState.h"

#include <set>
#include <string>

namespace trevak::testing {

inline std::string brokenInvariant(const GameState &s)
{
    auto fail = [](const std::string &what) { return what; };
    if (s.knightPlaced == 0) {
        if (s.lblBody != 0)
            return fail("no knight but LblBody " + std::to_string(s.lblBody));
        for (int i = 1; i <= 64; ++i) {
            if (s.picture[i] != NoPicture)
                return fail("no knight but square " + std::to_string(i) + " shows a picture");
        }
        for (int k = 0; k < 65; ++k) {
            if (s.line1Visible[k])
                return fail("no knight but stroke " + std::to_string(k) + " visible");
        }
        return {};
    }
    const int n = s.filledCount;
    if (s.lblBody != n || n < 1 || n > 64)
        return fail("LblBody " + std::to_string(s.lblBody) + " filledCount " + std::to_string(n));
    std::set<int> seen;
    for (int k = 1; k <= n; ++k) {
        const int sq = s.tour[k];
        if (sq < 1 || sq > 64 || !seen.insert(sq).second)
            return fail("tour entry " + std::to_string(k) + " is " + std::to_string(sq));
    }
    if (s.tour[n] != s.currentSquare)
        return fail("knight not on the last step");
    for (int i = 1; i <= 64; ++i) {
        Picture expected = NoPicture;
        if (i == s.currentSquare)
            expected = knightPicture(s.tag[i]);
        else if (seen.count(i))
            expected = visitedPicture(s.tag[i]);
        if (s.picture[i] != expected)
            return fail("square " + std::to_string(i) + " shows " + std::to_string(s.picture[i]));
    }
    if (s.lineCount != n - 1)
        return fail("lineCount " + std::to_string(s.lineCount));
    for (int k = 0; k < 65; ++k) {
        if (s.line1Visible[k] != (k <= s.lineCount))
            return fail("stroke " + std::to_string(k));
    }
    if (s.percentDone != percentOf(n) || s.lblHotovo != std::to_string(percentOf(n)) + "%")
        return fail("percentage " + s.lblHotovo);
    return {};
}

}  // namespace trevak::testing
