#include <gtest/gtest.h>

#include <cstring>

#include "net/PlayerNames.h"

TEST(PlayerNames, ANameIsKeptToFifteenPrintableCharacters)
{
    struct {
        const char* given;
        const char* kept;
    } cases[] = {
        {"alice", "alice"},
        {"  Bob the Tank  ", "Bob the Tank"},
        {"tab\there\n", "tabhere"},
        {"\xc3\xa9mile", "mile"},                          // not ASCII
        {"a name much too long for it", "a name much too"},  // 15, then trimmed
        {"", "PLAYER"},
        {"   ", "PLAYER"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CleanPlayerName(c.given), c.kept) << c.given;
}

TEST(PlayerNames, ANameRecordCarriesTheNameAndABadOneIsRefused)
{
    SSocketMSG rec = NameRecord("Ironside", 0x0100000a);
    std::string name;
    ASSERT_TRUE(NameFromRecord(rec, name));
    EXPECT_EQ(name, "Ironside");
    EXPECT_EQ(rec.type, SMSG_PLAYER_NAME);
    EXPECT_EQ(rec.senderAddr, 0x0100000au);

    SSocketMSG longer = rec;
    longer.count = PLAYER_NAME_MAX + 1;
    SSocketMSG control = rec;
    std::memcpy(control.data, "Iron\x01side", 9);
    SSocketMSG empty = rec;
    empty.count = 0;
    SSocketMSG other = rec;
    other.type = 609;
    for (const SSocketMSG* bad : {&longer, &control, &empty, &other}) {
        name = "unchanged";
        EXPECT_FALSE(NameFromRecord(*bad, name));
        EXPECT_EQ(name, "unchanged");
    }
}
