#ifndef FERROWIND_MODELLIST_H
#define FERROWIND_MODELLIST_H

#include <functional>

#include "render/ModelStore.h"

// Reads "models.lof": a count, then per model its file name, normals flag,
// model parameter, shader program number, colour (4 floats), diffuse and
// specular factors. For each entry `loadModel(file, vertexCount, flag)` must
// append exactly one model to `store`; the rest of the entry then fills it.
// An unopenable list or an incomplete entry writes a line naming the list and
// gives false.
bool ReadModelList(const char* listFile, CZoModelStore& store,
                   const std::function<void(char* file, unsigned int base, int makeNormals)>& loadModel);

#endif
