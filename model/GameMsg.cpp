#include "GameMsg.h"

#include <algorithm>
#include <new>

namespace {

constexpr bool TypesAreUnique()
{
    for (const SMsgKind& a : MSG_KINDS) {
        int rows = 0;
        for (const SMsgKind& b : MSG_KINDS)
            rows += a.type == b.type;
        if (rows != 1)
            return false;
    }
    return true;
}
static_assert(TypesAreUnique(), "one row per message type");

}  // namespace

CMsgData::CMsgData(const float* values, int count)
    : m_block(new (::operator new(sizeof(SBlock) + sizeof(float) * (size_t)std::max(count, 0))) SBlock())
{
    std::copy(values, values + std::max(count, 0), m_block->Values());
}

void CMsgData::Release()
{
    if (m_block && m_block->users.fetch_sub(1, std::memory_order_acq_rel) == 1) {
        m_block->~SBlock();
        ::operator delete(m_block);
    }
    m_block = nullptr;
}

const char* getMsgString(int type)
{
    return MsgKind(type).name;
}

SGameMsg MakeMsg(int type, int object, int count, const float* values, unsigned long time)
{
    SGameMsg m;
    m.type = type;
    m.object = object;
    m.count = count;
    m.time = time;
    if (count > 0)
        m.data = CMsgData(values, count);
    return m;
}
