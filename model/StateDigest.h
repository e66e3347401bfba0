#ifndef FERROWIND_STATEDIGEST_H
#define FERROWIND_STATEDIGEST_H

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "model/GameObject.h"

// What players see of the battlefield, rounded so that copies of the game can
// be compared line by line: per tank its position and angles (0.01), throttle
// and three conditions (0.001) and whether it is active; per power-up whether
// it is available. Tanks are named by `tankName` (the owner's address), so
// copies that number their objects differently still compare.
//
//   digest <time> tank <name> pos <x> <y> <z> angles <a0> <a1> <a2> throttle <t> conditions <c1> <c2> <c3> active <a>
//   digest <time> powerup <index> active <a>
std::string StateDigest(const std::vector<SGameObject*>& objects, const std::function<std::string(int)>& tankName,
                        unsigned long time);

// The digest of the battlefield as it stands at game time `time`, as one
// number that copies exchange to find out that they disagree.
uint64_t StateHash(const std::vector<SGameObject*>& objects, const std::function<std::string(int)>& tankName,
                   unsigned long time);

// When a digest is due: every `everyMs` of game time (never when 0), or once
// after a request.
class CDigestSchedule {
public:
    explicit CDigestSchedule(unsigned long everyMs) : m_everyMs(everyMs), m_next(0) {}
    // Reads the period in seconds from FERROWIND_DIGEST_EVERY.
    static CDigestSchedule FromEnvironment();
    // True once each period, and whenever the player asked for one (key g).
    bool Due(unsigned long now, bool asked = false);

private:
    unsigned long m_everyMs;
    unsigned long m_next;
};

#endif
