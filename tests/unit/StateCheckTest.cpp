#include <gtest/gtest.h>

#include "model/StateCheck.h"
#include "tests/unit/LogCapture.h"

// A period's time is hashed by the first message after it, with everything
// up to it applied: a message at the time itself still belongs to it.
TEST(StateCheck, APeriodsTimeIsPassedByTheFirstMessageAfterIt)
{
    const unsigned int P = CStateCheck::PERIOD_MS;
    struct {
        unsigned int applied, next, passed;
    } cases[] = {
        {P - 10, P - 5, 0},    {P - 10, P, 0},        {P, P + 1, P},         {P - 1, P + 1, P},
        {P + 1, 2 * P - 1, 0}, {P - 1, 3 * P + 7, 3 * P}, {2 * P, 2 * P, 0}, {10, 20, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CStateCheck::Passed(c.applied, c.next), c.passed) << c.applied << " then " << c.next;
}

// Only final hashes are sent, each once; a replay's hash replaces the first;
// a peer's hash is compared with this copy's for the same time, and a
// difference is said once and counted.
TEST(StateCheck, FinalHashesAreSentOnceAndADifferenceIsToldAndCounted)
{
    const unsigned int P = CStateCheck::PERIOD_MS, F = CStateCheck::FINAL_AFTER_MS;
    CStateCheck check;
    check.Own(P, 1);
    check.Own(2 * P, 2);
    check.Own(P, 11);  // a time warp replayed past it
    EXPECT_TRUE(check.TakeDue(P + F - 1).empty());
    std::vector<CStateCheck::SHash> due = check.TakeDue(2 * P + F);
    ASSERT_EQ(due.size(), 2u);
    EXPECT_EQ(due[0].time, P);
    EXPECT_EQ(due[0].hash, 11u);
    EXPECT_TRUE(check.TakeDue(2 * P + F).empty());

    CaptureLog();
    EXPECT_FALSE(check.Peer(0x0200a8c0, {P, 11}));
    EXPECT_FALSE(check.Peer(0x0200a8c0, {3 * P, 5})) << "no own hash for that time yet";
    EXPECT_TRUE(check.Peer(0x0200a8c0, {2 * P, 3}));
    EXPECT_EQ(CapturedOut(), "state differs from 192.168.0.2 at time " + std::to_string(2 * P) + "\n");
    EXPECT_EQ(check.Disagreements(), 1u);

    // A copy that has just joined neither sends nor compares its hashes from before.
    check.SendFrom(4 * P);
    check.Own(3 * P, 7);
    check.Own(4 * P, 8);
    EXPECT_FALSE(check.Peer(0x0200a8c0, {3 * P, 9}));
    due = check.TakeDue(4 * P + F);
    ASSERT_EQ(due.size(), 1u);
    EXPECT_EQ(due[0].time, 4 * P);
}
