// The object definitions file "objects.lof" and the object list.
#include <cmath>
#include <string>

#include "game/Ferrowind.h"
#include "model/Log.h"
#include "model/ListFile.h"
#include "render/ModelStore.h"

namespace {

// Reads the fields of one record and names the first one that is missing or
// malformed.
class CRecordReader {
public:
    CRecordReader(CListFile& file, const char* path, int record)
        : m_file(file), m_path(path), m_record(record), m_ok(true) {}

    void Int(const char* field, int& value)
    {
        if (m_ok && !m_file.ReadInt(value))
            Fail(field, "missing or not an integer");
    }
    void Float(const char* field, float& value)
    {
        if (m_ok && !m_file.ReadFloat(value))
            Fail(field, "missing or not a number");
    }
    void Fail(const char* field, const std::string& why)
    {
        LogErr("%s: record %d: field \"%s\": %s\n", m_path, m_record, field, why.c_str());
        m_ok = false;
    }
    bool Ok() const { return m_ok; }

private:
    CListFile& m_file;
    const char* m_path;
    int m_record;
    bool m_ok;
};

void ReadCommonFields(CRecordReader& in, SGameObject& o)
{
    in.Int("kind", o.kind);
    in.Int("model", o.model);
    in.Float("pos x", o.pos.x);
    in.Float("pos y", o.pos.y);
    in.Float("pos z", o.pos.z);
    in.Float("angle 0", o.angles.x);
    in.Float("angle 1", o.angles.y);
    in.Float("angle 2", o.angles.z);
    in.Int("texture0", o.texture0);
    in.Int("texture1", o.texture1);
    static const char* const effectNames[4] = {"effect 0", "effect 1", "effect 2", "effect 3"};
    for (int k = 0; k < 4; ++k)
        in.Float(effectNames[k], o.effect[k]);
}

}  // namespace

int CFerrowind::LoadObjects(char* path)
{
    LogOut("loading objects\n");
    CListFile file(path);
    if (!file.IsOpen()) {
        LogErr("Cannot open %s\n", path);
        return 0;
    }
    int count = 0;
    if (!file.ReadInt(count) || count < 0) {
        LogErr("%s: the record count is missing or not a number of records\n", path);
        return 0;
    }
    m_objectCount = count;

    // The list is built apart and handed over whole, so that other threads
    // never see a half-loaded battlefield.
    std::vector<SGameObject*> loaded;

    for (int r = 0; r < count; ++r) {
        CRecordReader in(file, path, r);
        SGameObject o;
        ReadCommonFields(in, o);
        if (in.Ok() && !ModelStore().Model(o.model))
            in.Fail("model", std::to_string(o.model) + " names no loaded model");
        float extra[2] = {0, 0};
        if (o.kind == KIND_TANK) {
            in.Float("speed factor", extra[0]);
            in.Float("turn rate", extra[1]);
        } else if (o.kind == KIND_POWERUP) {
            in.Float("power-up kind", extra[0]);
        }
        if (!in.Ok())
            return 0;

        CalculateBB(o);
        o.active = 1;
        switch (o.kind) {
        case KIND_TANK: {
            STankPrototype* tank = new STankPrototype(o);
            tank->state[TS_SPEED] = extra[0];
            tank->state[TS_TURN_RATE] = extra[1];
            tank->active = 0;  // tanks enter the game by their first shot
            // Not this copy's clock at load: the peers' copies of this tank
            // start at 0, and the first shot must come back on all alike.
            tank->timer = 0;
            loaded.push_back(tank);
            break;
        }
        case KIND_POWERUP: {
            SGamePowerup* powerUp = new SGamePowerup(o);
            powerUp->state[0] = extra[0];
            powerUp->active = 1;
            powerUp->timer = 0;  // there from the start on every copy, whatever its clock
            loaded.push_back(powerUp);
            break;
        }
        case KIND_GROUND: {
            SGameObject* ground = new SGameObject(o);
            ground->stateCount = 2;
            ground->state = new float[2];
            const SGraphicObject* model = ModelStore().Model(o.model);
            const Vector3f* vertices = ModelStore().m_vertices;
            ground->state[0] = ground->state[1] = 0;
            if (model->indexCount > 0 && vertices) {
                ground->state[0] = std::fabs(vertices[model->indices[0]].x);
                ground->state[1] = std::fabs(vertices[model->indices[0]].z);
            }
            loaded.push_back(ground);
            break;
        }
        case KIND_EFFECT:
            m_effectObjects.push_back(r);
            o.active = 0;
            loaded.push_back(new SGameObject(o));
            break;
        case KIND_SCENERY:
        case KIND_PASSIVE:
            loaded.push_back(new SGameObject(o));
            break;
        default:
            break;
        }
    }

    {
        CHold hold(*this);
        m_objects.insert(m_objects.end(), loaded.begin(), loaded.end());
    }
    LogOut("objects loaded\n");
    return 1;
}

bool CFerrowind::CheckBattlefield(const char* path) const
{
    if (!IsTank(LOCAL_TANK) || m_objects[LOCAL_TANK]->kind != KIND_TANK) {
        LogErr("%s: object %d must be a tank (the local player's)\n", path, LOCAL_TANK);
        return false;
    }
    if ((int)m_objects.size() <= ANIMATED_OBJECT) {
        LogErr("%s: needs at least %d objects (object %d is animated), has %d\n", path,
                     ANIMATED_OBJECT + 1, ANIMATED_OBJECT, (int)m_objects.size());
        return false;
    }
    if (m_effectObjects.empty() || m_effectObjects[0] >= (int)m_objects.size()) {
        LogErr("%s: needs an effect object (kind 3) for the shot flashes\n", path);
        return false;
    }
    return true;
}

int CFerrowind::AddGameObject(SGameObject* object)
{
    CalculateBB(*object);
    CHold hold(*this);
    m_rollback.Added(*object, m_objects.size());
    m_objects.push_back(object);
    ++m_objectCount;
    return (int)m_objects.size() - 1;
}

std::vector<SGameObject*> CFerrowind::GetGameObjects()
{
    CHold hold(*this);
    return m_objects;
}

SGameObject* CFerrowind::CopyGameObject(int index)
{
    CHold hold(*this);
    return index >= 0 && index < (int)m_objects.size() ? DeepCopyObject(*m_objects[index]) : 0;
}

std::vector<int> CFerrowind::GetGameEffectObjects()
{
    return m_effectObjects;
}
