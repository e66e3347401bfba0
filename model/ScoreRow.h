#ifndef FERROWIND_SCOREROW_H
#define FERROWIND_SCOREROW_H

#include <string>
#include <vector>

// One tank on the scoreboard.
struct SScoreRow {
    std::string name;
    int frags;
    int deaths;
    int roundTripMs;  // a peer's round trip; -1 for this copy's tanks and while unknown
};

// Most frags first; of equal frags, fewer deaths first; then as listed.
void SortScoreRows(std::vector<SScoreRow>& rows);

#endif
