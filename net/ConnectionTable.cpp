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

std::vector<ZOConnectionID> CConnectionTable::Snapshot() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_entries;
}
