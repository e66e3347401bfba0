#include "sound/ZoSound.h"
#include "model/Log.h"

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>

#include <cstdio>
#include <string>

#include "model/ListFile.h"

namespace {

// 1024 frames (46 ms at 22050 Hz) rather than 4096 (186 ms): a shot must be
// heard within a frame or two of the key press.
const int MIX_CHUNK_FRAMES = 1024;

}  // namespace

CZoSound::CZoSound() : CZoSound(SNoDevice())
{
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) {
        LogOut("No audio device (%s): playing without sound\n", SDL_GetError());
    } else if (Mix_OpenAudio(22050, AUDIO_S16LSB, 2, MIX_CHUNK_FRAMES) < 0) {
        LogOut("No audio device (%s): playing without sound\n", Mix_GetError());
    } else {
        Mix_AllocateChannels(16);
        m_audioOpen = true;
    }
    LogOut("Init: ZoSound\n");
}

CZoSound::CZoSound(SNoDevice)
    : m_flavour(NATIVE_FLAVOUR),
#ifdef FERROWIND_HAS_MUSIC
      m_music(0),
#endif
      m_musicPlaying(false), m_effectsOn(true), m_audioOpen(false)
{
}

void CZoSound::LoadSounds(char* listFile)
{
    LogOut("Loading Sounds\n");
    CListFile list(listFile);
    int count = 0;
    if (!list.IsOpen())
        LogOut("Cannot open %s: playing without sound effects or music\n", listFile);
    else if (!list.ReadInt(count))
        LogOut("%s: unreadable entry count, no sounds loaded\n", listFile);

    std::string name;
    if (count > 0 && list.ReadWord(name)) {
#ifdef FERROWIND_HAS_MUSIC
        if (m_flavour == FLAVOUR_LINUX)
            LoadMusic(&name[0]);
#endif
    }
    for (int i = 1; i < count && list.ReadWord(name); ++i)
        LoadSound(&name[0]);
    LogOut("   Sounds Loaded\n");
}

void CZoSound::LoadSound(char* file)
{
    LogOut("   Loading Sounds\n");
    LogOut("      Loading %s\n", file);
    Mix_Chunk* chunk = 0;
    if (m_audioOpen) {
        SDL_RWops* reader = SDL_RWFromFile(file, "rb");
        chunk = reader ? Mix_LoadWAV_RW(reader, 1) : 0;
    }
    m_sounds.push_back(chunk);
    LogOut("         Loaded %s\n", file);
}

// The music key; the program without music lets it pass.
void CZoSound::ToggleMusic()
{
#ifdef FERROWIND_HAS_MUSIC
    if (m_musicPlaying)
        StopMusic();
    else
        PlayMusic();
#endif
}

void CZoSound::PlaySound(int effect, int)
{
    if (!m_effectsOn || !m_audioOpen)
        return;
    if (effect < 0 || effect >= (int)m_sounds.size() || !m_sounds[effect])
        return;
    Mix_PlayChannelTimed(-1, m_sounds[effect], 0, -1);
}
