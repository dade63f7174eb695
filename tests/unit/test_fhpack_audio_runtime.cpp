// The built sound container, loaded the way the game loads it: through the container
// registry and the framework's sound object, from the runtime folder.
#include "test_fhpack_util.h"

#include "qgu_fileutil.h"
#include "qsdlpp2_snd_mus@mix.h"

#include <algorithm>
#include <unistd.h>

namespace {

class ShippedAudio : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        handle = new QSDLpp_MixHandlCls(); // opens the mixer as the game does
        ASSERT_TRUE(handle->isOpen());
    }
    void SetUp() override {
        ASSERT_NE(getcwd(oldDir, sizeof oldDir), nullptr);
        ASSERT_EQ(chdir(FH_RUNTIME_DIR), 0);
    }
    void TearDown() override { ASSERT_EQ(chdir(oldDir), 0); }
    static QSDLpp_MixHandlCls* handle;
    char oldDir[4096] = {};
};
QSDLpp_MixHandlCls* ShippedAudio::handle = nullptr;

TEST_F(ShippedAudio, EveryEffectDecodesFromTheSoundContainer) {
    QSDLpp_MixSoundCls sound;
    ASSERT_TRUE(sound.loadResouceFile("resourcesQSDL/soundchunk.mrsrc"));
    const int n = sound.loadSoundFromRes(1000);
    EXPECT_GE(n, 45); // the game and the settings program play effects 0..44
    const auto lines = fhpacktest::manifestLines("resourcesQSDL__soundchunk.mrsrc.pack");
    EXPECT_EQ(n, std::count_if(lines.begin(), lines.end(), [](const std::string& l) { return l.rfind("AIFF ", 0) == 0; }));
    for (int i = 0; i < n; ++i) {
        Mix_Chunk* c = sound.chunk(i);
        ASSERT_NE(c, nullptr) << "effect " << i << " did not decode";
        EXPECT_GT(c->alen, 1000u) << "effect " << i;
    }
}

} // namespace
