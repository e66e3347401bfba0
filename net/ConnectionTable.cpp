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

int CConnectionTable::Depart(unsigned long address)
{
    std::lock_guard<std::mutex> hold(m_lock);
    // The local entry never departs.
    for (size_t i = 1; i < m_entries.size(); ++i) {
        if (m_entries[i].address != address)
            continue;
        ZOConnectionID entry = m_entries[i];
        m_entries.erase(m_entries.begin() + i);
        if (m_departed.size() >= MAX_DEPARTED)
            m_departed.erase(m_departed.begin());
        m_departed.push_back(entry);
        return entry.objectIndex;
    }
    return -1;
}

int CConnectionTable::DepartedObject(unsigned long address) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    for (const ZOConnectionID& entry : m_departed)
        if (entry.address == address)
            return entry.objectIndex;
    return -1;
}

unsigned long CConnectionTable::AddressOf(int objectIndex) const
{
    std::lock_guard<std::mutex> hold(m_lock);
    for (const std::vector<ZOConnectionID>* list : {&m_entries, &m_departed})
        for (const ZOConnectionID& entry : *list)
            if (entry.objectIndex == objectIndex)
                return entry.address;
    return 0;
}

bool CConnectionTable::Return(unsigned long address)
{
    std::lock_guard<std::mutex> hold(m_lock);
    if (m_entries.size() >= MAX_ENTRIES)
        return false;
    for (size_t i = 0; i < m_departed.size(); ++i) {
        if (m_departed[i].address != address)
            continue;
        m_entries.push_back(m_departed[i]);
        m_departed.erase(m_departed.begin() + i);
        return true;
    }
    return false;
}

std::vector<ZOConnectionID> CConnectionTable::Departed() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_departed;
}

std::vector<ZOConnectionID> CConnectionTable::Known() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    std::vector<ZOConnectionID> known = m_entries;
    known.insert(known.end(), m_departed.begin(), m_departed.end());
    return known;
}
