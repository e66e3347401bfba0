#ifndef FERROWIND_ZOSOUND_H
#define FERROWIND_ZOSOUND_H

#include <vector>

#include "model/BuildFlavour.h"
#include "model/Interfaces.h"
#include "model/NoDevice.h"

struct Mix_Chunk;
#ifdef FERROWIND_HAS_MUSIC
struct _SMPEG;
#endif

// Sound effects through SDL_mixer and, where the program has it, the looping
// background music.
class CZoSound : public ISoundSink {
public:
    CZoSound();
    explicit CZoSound(SNoDevice);
    virtual ~CZoSound() {}

    void LoadSounds(char* listFile);
    void LoadSound(char* file);
    void PlaySound(int effect, int extra) override;
    void ToggleMusic() override;
    void SetEffectsOn(bool on) override { m_effectsOn = on; }
#ifdef FERROWIND_HAS_MUSIC
    void LoadMusic(char* file);
    void PlayMusic();
    void StopMusic();
#endif

    // The list's first entry is the music; the Windows program skips it, so
    // that the effects keep their numbers. The program's own by default.
    EBuildFlavour m_flavour;
    std::vector<Mix_Chunk*> m_sounds;
#ifdef FERROWIND_HAS_MUSIC
    _SMPEG* m_music;
#endif
    bool m_musicPlaying;
    bool m_effectsOn;

private:
    bool m_audioOpen;
};

#endif
