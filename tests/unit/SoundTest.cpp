#include <gtest/gtest.h>

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <atomic>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <unistd.h>

#include "tests/unit/LogCapture.h"
#include "NoDeviceGame.h"
#include "ObjectBuilder.h"

namespace {

std::atomic<int> loudBuffers{0};

void CountLoudBuffers(void*, Uint8* stream, int len)
{
    const Sint16* samples = reinterpret_cast<const Sint16*>(stream);
    for (int i = 0; i < len / 2; ++i) {
        if (samples[i] != 0) {
            ++loudBuffers;
            return;
        }
    }
}

// A short tone as a WAV file.
std::string WriteTone(const std::string& name, double seconds)
{
    const int rate = 22050;
    int frames = (int)(rate * seconds);
    std::string path = ::testing::TempDir() + name;
    std::ofstream f(path, std::ios::binary);
    auto u32 = [&](uint32_t v) { f.write(reinterpret_cast<const char*>(&v), 4); };
    auto u16 = [&](uint16_t v) { f.write(reinterpret_cast<const char*>(&v), 2); };
    f.write("RIFF", 4);
    u32(36 + frames * 2);
    f.write("WAVEfmt ", 8);
    u32(16), u16(1), u16(1), u32(rate), u32(rate * 2), u16(2), u16(16);  // 16-bit mono PCM
    f.write("data", 4);
    u32(frames * 2);
    for (int i = 0; i < frames; ++i)
        u16((uint16_t)(int16_t)(9000 * std::sin(i * 0.12)));
    return path;
}

std::string WriteList(const std::string& name, const std::string& text)
{
    std::string path = ::testing::TempDir() + name;
    std::ofstream(path) << text;
    return path;
}

const std::string music = std::string(FERROWIND_TEST_DATA) + "/tone.mp3";

// Loads the list `text`, written as `name`, and returns what loading printed.
std::string Load(CZoSound& sound, const std::string& name, const std::string& text)
{
    CaptureLog();
    sound.LoadSounds(&WriteList(name, text)[0]);
    return CapturedOut();
}

std::string Loaded(const std::string& file) { return "      Loading " + file + "\n         Loaded " + file + "\n"; }

class Sound : public ::testing::Test {
protected:
    static void SetUpTestSuite() { setenv("SDL_AUDIODRIVER", "dummy", 1); }

    void TearDown() override
    {
        Mix_HaltChannel(-1);
        Mix_HookMusic(0, 0);
        Mix_SetPostMix(0, 0);
        if (output) {
            std::fclose(output);
            output = 0;
        }
    }

    void Listen()
    {
        Mix_SetPostMix(CountLoudBuffers, 0);
        SDL_Delay(120);
        loudBuffers = 0;
    }

    bool HeardWithin(int ms)
    {
        for (int waited = 0; waited <= ms; waited += 5) {
            if (loudBuffers > 0)
                return true;
            SDL_Delay(5);
        }
        return false;
    }

    void WaitForSilence()
    {
        for (int waited = 0; Mix_Playing(-1) && waited < 3000; waited += 10)
            SDL_Delay(10);
        SDL_Delay(150);
        loudBuffers = 0;
    }
};

}  // namespace

// A missing list counts as an empty one.
TEST_F(Sound, MissingListsAndListsWithNoEntryOrOnlyTheMusic)
{
    CZoSound sound;
    CaptureLog();
    sound.LoadSounds((char*)"/nonexistent/sounds.lof");
    std::string out = CapturedOut();
    EXPECT_NE(out.find("/nonexistent/sounds.lof"), std::string::npos);
    EXPECT_NE(out.find("   Sounds Loaded"), std::string::npos);
    EXPECT_TRUE(sound.m_sounds.empty());

    EXPECT_EQ(Load(sound, "none.lof", "0\n"), "Loading Sounds\n   Sounds Loaded\n");
    EXPECT_TRUE(sound.m_sounds.empty());
    EXPECT_EQ(Load(sound, "music.lof", "1 " + music + "\n"),
              "Loading Sounds\n   Loading Music\n" + Loaded(music) + "   Sounds Loaded\n");
    EXPECT_TRUE(sound.m_sounds.empty());
    EXPECT_NE(sound.m_music, nullptr);
}

TEST_F(Sound, WindowsListSkipsTheMusicAndKeepsTheEffectNumbers)
{
    CZoSound sound;
    sound.m_flavour = FLAVOUR_WINDOWS;
    std::string shot = WriteTone("windows_shot.wav", 0.2);
    EXPECT_EQ(Load(sound, "windows.lof", "3 " + music + " " + shot + " /nonexistent/b.wav\n"),
              "Loading Sounds\n   Loading Sounds\n" + Loaded(shot) + "   Loading Sounds\n" +
                  Loaded("/nonexistent/b.wav") + "   Sounds Loaded\n");
    ASSERT_EQ(sound.m_sounds.size(), 2u);
    EXPECT_NE(sound.m_sounds[0], nullptr);
    EXPECT_EQ(sound.m_sounds[1], nullptr);
    EXPECT_EQ(sound.m_music, nullptr);

    EXPECT_EQ(Load(sound, "windows_music_only.lof", "1 " + music + "\n"), "Loading Sounds\n   Sounds Loaded\n");
    EXPECT_EQ(sound.m_sounds.size(), 2u);
}

