#ifndef FERROWIND_COLLADAMODELS_H
#define FERROWIND_COLLADAMODELS_H

#include "render/ModelStore.h"

// Every model of a "models.lof" read from its COLLADA file into `store`, with
// the tangents and the flat position array made: what the renderer loads,
// without OpenGL. Model file names are taken relative to the working
// directory. False, with a line naming the list, when the list is unusable.
bool LoadColladaModels(const char* listFile, CZoModelStore& store);

#endif
