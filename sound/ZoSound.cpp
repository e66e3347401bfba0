#include "sound/ZoSound.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#ifndef _WIN32
#include <smpeg/smpeg.h>
#endif

#include <cstdio>
#include <string>

#include "game/ListFile.h"

namespace {

// 1024 frames (46 ms at 22050 Hz) rather than 4096 (186 ms): a shot must be
// heard within a frame or two of the key press.
const int MIX_CHUNK_FRAMES = 1024;

}  // namespace

CZoSound::CZoSound() : m_music(0), m_musicPlaying(false), m_effectsOn(true), m_audioOpen(false)
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
        std::printf("No audio device (%s): playing without sound\n", SDL_GetError());
    } else if (Mix_OpenAudio(22050, AUDIO_S16LSB, 2, MIX_CHUNK_FRAMES) < 0) {
        std::printf("No audio device (%s): playing without sound\n", Mix_GetError());
    } else {
        Mix_AllocateChannels(16);
        m_audioOpen = true;
    }
    std::printf("Init: ZoSound\n");
}

CZoSound::CZoSound(SNoDevice) : m_music(0), m_musicPlaying(false), m_effectsOn(true), m_audioOpen(false) {}

void CZoSound::LoadSounds(char* listFile)
{
    std::printf("Loading Sounds\n");
    CListFile list(listFile);
    int count = 0;
    if (!list.IsOpen())
        std::printf("Cannot open %s: playing without sound effects or music\n", listFile);
    else if (!list.ReadInt(count))
        std::printf("%s: unreadable entry count, no sounds loaded\n", listFile);

    std::string name;
    if (count > 0 && list.ReadWord(name))
        LoadMusic(&name[0]);
    for (int i = 1; i < count && list.ReadWord(name); ++i)
        LoadSound(&name[0]);
    std::printf("   Sounds Loaded\n");
}

void CZoSound::LoadMusic(char* file)
{
    std::printf("   Loading Music\n");
    std::printf("      Loading %s\n", file);
    if (!m_audioOpen)
        return;  // playing without sound, as said at start-up
#ifdef _WIN32
    return;  // the Windows build has no music decoder
#else
    SMPEG_Info info;
    m_music = SMPEG_new(file, &info, 0);
    if (!m_music || SMPEG_error(m_music)) {
        std::printf("Cannot load%s\n", file);
        // A stream that failed to open is never played: the music toggle
        // then only flips its flag.
        if (m_music)
            SMPEG_delete(m_music);
        m_music = 0;
        return;
    }
    int frequency = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&frequency, &format, &channels);
    SDL_AudioSpec spec = SDL_AudioSpec();
    spec.freq = frequency;
    spec.format = format;
    spec.channels = (Uint8)channels;
    SMPEG_actualSpec(m_music, &spec);
    SMPEG_enableaudio(m_music, 1);
    SMPEG_enablevideo(m_music, 0);
    SMPEG_loop(m_music, 1);
    std::printf("         Loaded %s\n", file);
#endif
}

void CZoSound::LoadSound(char* file)
{
    std::printf("   Loading Sounds\n");
    std::printf("      Loading %s\n", file);
    Mix_Chunk* chunk = 0;
    if (m_audioOpen) {
        SDL_RWops* reader = SDL_RWFromFile(file, "rb");
        chunk = reader ? Mix_LoadWAV_RW(reader, 1) : 0;
    }
    m_sounds.push_back(chunk);
    std::printf("         Loaded %s\n", file);
}

void CZoSound::PlaySound(int effect, int)
{
    if (!m_effectsOn || !m_audioOpen)
        return;
    if (effect < 0 || effect >= (int)m_sounds.size() || !m_sounds[effect])
        return;
    Mix_PlayChannelTimed(-1, m_sounds[effect], 0, -1);
}

void CZoSound::PlayMusic()
{
#ifndef _WIN32
    if (m_audioOpen && m_music) {
        Mix_HookMusic(SMPEG_playAudioSDL, m_music);
        SMPEG_play(m_music);
    }
#endif
    m_musicPlaying = true;
}

void CZoSound::StopMusic()
{
    if (m_audioOpen)
        Mix_HookMusic(0, 0);
    m_musicPlaying = false;
}
