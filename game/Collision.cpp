// Footprint boxes and the tests that decide whether an object may turn or move.
#include <algorithm>
#include <cmath>

#include "game/Ferrowind.h"
#include "game/Footprint.h"
#include "render/ModelStore.h"

namespace {

const double CHANGE_THRESHOLD = 0.05;

float Change(const Vector3f& a, const Vector3f& b)
{
    return std::fabs(a.x - b.x) + std::fabs(a.y - b.y) + std::fabs(a.z - b.z);
}

// An answer that an object it does not overlap leaves as it is: any but one
// with an infinite or undefined coordinate.
bool Settled(const Vector3f& accepted)
{
    return (double)Change(accepted, accepted) < CHANGE_THRESHOLD;
}

// Footprints whose circles lie apart cannot overlap; the margin keeps float
// rounding on the safe side. Most objects lie far from the mover: a bound of
// the other's radius without the square root (x + z, and a little more, is
// never less, rounded or not) settles them, with the same answer.
bool FarApart(const Vector3f& a, float reachA, const SGameObject& b)
{
    float dx = a.x - b.pos.x, dz = a.z - b.pos.z;
    float squared = dx * dx + dz * dz;
    float x, z;
    FootprintExtent(b.bbox, x, z);
    float bound = reachA + ((x + z) * 1.0001f + 1) + 1;
    if (squared > bound * bound)
        return true;
    float limit = reachA + FootprintReach(b.bbox) + 1;
    return squared > limit * limit;
}

}  // namespace

void CFerrowind::CalculateBB(SGameObject& object)
{
    float* bb = object.bbox;
    bb[0] = bb[1] = bb[2] = bb[3] = 0;
    const CZoModelStore& store = ModelStore();
    const SGraphicObject* model = store.Model(object.model);
    const Vector3f* vertices = store.m_vertices;
    unsigned long vertexCount = store.VertexCount();
    // A model that names no geometry (or geometry outside the vertex array)
    // gives a box of zero size.
    if (!model || !vertices || model->indexCount == 0 || model->indices[0] >= vertexCount)
        return;

    const Vector3f& first = vertices[model->indices[0]];
    bb[BB_MIN_Z] = bb[BB_MAX_Z] = first.z;
    bb[BB_MAX_X] = bb[BB_MIN_X] = first.x;
    for (unsigned long i = 1; i < model->indexCount; ++i) {
        if (model->indices[i] >= vertexCount) {
            bb[0] = bb[1] = bb[2] = bb[3] = 0;
            return;
        }
        const Vector3f& v = vertices[model->indices[i]];
        if (v.z > bb[BB_MAX_Z])
            bb[BB_MAX_Z] = v.z;
        if (bb[BB_MIN_Z] > v.z)
            bb[BB_MIN_Z] = v.z;
        if (bb[BB_MIN_X] > v.x)
            bb[BB_MIN_X] = v.x;
        if (v.x > bb[BB_MAX_X])
            bb[BB_MAX_X] = v.x;
    }
}

Vector3f CFerrowind::RCollision(Vector3f requested, int index)
{
    return CollisionTest(requested, index, true);
}

Vector3f CFerrowind::MCollision(Vector3f position, int index)
{
    return ACollision(position, index);
}

Vector3f CFerrowind::ACollision(Vector3f position, int index)
{
    return CollisionTest(position, index, false);
}

// A taken power-up is back at the game time its timer holds, whenever this
// copy's frames show it again: every copy applying the same move agrees.
bool CFerrowind::Present(const SGameObject& other)
{
    if (other.kind == KIND_POWERUP)
        return (int)((unsigned int)RuleTime() - (unsigned int)other.timer) >= 0;
    return other.active != 0;
}

// The turn and the move test differ only in what the request is (angles or
// position) and so in how the moving object's footprint is placed.
Vector3f CFerrowind::CollisionTest(Vector3f requested, int index, bool turning, bool takePowerUps)
{
    if (index < 0 || index >= (int)m_objects.size())
        return requested;
    const SGameObject* d = m_objects[index];
    const Vector3f& current = turning ? d->angles : d->pos;
    const Vector3f& moverPos = turning ? d->pos : requested;
    SFootprint mover = turning ? SFootprint(d->pos, requested.x, requested.y, d->bbox)
                               : SFootprint(requested, d->angles.x, d->angles.y, d->bbox);
    float moverReach = FootprintReach(d->bbox);
    Vector3f accepted = requested;
    bool settled = Settled(accepted);
    for (size_t i = 1; i < m_objects.size(); ++i) {
        const SGameObject* other = m_objects[i];
        if ((int)i == index || !Present(*other))
            continue;
        bool overlap = !FarApart(moverPos, moverReach, *other) &&
                       FootprintsOverlap(mover, SFootprint(other->pos, other->angles.x, other->angles.y, other->bbox));
        if (!overlap && settled)
            continue;
        Vector3f tested = overlap ? current : accepted;
        // A power-up is judged by the request itself, not by what a blocker
        // tested before it left of it: each copy lists the tanks in its own
        // order (its own first), and all must take the same power-ups.
        const Vector3f& against = overlap && other->kind == KIND_POWERUP ? requested : accepted;
        if ((double)Change(tested, against) < CHANGE_THRESHOLD) {
            accepted = tested;
        } else if (other->kind < 0) {
            // Negative kinds never block; a power-up is taken instead, right
            // after the move (refused or not), so every copy takes it at the
            // same place.
            if (other->kind == KIND_POWERUP && takePowerUps) {
                float taker = (float)index;
                AddConsequence(MakeMsg(GMSG_POWERUP_TAKEN, (int)i, 1, &taker, RuleTime()));
            }
        } else {
            accepted = tested;
        }
        settled = Settled(accepted);
    }
    return accepted;
}
