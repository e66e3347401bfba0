#include <gtest/gtest.h>

#include <string>

#include "render/SaxReader.h"
#include "render/ZoColladaParser.h"
#include "tests/unit/ScratchDir.h"

namespace {

const std::string DATA = FERROWIND_TEST_DATA "/";

// Drives the handler the way the SAX reader does.
struct Feeder {
    CZoColladaParser& parser;

    void Start(const std::string& qName, const std::string& id = "", const std::string& count = "")
    {
        SaxAttributes attributes;
        if (!id.empty())
            attributes.Add("id", id);
        if (!count.empty())
            attributes.Add("count", count);
        parser.startElement("", qName, qName, attributes);
    }
    void End(const std::string& qName) { parser.endElement("", qName, qName); }
    void Element(const std::string& qName, const std::string& id, const std::string& count, const std::string& text)
    {
        Start(qName, id, count);
        parser.characters(text);
        End(qName);
    }
};

// Positions 0..3, normals 0..1 and texture coordinates 0..3 of a unit quad.
void FeedQuadArrays(Feeder& f)
{
    f.Element("float_array", "Quad-Geometry-Position-array", "12", "0 0 0 1 0 0 1 1 0 0 1 0");
    f.Element("float_array", "Quad-Normals-array", "6", "0 0 1 0 0 -1");
    f.Element("float_array", "Quad-UV-array", "8", "0 0 1 0 1 1 0 1");
}

void FeedTriangles(Feeder& f, const std::string& count, const std::string& indexes)
{
    f.Start("triangles", "", count);
    f.Start("input");
    f.End("input");
    f.Element("p", "", "", indexes);
    f.End("triangles");
}

}  // namespace

TEST(ColladaParser, ArraySizesAreCountsDividedDown)
{
    CZoColladaParser parser;
    Feeder f{parser};
    // Ten floats: three positions; the tenth is never read.
    f.Element("float_array", "Geometry-Position", "10", "1 2 3 4 5 6 7 8 9 10");
    ASSERT_EQ(parser.positions.size(), 3u);
    EXPECT_EQ(parser.positions[2].z, 9);
    f.Element("float_array", "UV-array", "5", "0.5 1e-1 2 3 4");
    ASSERT_EQ(parser.texCoords.size(), 2u);
    EXPECT_FLOAT_EQ(parser.texCoords[0].y, 0.1f);
    // Text shorter than the count gives only the entries it holds.
    f.Element("float_array", "Normals-array", "9", "0 0 1 0 1");
    EXPECT_EQ(parser.normals.size(), 1u);
    // Huge counts allocate nothing up front.
    f.Element("float_array", "Geometry-Position", "4294967295", "1 2 3");
    EXPECT_EQ(parser.positions.size(), 1u);
    FeedTriangles(f, "99999999999", "0 0 0 0 0 0 0 0 0");
    EXPECT_TRUE(parser.rejected);
}

TEST(ColladaParser, IdsAreMatchedBySubstring)
{
    CZoColladaParser parser;
    Feeder f{parser};
    f.Element("float_array", "Tank_Hull-Geometry-Position-array", "3", "1 2 3");
    EXPECT_EQ(parser.positions.size(), 1u);

    CZoColladaParser other;
    Feeder g{other};
    g.End("asset");  // leaves the starting state
    g.Element("float_array", "Tank-Positions-array", "3", "1 2 3");
    EXPECT_TRUE(other.positions.empty());
}

TEST(ColladaParser, TwoTrianglesGiveSixCornersFromBase)
{
    CZoColladaParser parser;
    parser.base = 40;
    Feeder f{parser};
    FeedQuadArrays(f);
    FeedTriangles(f, "2", "0 0 0 1 0 1 2 0 2  0 1 0 2 1 2 3 1 3");
    EXPECT_FALSE(parser.rejected);
    ASSERT_EQ(parser.outIndices.size(), 6u);
    for (unsigned int c = 0; c < 6; ++c)
        EXPECT_EQ(parser.outIndices[c], 40 + c);
    EXPECT_EQ(parser.outPositions[4].x, 1);  // position 2
    EXPECT_EQ(parser.outPositions[4].y, 1);
    EXPECT_EQ(parser.outNormals[3].z, -1);   // normal 1
    EXPECT_EQ(parser.outTexCoords[5].x, 0);  // texture coordinate 3
    EXPECT_EQ(parser.outTexCoords[5].y, 1);
}

TEST(ColladaParser, TrianglesWithAnIdAreNoTriangleList)
{
    CZoColladaParser parser;
    Feeder f{parser};
    FeedQuadArrays(f);
    f.Start("triangles", "named", "2");
    EXPECT_NE(parser.state, 4);
    EXPECT_EQ(parser.indexValues, 0u);
    f.End("triangles");
    f.Element("p", "", "", "0 0 0 1 0 1 2 0 2");
    EXPECT_TRUE(parser.outPositions.empty());
}

TEST(ColladaParser, CharacterDataInPiecesIsGatheredWhole)
{
    CZoColladaParser parser;
    Feeder f{parser};
    f.Start("float_array", "Geometry-Position", "6");
    parser.characters("1.");
    parser.characters("5 2");
    parser.characters("0 3\n4 5 ");
    parser.characters("6");
    f.End("float_array");
    ASSERT_EQ(parser.positions.size(), 2u);
    EXPECT_FLOAT_EQ(parser.positions[0].x, 1.5f);
    EXPECT_FLOAT_EQ(parser.positions[0].y, 20);
    EXPECT_FLOAT_EQ(parser.positions[1].z, 6);
    // Text outside a gathering state is dropped.
    parser.characters("7 8 9");
    EXPECT_TRUE(parser.positionText.find('7') == std::string::npos);
}

