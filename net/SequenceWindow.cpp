#include "net/SequenceWindow.h"

CSequenceWindow::CSequenceWindow(uint32_t incarnation, uint32_t lastSent)
    : m_incarnation(incarnation), m_next(lastSent + 1), m_highest(lastSent)
{
}

CSequenceWindow::EVerdict CSequenceWindow::Take(uint32_t sequence)
{
    if (sequence < m_next)
        return DUPLICATE;
    if (sequence - m_next >= SPAN) {
        // A jump no loss explains: the numbers between are not waited for.
        m_next = sequence;
        m_arrived.clear();
    }
    size_t at = sequence - m_next;
    if (at < m_arrived.size() && m_arrived[at])
        return DUPLICATE;
    if (at >= m_arrived.size())
        m_arrived.resize(at + 1, false);
    m_arrived[at] = true;
    if (sequence > m_highest)
        m_highest = sequence;
    Advance();
    return FRESH;
}

void CSequenceWindow::Heard(uint32_t lastSent)
{
    if (lastSent > m_highest && lastSent - m_next < SPAN)
        m_highest = lastSent;
}

void CSequenceWindow::Advance()
{
    while (!m_arrived.empty() && m_arrived.front()) {
        m_arrived.pop_front();
        ++m_next;
    }
}

std::vector<SSequenceRange> CSequenceWindow::Missing(size_t maxRanges, uint32_t maxCount) const
{
    std::vector<SSequenceRange> ranges;
    for (uint32_t n = m_next; n <= m_highest && n >= m_next; ++n) {
        size_t at = n - m_next;
        if (at < m_arrived.size() && m_arrived[at])
            continue;
        if (!ranges.empty() && ranges.back().first + ranges.back().count == n && ranges.back().count < maxCount)
            ++ranges.back().count;
        else if (ranges.size() < maxRanges)
            ranges.push_back(SSequenceRange{n, 1});
        else
            break;
    }
    return ranges;
}

uint32_t CSequenceWindow::GiveUp(uint32_t upTo)
{
    uint32_t missing = 0;
    while (m_next <= upTo && m_next <= m_highest) {
        bool arrived = !m_arrived.empty() && m_arrived.front();
        missing += !arrived;
        if (!m_arrived.empty())
            m_arrived.pop_front();
        ++m_next;
    }
    Advance();
    return missing;
}
