#include "model/ScoreRow.h"

#include <algorithm>

void SortScoreRows(std::vector<SScoreRow>& rows)
{
    std::stable_sort(rows.begin(), rows.end(), [](const SScoreRow& a, const SScoreRow& b) {
        return a.frags != b.frags ? a.frags > b.frags : a.deaths < b.deaths;
    });
}
