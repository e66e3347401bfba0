#include "net/ConnectionTable.h"

bool CConnectionTable::AddLocalOnce(unsigned long address, int objectIndex)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (!m_entries.empty())
        return false;
    m_entries.push_back(ZOConnectionID(address, objectIndex));
    return true;
}

bool CConnectionTable::Append(unsigned long address, int objectIndex)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_entries.size() >= MAX_ENTRIES)
        return false;
    m_entries.push_back(ZOConnectionID(address, objectIndex));
    return true;
}

bool CConnectionTable::IsFull() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_entries.size() >= MAX_ENTRIES;
}

int CConnectionTable::ObjectOf(unsigned long address) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    for (const ZOConnectionID& entry : m_entries)
        if (entry.address == address)
            return entry.objectIndex;
    return -1;
}

std::vector<ZOConnectionID> CConnectionTable::Snapshot() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_entries;
}
