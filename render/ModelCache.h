#ifndef FERROWIND_MODELCACHE_H
#define FERROWIND_MODELCACHE_H

#include <string>
#include <vector>

#include "render/ModelStore.h"

// The model cache: what the COLLADA loader built, as raw native arrays with no
// header, so that a build without the COLLADA reader can load the same models.
//   "vaf.blob" positions, "taf.blob" texture coordinates, "naf.blob" normals,
//   "aaf.blob" tangents, "oaf.blob" one model record per model, and per model i
//   "i<i>.blob" its indexes and "e<i>.blob" its 56-byte edge records.
// A model record has the in-memory size and field offsets of SGraphicObject;
// its pointer, buffer and edge-list fields carry no meaning in the file and are
// written as zeros. A cache is readable only by a build of the same word size.
// `dir` is prefixed to every file name ("" for the working directory).

// Where the fields a model record keeps lie in the layout of one word size;
// the pointer, buffer and edge-list fields in between are zeros in the file.
struct SModelRecordLayout {
    std::size_t size;
    std::size_t modelParam, shader, indexCount, indexCountWidth, reserved, colour, diffuse, specular, edgeCount;
};
// The records of 64-bit builds (96 bytes) and of 32-bit builds (72 bytes).
extern const SModelRecordLayout MODEL_RECORD_64;
extern const SModelRecordLayout MODEL_RECORD_32;
// This build's own layout, the one it reads and writes by default.
const SModelRecordLayout& NativeModelRecord();

// Writes every cache file with model records of `layout`; on failure names
// the file in `error`.
bool WriteModelCache(const CZoModelStore& store, const std::string& dir, std::string& error,
                     const SModelRecordLayout& layout = NativeModelRecord());

// Reads the four vertex arrays and the model records of `layout` into an empty
// store. Every model's index and edge lists are still to be read with
// ReadModelCacheModel. Records that cannot describe the vertex arrays (a cache
// of the other word size, a damaged one) are refused.
bool ReadModelCacheArrays(CZoModelStore& store, const std::string& dir, std::string& error,
                          const SModelRecordLayout& layout = NativeModelRecord());
// Reads model `number`'s indexes and edges; every vertex number in them must lie
// within the vertex arrays.
bool ReadModelCacheModel(CZoModelStore& store, int number, const std::string& dir, std::string& error);

// A model record as it lies in "oaf.blob", and back, in either layout and on
// a host of either word size (little-endian).
std::vector<unsigned char> EncodeModelRecord(const SGraphicObject& model,
                                             const SModelRecordLayout& layout = NativeModelRecord());
SGraphicObject DecodeModelRecord(const unsigned char* record, const SModelRecordLayout& layout = NativeModelRecord());

#endif
