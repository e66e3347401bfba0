// The background music: an MPEG audio stream decoded by SMPEG into the
// mixer's music hook. Only the Linux program has it.
#include "sound/ZoSound.h"
#include "model/Log.h"

#ifdef FERROWIND_HAS_MUSIC

#include <SDL/SDL.h>
#include <SDL/SDL_mixer.h>
#include <smpeg/smpeg.h>

#include <cstdio>

void CZoSound::LoadMusic(char* file)
{
    LogOut("   Loading Music\n");
    LogOut("      Loading %s\n", file);
    if (!m_audioOpen)
        return;  // playing without sound, as said at start-up
    SMPEG_Info info;
    m_music = SMPEG_new(file, &info, 0);
    if (!m_music || SMPEG_error(m_music)) {
        LogOut("Cannot load%s\n", file);
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
    LogOut("         Loaded %s\n", file);
}

void CZoSound::PlayMusic()
{
    if (m_audioOpen && m_music) {
        Mix_HookMusic(SMPEG_playAudioSDL, m_music);
        SMPEG_play(m_music);
    }
    m_musicPlaying = true;
}

void CZoSound::StopMusic()
{
    if (m_audioOpen)
        Mix_HookMusic(0, 0);
    m_musicPlaying = false;
}

#endif
