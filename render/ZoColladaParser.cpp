#include "render/ZoColladaParser.h"

#include <cerrno>
#include <cstdlib>

namespace {

// Reads white-space separated numbers from gathered character data, the way
// formatted stream input does, stopping at the first token that is no number.
class CNumberText {
public:
    explicit CNumberText(const std::string& text) : m_at(text.c_str()) {}

    bool Float(float& value)
    {
        char* end = 0;
        value = std::strtof(m_at, &end);
        return Advance(end);
    }

    bool Unsigned(std::uint64_t& value)
    {
        char* end = 0;
        errno = 0;
        unsigned long long v = std::strtoull(m_at, &end, 10);
        value = v;
        return errno != ERANGE && Advance(end);
    }

private:
    bool Advance(char* end)
    {
        if (end == m_at)
            return false;
        m_at = end;
        return true;
    }

    const char* m_at;
};

// Counts are 32-bit; larger values are taken as the largest one.
std::uint64_t ParseCount(const std::string& text)
{
    char* end = 0;
    errno = 0;
    unsigned long long v = std::strtoull(text.c_str(), &end, 10);
    if (end == text.c_str() || text.find('-') != std::string::npos)
        return 0;
    return (errno == ERANGE || v > 0xFFFFFFFFull) ? 0xFFFFFFFFull : v;
}

void ReadVectors(const std::string& text, std::uint64_t count, std::vector<Vector3f>& out)
{
    out.clear();
    CNumberText numbers(text);
    Vector3f v;
    while (out.size() < count && numbers.Float(v.x) && numbers.Float(v.y) && numbers.Float(v.z))
        out.push_back(v);
}

void ReadPairs(const std::string& text, std::uint64_t count, std::vector<Vector2f>& out)
{
    out.clear();
    CNumberText numbers(text);
    Vector2f v;
    while (out.size() < count && numbers.Float(v.x) && numbers.Float(v.y))
        out.push_back(v);
}

}  // namespace

CZoColladaParser::CZoColladaParser()
    : base(0), rejected(false), indexValues(0), positionCount(0), normalCount(0), texCoordCount(0), state(1)
{
}

CZoColladaParser::~CZoColladaParser() {}

void CZoColladaParser::SetState(int newState)
{
    state = newState;
}

void CZoColladaParser::startElement(const std::string&, const std::string&, const std::string& qName,
                                    const SaxAttributes& attributes)
{
    std::string id = attributes.getValue("id");
    std::string countText = attributes.getValue("count");
    if (id.empty() && countText.empty() && qName != "p")
        return;
    bool hasCount = !countText.empty();
    std::uint64_t count = ParseCount(countText);

    if (id.find("Geometry-Position") != std::string::npos)
        SetState(1);
    if (id.find("Normals-array") != std::string::npos)
        SetState(2);
    if (id.find("UV-array") != std::string::npos)
        SetState(3);
    if (id.empty() && qName == "triangles" && hasCount) {
        SetState(4);
        indexValues = count * 9;
    }
    if (state == 1 && hasCount) {
        SetState(5);
        positionCount = count / 3;
        positionText.clear();
    }
    if (state == 2 && hasCount) {
        SetState(6);
        normalCount = count / 3;
        normalText.clear();
    }
    if (state == 3 && hasCount) {
        SetState(7);
        texCoordCount = count / 2;
        texCoordText.clear();
    }
    if (qName == "p") {
        SetState(8);
        indexText.clear();
    }
}

void CZoColladaParser::characters(const std::string& text)
{
    switch (state) {
    case 5: positionText += text; break;
    case 6: normalText += text; break;
    case 7: texCoordText += text; break;
    case 8: indexText += text; break;
    default: break;
    }
}

void CZoColladaParser::endElement(const std::string&, const std::string&, const std::string&)
{
    switch (state) {
    case 5: ReadVectors(positionText, positionCount, positions); break;
    case 6: ReadVectors(normalText, normalCount, normals); break;
    case 7: ReadPairs(texCoordText, texCoordCount, texCoords); break;
    case 8: ReadTriangles(); break;
    default: break;
    }
    SetState(0);
}

// Every corner takes its position, normal and texture coordinate from the
// arrays read so far. The indexes come from the file, so each is checked
// against its array: a list that points outside them gives no geometry.
void CZoColladaParser::ReadTriangles()
{
    outPositions.clear();
    outNormals.clear();
    outTexCoords.clear();
    outIndices.clear();
    rejected = false;

    std::uint64_t corners = indexValues / 3;
    CNumberText numbers(indexText);
    for (std::uint64_t c = 0; c < corners; ++c) {
        std::uint64_t p, n, t;
        if (!numbers.Unsigned(p) || !numbers.Unsigned(n) || !numbers.Unsigned(t) || p >= positions.size() ||
            n >= normals.size() || t >= texCoords.size()) {
            rejected = true;
            break;
        }
        outPositions.push_back(positions[p]);
        outNormals.push_back(normals[n]);
        outTexCoords.push_back(texCoords[t]);
        outIndices.push_back(base + (unsigned int)c);
    }
    if (rejected) {
        outPositions.clear();
        outNormals.clear();
        outTexCoords.clear();
        outIndices.clear();
    }
}

void CZoColladaParser::warning(const SaxParseException& exception)
{
    fatalError(exception);
}

void CZoColladaParser::error(const SaxParseException& exception)
{
    fatalError(exception);
}
