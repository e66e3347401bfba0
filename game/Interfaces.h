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

#endif
