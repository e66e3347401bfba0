#include "GameMsg.h"

const char* getMsgString(int type)
{
    switch (type) {
    case GMSG_MOVE_TO_LOC: return "GMSG_MOVE_TO_LOC";
    case GMSG_CHANGE_ANGLES: return "GMSG_CHANGE_ANGLES";
    case GMSG_SHOOT: return "GMSG_SHOOT";
    case GMSG_DEATH: return "GMSG_DEATH";
    case GMSG_ACCELERATE: return "GMSG_ACCELERATE";
    case GMSG_DAMAGE: return "GMSG_DAMAGE";
    case GMSG_FRAG: return "GMSG_FRAG";
    case GMSG_POWERUP_APPEAR: return "GMSG_POWERUP_APPEAR";
    default: return "Unknown";
    }
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
