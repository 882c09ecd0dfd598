// Key scripts: recorded changes as held keys, and whole-game scripts whose sections count from
// the start, from the first frame of a play or from its end.
#include <gtest/gtest.h>

#include "engine/KeyScript.h"
#include "platform/keycodes.h"

namespace {

const int kZ = plat::kKeyZ, kRight = plat::kKeyRight;

TEST(KeyScript, ChangesBecomeHeldKeysUpToTheFrameBeforeTheirUp) {
    const std::vector<KeyHold> holds =
        KeyChangesToHolds({{2, kZ, true}, {4, kZ, false}, {5, kRight, true}, {9, kZ, true}, {9, kZ, false}});
    EXPECT_EQ(KeysHeldAt(holds, 1), std::set<int>{});
    EXPECT_EQ(KeysHeldAt(holds, 3), std::set<int>{kZ});
    EXPECT_EQ(KeysHeldAt(holds, 4), std::set<int>{});
    EXPECT_EQ(KeysHeldAt(holds, 9), std::set<int>{kRight});  // down and up at once: never seen
    EXPECT_EQ(KeysHeldAt(holds, 100000), std::set<int>{kRight});
}

TEST(KeyScript, ChangeLinesAreCheckedInOrder) {
    CKeyChangeReader reader;
    KeyChange change;
    std::string error;
    EXPECT_TRUE(reader.Read("10 Z down", change, error));
    EXPECT_FALSE(reader.Read("12 Z down", change, error));
    EXPECT_EQ(error, "Z is already down");
    EXPECT_FALSE(reader.Read("8 Z up", change, error));
    EXPECT_FALSE(reader.Read("12 Enter down", change, error));
    EXPECT_FALSE(reader.Read("12 Z up now", change, error));
    EXPECT_FALSE(reader.Read("-1 Z up", change, error));
    EXPECT_TRUE(reader.Read("12 Z up", change, error));
    // Ten million frames is the last a script may name; one more is a mistake, not a wrap.
    EXPECT_TRUE(reader.Read("10000000 X down", change, error)) << error;
    EXPECT_FALSE(reader.Read("10000001 X up", change, error));
    EXPECT_EQ(error, "frame 10000001 is beyond the last frame a play may have (10000000)");
}

TEST(KeyScript, SectionsPlayFromTheirAnchors) {
    std::vector<KeyScriptSection> sections;
    std::string error;
    ASSERT_TRUE(
        ParseKeyScript("# a run\n5 Z down\n7 Z up\n@play\n0 Right down\n3 Right up\n@after-play\n"
                       "2 Z down\n4 Z up\n10 close\n",
                       sections, error))
        << error;
    ASSERT_EQ(sections.size(), 3u);
    CKeyScriptPlayer player(sections);
    EXPECT_EQ(player.KeysFor(6), std::set<int>{kZ});
    // A play begins during frame 40: its keys count from there, the first one before frame 40's
    // successor runs, as the stage player feeds a recording.
    player.AfterFrame(39, false);
    player.AfterFrame(40, true);
    EXPECT_EQ(player.GetSection(), 1);
    EXPECT_EQ(player.KeysFor(40), std::set<int>{kRight});
    EXPECT_EQ(player.KeysFor(43), std::set<int>{});
    EXPECT_EQ(player.KeysFor(6), std::set<int>{});  // the first section's keys are over
    player.AfterFrame(41, true);
    player.AfterFrame(90, false);
    EXPECT_EQ(player.GetSection(), 2);
    EXPECT_EQ(player.KeysFor(93), std::set<int>{kZ});
    EXPECT_FALSE(player.ClosesAt(99));
    EXPECT_TRUE(player.ClosesAt(100));
    // The last section stays.
    player.AfterFrame(120, true);
    EXPECT_EQ(player.GetSection(), 2);
}

TEST(KeyScript, AnUnknownAnchorOrABadLineNamesItsLine) {
    std::vector<KeyScriptSection> sections;
    std::string error;
    EXPECT_FALSE(ParseKeyScript("1 Z down\n@later\n", sections, error));
    EXPECT_EQ(error, "line 2: unknown anchor @later");
    EXPECT_FALSE(ParseKeyScript("@play\n1 Z down\n2 Q up\n", sections, error));
    EXPECT_EQ(error, "line 3: unknown key Q");
    EXPECT_FALSE(ParseKeyScript("10000001 close\n", sections, error));
    EXPECT_EQ(error, "line 1: bad frame 10000001");
    // Each section checks its own changes: a key may go down again after an anchor.
    EXPECT_TRUE(ParseKeyScript("1 Z down\n@play\n0 Z down\n", sections, error)) << error;
}

}  // namespace
