#include "render/ColladaModels.h"

#include "render/ModelList.h"

bool LoadColladaModels(const char* listFile, CZoModelStore& store)
{
    if (!ReadModelList(listFile, store, [&store](char* file, unsigned int base, int makeNormals) {
            store.AddColladaModel(file, base, makeNormals);
        }))
        return false;
    store.Finish();
    return true;
}
