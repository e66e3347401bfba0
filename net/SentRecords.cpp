#include "net/SentRecords.h"

CSentRecords::CSentRecords(uint32_t incarnation) : m_incarnation(incarnation), m_last(0), m_kept(KEPT) {}

uint32_t CSentRecords::Number(SSocketMSG& rec)
{
    std::lock_guard<std::mutex> hold(m_lock);
    uint32_t sequence = ++m_last;
    WriteStamp(rec, SWireStamp{m_incarnation, sequence, sequence});
    m_kept.Keep(sequence, rec);
    return sequence;
}

void CSentRecords::Stamp(SSocketMSG& rec) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    WriteStamp(rec, SWireStamp{m_incarnation, 0, m_last});
}

bool CSentRecords::Find(uint32_t sequence, SSocketMSG& rec) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_kept.Find(sequence, rec);
}

uint32_t CSentRecords::LastSent() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_last;
}
