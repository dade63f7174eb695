// The built sound container, loaded the way the game loads it: through the container
// registry and the framework's sound object, from the runtime folder.
#include <gtest/gtest.h>

#include "qgu_fileutil.h"
#include "qsdlpp2_snd_mus@mix.h"

#include <cstdlib>
#include <fstream>
#include <string>
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

int manifestRecords(const std::string& name, const std::string& type) {
    std::ifstream f(std::string(FH_SOURCE_DIR) + "/content/containers/" + name);
    int n = 0;
    for (std::string l; std::getline(f, l);)
        if (l.compare(0, type.size(), type) == 0) ++n;
    return n;
}

TEST_F(ShippedAudio, EveryEffectDecodesFromTheSoundContainer) {
    QSDLpp_MixSoundCls sound;
    ASSERT_TRUE(sound.loadResouceFile("resourcesQSDL/soundchunk.mrsrc"));
    const int n = sound.loadSoundFromRes(1000);
    EXPECT_GE(n, 45); // the game and the settings program play effects 0..44
    EXPECT_EQ(n, manifestRecords("resourcesQSDL__soundchunk.mrsrc.pack", "AIFF "));
    for (int i = 0; i < n; ++i) {
        Mix_Chunk* c = sound.chunk(i);
        ASSERT_NE(c, nullptr) << "effect " << i << " did not decode";
        EXPECT_GT(c->alen, 1000u) << "effect " << i;
    }
}

} // namespace
