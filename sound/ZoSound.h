#ifndef FERROWIND_ZOSOUND_H
#define FERROWIND_ZOSOUND_H

#include <vector>

#include "game/NoDevice.h"

struct Mix_Chunk;
struct _SMPEG;

// Sound effects through SDL_mixer and the looping background music.
class CZoSound {
public:
    CZoSound();
    explicit CZoSound(SNoDevice);

    void LoadSounds(char* listFile);
    void LoadMusic(char* file);
    void LoadSound(char* file);
    void PlaySound(int effect, int extra);
    void PlayMusic();
    void StopMusic();

    std::vector<Mix_Chunk*> m_sounds;
    _SMPEG* m_music;
    bool m_musicPlaying;
    bool m_effectsOn;

private:
    bool m_audioOpen;
};

#endif
