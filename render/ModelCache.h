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

// Writes every cache file; on failure names the file in `error`.
bool WriteModelCache(const CZoModelStore& store, const std::string& dir, std::string& error);

// Reads the four vertex arrays and the model records into an empty store. Every
// model's index and edge lists are still to be read with ReadModelCacheModel.
bool ReadModelCacheArrays(CZoModelStore& store, const std::string& dir, std::string& error);
// Reads model `number`'s indexes and edges; every vertex number in them must lie
// within the vertex arrays.
bool ReadModelCacheModel(CZoModelStore& store, int number, const std::string& dir, std::string& error);

// A model record as it lies in "oaf.blob", and back.
std::vector<unsigned char> EncodeModelRecord(const SGraphicObject& model);
SGraphicObject DecodeModelRecord(const unsigned char* record);

#endif
