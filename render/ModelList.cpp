#include "render/ModelList.h"
#include "model/Log.h"

#include <cstdio>
#include <string>

#include "model/ListFile.h"

namespace {

bool ReadMaterial(CListFile& list, SGraphicObject& model)
{
    return list.ReadInt(model.modelParam) && list.ReadInt(model.shader) && list.ReadFloat(model.colour[0]) &&
           list.ReadFloat(model.colour[1]) && list.ReadFloat(model.colour[2]) && list.ReadFloat(model.colour[3]) &&
           list.ReadFloat(model.diffuse) && list.ReadFloat(model.specular);
}

}  // namespace

bool ReadModelList(const char* listFile, CZoModelStore& store,
                   const std::function<void(char* file, unsigned int base, int makeNormals)>& loadModel)
{
    CListFile list(listFile);
    int count;
    if (!list.StartList(listFile, "model", count))
        return false;
    for (int i = 0; i < count; ++i) {
        std::string file;
        int makeNormals;
        if (!list.ReadWord(file) || !list.ReadInt(makeNormals)) {
            LogOut("Error: %s: entry %d is incomplete\n", listFile, i);
            return false;
        }
        std::size_t before = store.m_models.size();
        loadModel(&file[0], (unsigned int)store.VertexCount(), makeNormals);
        if (store.m_models.size() != before + 1) {
            LogOut("Error: %s: entry %d gave no model\n", listFile, i);
            return false;
        }
        if (!ReadMaterial(list, store.m_models.back())) {
            LogOut("Error: %s: entry %d is incomplete\n", listFile, i);
            return false;
        }
    }
    return true;
}
