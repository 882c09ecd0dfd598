#include <gtest/gtest.h>

#include "platform/audio.h"
#include "platform/backend.h"

namespace {

TEST(Audio, HeadlessOpensNoDeviceAndNeverCallsBack) {
    plat::BackendOptions options;
    options.headless = true;
    plat::StartBackend(options);
    EXPECT_TRUE(plat::AudioIsHeadless());
    int calls = 0;
    int rate = 0;
    EXPECT_TRUE(plat::StartAudio([&](float*, int) { ++calls; }, &rate));
    EXPECT_EQ(rate, plat::kHeadlessAudioRate);
    EXPECT_FALSE(plat::AudioDeviceOpen());
    plat::StopAudio();
    plat::StopAudio();  // harmless twice
    EXPECT_EQ(calls, 0);

    // Forcing headless holds whatever the backend is.
    plat::SetAudioHeadless(1);
    EXPECT_TRUE(plat::AudioIsHeadless());
    plat::SetAudioHeadless(-1);
    plat::StopBackend();
    EXPECT_TRUE(plat::AudioIsHeadless());  // no backend at all
}

}  // namespace