TEST_F(Sound, EffectNumbersWithoutAnEffectPlayNothing)
{
    CZoSound sound;
    Load(sound, "effects.lof", "3 " + music + " /nonexistent/shot.wav " + WriteTone("effect.wav", 0.2) + "\n");
    ASSERT_EQ(sound.m_sounds.size(), 2u);
    EXPECT_EQ(sound.m_sounds[0], nullptr);
    Listen();
    sound.PlaySound(0, 100);
    sound.PlaySound(7, 100);
    sound.PlaySound(-1, 100);
    EXPECT_FALSE(HeardWithin(250));
    sound.PlaySound(1, 100);
    EXPECT_TRUE(HeardWithin(250));
}

TEST_F(Sound, UnreadableMusicMakesTheToggleHarmless)
{
    CZoSound sound;
    std::string broken = std::string(FERROWIND_TEST_DATA) + "/broken.mp3";
    EXPECT_NE(Load(sound, "broken.lof", "1 " + broken + "\n").find("Cannot load" + broken), std::string::npos);
    Listen();
    sound.PlayMusic();
    EXPECT_TRUE(sound.m_musicPlaying);
    EXPECT_FALSE(HeardWithin(300));
    sound.StopMusic();
    EXPECT_FALSE(sound.m_musicPlaying);
}

// Runs in a fresh process of its own, where no audio device has been opened.
void PlaySilently()
{
    dup2(2, 1);  // the death test matches what the child writes to standard error
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    CZoSound sound;
    sound.LoadSounds(&WriteList("quiet.lof", "2 " + music + " " + WriteTone("quiet.wav", 0.1))[0]);
    sound.PlaySound(0, 100);
    sound.PlayMusic();
    sound.StopMusic();
    std::fflush(stdout);
    std::exit(sound.m_sounds.size() == 1 ? 0 : 1);
}

TEST(SoundWithoutDevice, TheGamePlaysSilently)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(PlaySilently(), ::testing::ExitedWithCode(0), "No audio device.*\n(.|\n)*Init: ZoSound");
}

TEST_F(Sound, ShotsAreHeardButNotTheirReplays)
{
    CZoSound* sound = new CZoSound();
    Load(*sound, "shot.lof", "2 " + music + " " + WriteTone("shot.wav", 0.15));
    SNoDeviceGame<> copy(::testing::TempDir() + "sound_output.txt", SOwnDevices{nullptr, nullptr, sound});
    CTestGame& game = copy.game;
    game.now = 10000;
    // A ground, then the local tank that shoots.
    game.m_objects.push_back(NewObject(KIND_GROUND));
    game.m_objects.push_back(NewTank(Vector3f(100, 0, 100)));

    game.AddMsg(MakeMsg(GMSG_DEATH, 0, 0, 0, 10000));
    game.ActOnMessages();  // snapshot at 10000, before the shot
    Listen();
    game.now = 10500;
    game.AddMsg(MakeMsg(GMSG_SHOOT, 1, 0, 0, 10500));
    game.ActOnMessages();
    EXPECT_TRUE(HeardWithin(100));

    WaitForSilence();
    game.now = 11000;
    game.AddMsg(MakeMsg(GMSG_DEATH, 0, 0, 0, 10200));
    game.ActOnMessages();  // warps back to 10000 and replays the shot
    EXPECT_EQ(game.m_objects[1]->timer, 10500u);
    EXPECT_FALSE(HeardWithin(300));
    EXPECT_TRUE(sound->m_effectsOn);
}

TEST_F(Sound, MusicToggles)
{
    CZoSound* sound = new CZoSound();
    Load(*sound, "toggle.lof", "1 " + music + "\n");
    SNoDeviceGame<> copy(::testing::TempDir() + "music_output.txt", SOwnDevices{nullptr, nullptr, sound});
    CTestGame& game = copy.game;
    Listen();
    game.ActOnMessage(MakeMsg(GMSG_TOGGLE_MUSIC, 0, 0, 0, 0));
    EXPECT_TRUE(sound->m_musicPlaying);
    EXPECT_TRUE(HeardWithin(400));
    game.ActOnMessage(MakeMsg(GMSG_TOGGLE_MUSIC, 0, 0, 0, 0));
    EXPECT_FALSE(sound->m_musicPlaying);
    SDL_Delay(150);
    loudBuffers = 0;
    EXPECT_FALSE(HeardWithin(300));
}
