#include "model/StateCheck.h"

#include <string>

#include "model/Log.h"

namespace {

std::string Dotted(unsigned long address)
{
    uint32_t value = (uint32_t)address;
    const unsigned char* b = reinterpret_cast<const unsigned char*>(&value);
    return std::to_string(b[0]) + "." + std::to_string(b[1]) + "." + std::to_string(b[2]) + "." + std::to_string(b[3]);
}

}  // namespace

unsigned int CStateCheck::Passed(unsigned int applied, unsigned int next)
{
    unsigned int boundary = next / PERIOD_MS * PERIOD_MS;
    if (boundary == next)
        boundary -= PERIOD_MS;  // a message at the time itself belongs to it
    return (int)(boundary - applied) >= 0 && (int)(next - boundary) > 0 && boundary != 0 ? boundary : 0;
}

void CStateCheck::Own(unsigned int time, uint64_t hash)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_own[time] = hash;
    while (m_own.size() > KEPT)
        m_own.erase(m_own.begin());
}

void CStateCheck::SendFrom(unsigned int time)
{
    std::lock_guard<std::mutex> hold(m_lock);
    m_sendFrom = time;
}

std::vector<CStateCheck::SHash> CStateCheck::TakeDue(unsigned int now)
{
    std::lock_guard<std::mutex> hold(m_lock);
    std::vector<SHash> due;
    for (const auto& own : m_own) {
        if (own.first <= m_sentUpTo || own.first < m_sendFrom || (int)(now - own.first) < FINAL_AFTER_MS)
            continue;
        due.push_back(SHash{own.first, own.second});
        m_sentUpTo = own.first;
    }
    return due;
}

bool CStateCheck::Peer(unsigned long peer, const SHash& theirs)
{
    {
        std::lock_guard<std::mutex> hold(m_lock);
        auto own = m_own.find(theirs.time);
        if (own == m_own.end() || own->first < m_sendFrom || own->second == theirs.hash)
            return false;
        ++m_disagreements;
    }
    LogOut("state differs from %s at time %u\n", Dotted(peer).c_str(), theirs.time);
    return true;
}

unsigned long CStateCheck::Disagreements() const
{
    std::lock_guard<std::mutex> hold(m_lock);
    return m_disagreements;
}