TEST(ColladaParser, IndexesOutsideTheArraysRejectTheList)
{
    const char* badLists[] = {
        "0 0 0 1 0 1 4 0 2",     // position 4 of 4
        "0 0 0 1 2 1 2 0 2",     // normal 2 of 2
        "0 0 0 1 0 1 2 0 4",     // texture coordinate 4 of 4
        "0 0 0 1 0 1 2 0",       // a corner short of values
        "0 0 0 1 0 1 2 0 x",     // not a number
        "0 0 0 1 0 1 2 0 -1",    // negative
    };
    for (const char* list : badLists) {
        CZoColladaParser parser;
        Feeder f{parser};
        FeedQuadArrays(f);
        FeedTriangles(f, "1", list);
        EXPECT_TRUE(parser.rejected) << list;
        EXPECT_TRUE(parser.outPositions.empty()) << list;
        EXPECT_TRUE(parser.outIndices.empty()) << list;
    }
}

TEST(ColladaParser, SecondTriangleListReplacesTheFirst)
{
    CZoColladaParser parser;
    Feeder f{parser};
    FeedQuadArrays(f);
    FeedTriangles(f, "2", "0 0 0 1 0 1 2 0 2  0 1 0 2 1 2 3 1 3");
    FeedTriangles(f, "1", "3 1 3 2 1 2 1 1 1");
    ASSERT_EQ(parser.outPositions.size(), 3u);
    EXPECT_EQ(parser.outPositions[0].y, 1);  // position 3
    EXPECT_EQ(parser.outPositions[0].x, 0);
}

TEST(ColladaParser, WarningsAndErrorsEndTheParse)
{
    CZoColladaParser parser;
    SaxParseException problem("odd", "m.dae", 3, 4);
    EXPECT_THROW(parser.warning(problem), SaxParseException);
    EXPECT_THROW(parser.error(problem), SaxParseException);
    EXPECT_THROW(parser.fatalError(problem), SaxParseException);
}

TEST(ColladaFile, ReadsAWholeMeshThroughTheSaxReader)
{
    CZoColladaParser parser;
    parser.base = 7;
    SaxParseFile((DATA + "two_triangles.dae").c_str(), parser);
    EXPECT_EQ(parser.indexValues, 18u);
    ASSERT_EQ(parser.outPositions.size(), 6u);
    EXPECT_EQ(parser.outIndices.front(), 7u);
    EXPECT_EQ(parser.outIndices.back(), 12u);
    EXPECT_EQ(parser.outPositions[5].y, 1);  // position 3 = (0, 1, 0)
    EXPECT_EQ(parser.outPositions[5].x, 0);
    EXPECT_EQ(parser.outNormals[0].z, 1);
}

TEST(ColladaFile, ProblemsThrowWithTheFileName)
{
    CZoColladaParser truncated;
    try {
        SaxParseFile((DATA + "truncated.dae").c_str(), truncated);
        FAIL() << "a truncated file must not parse";
    } catch (const SaxParseException& e) {
        EXPECT_NE(std::string(e.what()).find("truncated.dae"), std::string::npos);
        EXPECT_GT(e.Line(), 1);
    }
    // What was read before the problem stays.
    EXPECT_EQ(truncated.positions.size(), 4u);
    EXPECT_TRUE(truncated.outPositions.empty());

    CZoColladaParser missing;
    EXPECT_THROW(SaxParseFile((DATA + "no_such_model.dae").c_str(), missing), SaxParseException);

    ScratchDir dir;
    CZoColladaParser empty;
    EXPECT_THROW(SaxParseFile(dir.Write("empty.dae", "").c_str(), empty), SaxParseException);
}

namespace {

// A handler that fails inside a callback: the exception must come out of the
// reader whole, not through the XML library.
struct ThrowingHandler : CSaxDefaultHandler {
    int elements = 0;
    void startElement(const std::string&, const std::string&, const std::string& qName,
                      const SaxAttributes&) override
    {
        ++elements;
        if (qName == "stop")
            throw std::runtime_error("stopped");
    }
};

}  // namespace

TEST(SaxReader, HandlerExceptionsLeaveTheReaderAndStopIt)
{
    ScratchDir dir;
    ThrowingHandler handler;
    std::string file = dir.Write("x.xml", "<a><b/><stop/><c/></a>");
    EXPECT_THROW(SaxParseFile(file.c_str(), handler), std::runtime_error);
    EXPECT_EQ(handler.elements, 3);
}

TEST(SaxReader, ReportsQualifiedAndLocalNamesAndAttributes)
{
    struct Recorder : CSaxDefaultHandler {
        std::string qName, localName, id, missing;
        void startElement(const std::string&, const std::string& local, const std::string& q,
                          const SaxAttributes& attributes) override
        {
            if (q == "dae:p") {
                qName = q;
                localName = local;
                id = attributes.getValue("id");
                missing = attributes.getValue("count");
            }
        }
    } recorder;
    ScratchDir dir;
    std::string file = dir.Write("x.xml", "<r xmlns:dae='u'><dae:p id='7'/></r>");
    SaxParseFile(file.c_str(), recorder);
    EXPECT_EQ(recorder.qName, "dae:p");
    EXPECT_EQ(recorder.localName, "p");
    EXPECT_EQ(recorder.id, "7");
    EXPECT_EQ(recorder.missing, "");
}
