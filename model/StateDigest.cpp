#include "model/StateDigest.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

// A value rounded to `places` decimals, written without a "-0".
std::string Fixed(float value, int places)
{
    double scale = std::pow(10.0, places);
    long long units = std::llround(value * scale);
    char text[48];
    std::snprintf(text, sizeof text, "%s%lld.%0*lld", units < 0 ? "-" : "", std::llabs(units) / (long long)scale,
                  places, std::llabs(units) % (long long)scale);
    return text;
}

bool IsTankWithState(const SGameObject& o)
{
    return o.kind == KIND_TANK && o.state && o.stateCount >= TANK_STATE_COUNT;
}

}  // namespace

namespace {

// `atTime`: the battlefield as every copy has it at that time, living tanks
// only. A power-up is there by its timer alone, as the rules see it, not by
// what a frame has shown; a throttle is left out, as only the tank's owner
// ever changes it (its moves are what others see).
std::string DigestText(const std::vector<SGameObject*>& objects, const std::function<std::string(int)>& tankName,
                       unsigned long time, bool atTime)
{
    std::string text;
    std::string head = "digest " + std::to_string((unsigned int)time) + " ";
    for (size_t i = 0; i < objects.size(); ++i) {
        const SGameObject& o = *objects[i];
        // A dead tank is no part of what copies compare: it touches nothing
        // until its owner brings it in, and a newcomer's tank enters each
        // copy at that copy's own moment, not at a time of the queue's.
        if (atTime && IsTankWithState(o) && !o.active)
            continue;
        if (IsTankWithState(o)) {
            const float* s = o.state;
            text += head + "tank " + tankName((int)i) + " pos " + Fixed(o.pos.x, 2) + " " + Fixed(o.pos.y, 2) + " " +
                    Fixed(o.pos.z, 2) + " angles " + Fixed(o.angles.x, 2) + " " + Fixed(o.angles.y, 2) + " " +
                    Fixed(o.angles.z, 2) + " throttle " + Fixed(atTime ? 0 : s[TS_THROTTLE], 3) + " conditions " +
                    Fixed(s[TS_DRIVE], 3) + " " + Fixed(s[TS_ARMOUR], 3) + " " + Fixed(s[TS_GUN], 3) + " active " +
                    std::to_string(o.active) + "\n";
        } else if (o.kind == KIND_POWERUP) {
            // At a compared time a power-up is there exactly when the rules
            // have it there, by its timer. The hash is often taken well after
            // that time (the queue passes it with the next message), when this
            // copy's frames may have shown the power-up again already.
            bool there = atTime ? (int)((unsigned int)time - (unsigned int)o.timer) >= 0 : o.active != 0;
            text += head + "powerup " + std::to_string(i) + " active " + std::to_string(there ? 1 : 0) + "\n";
        }
    }
    return text;
}

}  // namespace

std::string StateDigest(const std::vector<SGameObject*>& objects, const std::function<std::string(int)>& tankName,
                        unsigned long time)
{
    return DigestText(objects, tankName, time, false);
}

uint64_t StateHash(const std::vector<SGameObject*>& objects, const std::function<std::string(int)>& tankName,
                   unsigned long time)
{
    // FNV-1a over the digest's lines: the same rounding decides what counts
    // as equal. Sorted, as each copy numbers the tanks in its own order.
    std::vector<std::string> lines;
    std::istringstream text(DigestText(objects, tankName, time, true));
    for (std::string line; std::getline(text, line);)
        lines.push_back(line);
    std::sort(lines.begin(), lines.end());
    uint64_t hash = 14695981039346656037ull;
    for (const std::string& line : lines)
        for (unsigned char c : line + "\n")
            hash = (hash ^ c) * 1099511628211ull;
    return hash;
}

CDigestSchedule CDigestSchedule::FromEnvironment()
{
    const char* every = std::getenv("FERROWIND_DIGEST_EVERY");
    double seconds = every ? std::atof(every) : 0;
    return CDigestSchedule(seconds > 0 ? (unsigned long)(seconds * 1000) : 0);
}

bool CDigestSchedule::Due(unsigned long now, bool asked)
{
    bool due = asked;
    if (m_everyMs > 0 && (m_next == 0 || (int)((unsigned int)now - (unsigned int)m_next) >= 0)) {
        m_next = (unsigned int)now + m_everyMs;
        due = true;
    }
    return due;
}
