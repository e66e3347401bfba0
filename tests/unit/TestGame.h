#ifndef FERROWIND_TESTS_TESTGAME_H
#define FERROWIND_TESTS_TESTGAME_H

#include <atomic>

#include "game/Ferrowind.h"

// A game on the components a test gives it, with a clock the test sets.
class CTestGame : public CFerrowind {
public:
    CTestGame(const SGameComponents& components, const char* outputPath) : CFerrowind(components, outputPath) {}
    unsigned long GetTime() override { return now; }
    // Read by the network threads of the tests that run them.
    std::atomic<unsigned long> now{100000};
};

#endif
