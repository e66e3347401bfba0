#ifndef FERROWIND_DAMAGE_H
#define FERROWIND_DAMAGE_H

// Splits a hit's damage into the three condition losses: the shares follow the
// three rolls and add up to total / (0.5 * armour + 0.5). Three zero rolls
// share the damage equally.
void DamageShares(const float rolls[3], float total, float armour, float shares[3]);

#endif
