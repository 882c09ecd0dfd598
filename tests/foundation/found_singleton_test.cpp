#include <gtest/gtest.h>

#include <stdexcept>

#include "foundation/Singleton.h"

namespace {

struct Counts {
    int made = 0, hooked = 0, destroyed = 0;
    bool failConstruction = false, failHook = false;
};
Counts g_counts;

class CProbe : public CSingleton<CProbe> {
  public:
    int serial = 0;

  private:
    friend class CSingleton<CProbe>;
    CProbe() {
        if (g_counts.failConstruction) throw std::runtime_error("construction");
        serial = ++g_counts.made;
    }
    ~CProbe() { ++g_counts.destroyed; }
    void OnInstanceCreated() {
        ++g_counts.hooked;
        if (g_counts.failHook) throw std::runtime_error("hook");
    }
};

void StartClean() {
    CProbe::DeleteInstance();
    g_counts = Counts();
}

}  // namespace

TEST(Singleton, DeleteEndsTheInstanceAndTheNextUseMakesAFreshOne) {
    StartClean();
    EXPECT_FALSE(CProbe::HasInstance());
    CProbe* first = CProbe::GetInstance();
    EXPECT_EQ(CProbe::GetInstance(), first);
    EXPECT_EQ(g_counts.hooked, 1);

    CProbe::DeleteInstance();
    EXPECT_FALSE(CProbe::HasInstance());
    EXPECT_EQ(g_counts.destroyed, 1);
    CProbe::DeleteInstance();
    EXPECT_EQ(g_counts.destroyed, 1);

    EXPECT_EQ(CProbe::GetInstance()->serial, 2);
    EXPECT_EQ(g_counts.hooked, 2);
    CProbe::DeleteInstance();
}

TEST(Singleton, AFailedHookKeepsTheInstanceAFailedConstructionLeavesNone) {
    StartClean();
    g_counts.failConstruction = true;
    EXPECT_THROW(CProbe::GetInstance(), std::runtime_error);
    EXPECT_FALSE(CProbe::HasInstance());

    g_counts.failConstruction = false;
    g_counts.failHook = true;
    EXPECT_THROW(CProbe::GetInstance(), std::runtime_error);
    EXPECT_TRUE(CProbe::HasInstance());
    // The next call hands out the same instance without running the hook again.
    EXPECT_EQ(CProbe::GetInstance()->serial, 1);
    EXPECT_EQ(g_counts.hooked, 1);
    CProbe::DeleteInstance();
}
