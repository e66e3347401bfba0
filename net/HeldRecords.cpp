#include "net/HeldRecords.h"

CHeldRecords::CHeldRecords(size_t capacity) : m_slots(capacity, std::make_pair(0u, SSocketMSG{})) {}

void CHeldRecords::Keep(uint32_t sequence, const SSocketMSG& rec)
{
    m_slots[sequence % m_slots.size()] = std::make_pair(sequence, rec);
}

bool CHeldRecords::Find(uint32_t sequence, SSocketMSG& rec) const
{
    const auto& slot = m_slots[sequence % m_slots.size()];
    if (sequence == 0 || slot.first != sequence)
        return false;
    rec = slot.second;
    return true;
}
