#include "GameMsg.h"

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
    if (count > 0) {
        m.data = new float[count];
        for (int i = 0; i < count; ++i)
            m.data[i] = values[i];
    }
    return m;
}
