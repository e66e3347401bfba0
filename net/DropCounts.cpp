#include "net/DropCounts.h"

namespace {

const char* const REASON_NAMES[DROP_REASONS] = {"bad size",  "forged sender", "unknown sender", "not the owner",
                                                "duplicate", "stale",         "unknown type", "malformed",
                                                "unasked relay"};

}  // namespace

CDropCounts::CDropCounts()
{
    for (auto& count : m_counts)
        count = 0;
}

unsigned long CDropCounts::Total() const
{
    unsigned long total = 0;
    for (const auto& count : m_counts)
        total += count;
    return total;
}

std::string CDropCounts::Text() const
{
    std::string text = "records dropped:";
    for (int reason = 0; reason < DROP_REASONS; ++reason)
        text += std::string(reason ? ", " : " ") + std::to_string(m_counts[reason].load()) + " " + REASON_NAMES[reason];
    return text;
}
