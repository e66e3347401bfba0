#ifndef FERROWIND_INTERFACES_H
#define FERROWIND_INTERFACES_H

#include <vector>

#include "GameMsg.h"
#include "GameObject.h"
#include "Vector.h"

// The game as the input object, the renderer and the network threads see it.
class IGameInterface {
public:
    virtual void ShutDown() = 0;
    virtual std::vector<SGameObject*> GetGameObjects() = 0;
    virtual std::vector<int> GetGameEffectObjects() = 0;
    virtual int AddGameObject(SGameObject* object) = 0;
    virtual void AddMsg(SGameMsg msg) = 0;
    // The one way this copy's own messages enter the game: sent to the peers
    // when `toPeers` (not while a replay runs: then they were sent before),
    // then queued.
    virtual void Publish(SGameMsg msg, bool toPeers) = 0;
    virtual unsigned long GetTime() = 0;
    virtual void SetTimeOffset(unsigned long ms) = 0;
    // A deep copy of one object, the caller's to destroy (DestroyObject);
    // null past the end of the list. Threads other than the game's read
    // objects only this way: a time warp may free the originals at any time.
    virtual SGameObject* CopyGameObject(int index)
    {
        std::vector<SGameObject*> objects = GetGameObjects();
        return index >= 0 && index < (int)objects.size() ? DeepCopyObject(*objects[index]) : 0;
    }

protected:
    ~IGameInterface() {}
};

// The renderer's camera as the input object sees it.
class IGraphicInterface {
public:
    virtual void SetPos(Vector3f pos) = 0;
    virtual void AddToPos(Vector3f delta) = 0;
    virtual void SetAngles(float pitch, float yaw) = 0;
    virtual void AddToAngles(float dPitch, float dYaw) = 0;
    virtual Vector3f GetDirection() = 0;

protected:
    ~IGraphicInterface() {}
};

// What the game's display switch (SPlaySwitches::showFramerate) holds: the display shows
// the frame rate; is to be cleared once and then count frags; counts frags.
enum { FRAMERATE_SHOWN = 0, FRAMERATE_CLEAR = -1, FRAMERATE_HIDDEN = 1 };

// The renderer's switches as the keys change them.
class IRendererSwitches {
public:
    // Drawing features that a function key turns on and off.
    enum ESwitch { WIREFRAME, DRAW_OFF_VIEW, SHADOWS, MIPMAPS, LINEAR_MAG_FILTER, BLENDING };
    virtual void FlipSwitch(ESwitch which) = 0;
    virtual void FlipShadowMode() = 0;
    // Moves the light over the ground.
    virtual void MoveLight(double dx, double dz) = 0;
    // Sets the angles that AddToAngles turns from to the current direction.
    virtual void TurnFromDirection() = 0;

protected:
    ~IRendererSwitches() {}
};

// Sound as the game's rules reach it.
class ISoundSink {
public:
    virtual void PlaySound(int effect, int extra) = 0;
    // Starts or stops the music, where the program has music.
    virtual void ToggleMusic() = 0;
    // Effects are off while a time warp replays what was heard already.
    virtual void SetEffectsOn(bool on) = 0;

protected:
    ~ISoundSink() {}
};

#endif
