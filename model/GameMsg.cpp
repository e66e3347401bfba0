#include "GameMsg.h"

#include <algorithm>

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

CMsgData::CMsgData(const float* values, int count) : m_values(new float[count], std::default_delete<float[]>())
{
    std::copy(values, values + count, m_values.get());
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
