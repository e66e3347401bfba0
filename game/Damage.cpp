#include "game/Damage.h"

void DamageShares(const float rolls[3], float total, float armour, float shares[3])
{
    float protection = armour * 0.5f + 0.5f;
    float g = (rolls[0] + rolls[1] + rolls[2]) * protection;
    for (int k = 0; k < 3; ++k)
        shares[k] = g != 0 ? rolls[k] * total / g : total / protection / 3;
}
