#ifndef FERROWIND_ZOCOLLADAPARSER_H
#define FERROWIND_ZOCOLLADAPARSER_H

#include <cstdint>
#include <string>
#include <vector>

#include "model/Vector.h"
#include "render/SaxReader.h"

// Pulls one triangle mesh out of a COLLADA file: the float arrays whose ids
// name the positions ("Geometry-Position"), normals ("Normals-array") and
// texture coordinates ("UV-array"), and the "p" list of the one "triangles"
// element, three indexes per corner in that order. Everything else in the
// file is ignored.
class CZoColladaParser : public CSaxDefaultHandler {
public:
    CZoColladaParser();
    ~CZoColladaParser() override;

    void startElement(const std::string& namespaceURI, const std::string& localName, const std::string& qName,
                      const SaxAttributes& attributes) override;
    void endElement(const std::string& namespaceURI, const std::string& localName, const std::string& qName) override;
    void characters(const std::string& text) override;
    // Any problem the XML parser reports ends the parse.
    void warning(const SaxParseException& exception) override;
    void error(const SaxParseException& exception) override;
    virtual void SetState(int state);

    // Result: one entry per triangle corner; indexes run from `base`.
    std::vector<Vector3f> outPositions;
    std::vector<Vector3f> outNormals;
    std::vector<Vector2f> outTexCoords;
    std::vector<unsigned int> outIndices;
    unsigned int base;
    // Set when a triangle list named an entry its arrays do not have, or ran
    // short of values; the result is then empty.
    bool rejected;

    // Number of index values the triangle list announced: 9 per triangle.
    std::uint64_t indexValues;
    // The source arrays as read; they hold the entries the text provided, at
    // most the counts the count attributes announced.
    std::vector<Vector3f> positions;
    std::vector<Vector3f> normals;
    std::vector<Vector2f> texCoords;
    std::uint64_t positionCount, normalCount, texCoordCount;

    // Character data gathered while the matching array or list is open.
    std::string positionText, normalText, texCoordText, indexText;
    // 0 nothing open, 1-3 inside an element naming positions, normals or
    // texture coordinates, 4 triangle list announced, 5-8 gathering the text of
    // positions, normals, texture coordinates or indexes.
    int state;

private:
    void ReadTriangles();
};

#endif
