// The bridge's attributes: registration by SAT type name, identity by level, method
// tables, and how colours and markers follow their owners through the kernel's copy,
// split and merge.
#include "AsAcadColorAttrib.h"
#include "AsAttribMarker.h"
#include "AsTools.h"
#include "SatTestSupport.h"
#include "solidkernel/tolerance.h"

#include <gtest/gtest.h>


using namespace sat_test;

namespace {

// The record of the given type in saved text (from its type name to its '#'), or "".
std::string recordOf(const std::string& text, const std::string& type, std::size_t from = 0) {
    std::size_t start = text.find("\n" + type + " ", from);
    if (start == std::string::npos) return std::string();
    return text.substr(start + 1, text.find('#', start) - start);
}

int occurrences(const std::string& text, const std::string& word) {
    int n = 0;
    for (std::size_t i = text.find(word); i != std::string::npos; i = text.find(word, i + 1)) ++n;
    return n;
}

class Attributes : public ::testing::Test {
protected:
    void SetUp() override {
        useBridgeSaveSettings();
        AsRegisterAttributes();
        blocks_ = acis_live_blocks();
    }
    void TearDown() override {
        deleteAll(list_);
        EXPECT_EQ(acis_live_blocks(), blocks_) << "entities left alive";
    }
    BODY* restoreSample(const std::string& name) {
        return restoreText(sampleText(name));
    }
    BODY* restoreText(const std::string& text) {
        deleteAll(list_);
        EXPECT_EQ(restore(text, list_), 0);
        return list_.count() ? dynamic_cast<BODY*>(list_[0]) : nullptr;
    }
    static std::vector<ENTITY*> faces(BODY* body) {
        ENTITY_LIST l;
        api_get_faces(body, l);
        return l.items();
    }
    static std::vector<ENTITY*> edges(ENTITY* e) {
        ENTITY_LIST l;
        api_get_edges(e, l);
        return l.items();
    }
    static int colourOf(const ENTITY* e) {
        AsAcadColorAttrib* a = AsAcadColorAttrib::find(e);
        return a ? a->colour() : -1;
    }
    static int countAttribs(const ENTITY* e) {
        int n = 0;
        for (ATTRIB* a = e->attrib(); a; a = a->next()) ++n;
        return n;
    }
    ENTITY_LIST list_;
    long blocks_ = 0;
};

TEST_F(Attributes, ColourRecordsOfForeignTextRestoreAsTheBridgeClassAndSaveBack) {
    // The old region with a colour attribute on its face, in the 1.x layout.
    std::string text = sampleText("v106_r13_region.sat");
    text.replace(0, text.find('\n'), "106 27 1 0");
    text.replace(text.find("\nface $-1 "), 10, "\nface $26 ");
    text.insert(text.find("End-of-ACIS-data"), "color-adesk-attrib $-1 $-1 $-1 $3 5 #\n");
    BODY* body = restoreText(text);
    ASSERT_NE(body, nullptr);
    FACE* face = static_cast<FACE*>(faces(body).at(0));
    ASSERT_NE(AsAcadColorAttrib::find(face), nullptr);
    EXPECT_EQ(colourOf(face), 5);
    EXPECT_EQ(AsAcadColorAttrib::find(face)->entity(), face);

    std::string saved = save(list_);
    std::string colourRecord = recordOf(saved, "color-adesk-attrib");
    const std::string prefix = "color-adesk-attrib $-1 $-1 $-1 $";
    EXPECT_EQ(colourRecord.compare(0, prefix.size(), prefix), 0) << colourRecord;
    EXPECT_EQ(colourRecord.substr(colourRecord.size() - 4), " 5 #") << colourRecord;
    ENTITY_LIST again;
    ASSERT_EQ(restore(saved, again), 0);
    EXPECT_EQ(colourOf(faces(static_cast<BODY*>(again[0])).at(0)), 5);
    EXPECT_EQ(save(again), saved);
    deleteAll(again);
}

TEST_F(Attributes, TypeNamesAndIdentityLevels) {
    BODY* body = restoreSample("v400_box_inch.sat");
    ASSERT_NE(body, nullptr);
    ENTITY* face = faces(body).at(0);
    auto* colour = new AsAcadColorAttrib(face, 3);
    auto* marker = new AsAttribMarker(face);
    EXPECT_EQ(typeChain(colour), "color-adesk-attrib");
    EXPECT_EQ(typeChain(marker), "marker-vaq-attrib");
    EXPECT_EQ(colour->identity(0), AsAcadColorAttrib::type());
    EXPECT_EQ(colour->identity(3), AsAcadColorAttrib::type());
    EXPECT_EQ(colour->identity(2), AsAcadAttrib::type());
    EXPECT_EQ(colour->identity(-1), AsAcadAttrib::type()) << "negative levels ask the parent";
    EXPECT_EQ(colour->identity(1), ATTRIB_TYPE);
    EXPECT_EQ(colour->identity(4), -1);
    EXPECT_EQ(marker->identity(2), AsAttrib::type());
    EXPECT_NE(AsAttrib::type(), AsAcadAttrib::type());
    EXPECT_EQ(AsAcadColorAttrib::find(face), colour);
    EXPECT_EQ(AsAttribMarker::find(face), marker);
    EXPECT_EQ(find_attrib(face, AsAcadAttrib::type(), AsAttribMarker::type()), nullptr);
    EXPECT_EQ(colour->size(), static_cast<int>(sizeof(AsAcadColorAttrib)));
}

logical answerSeven(ENTITY*, const METHOD_ARGS& args) {
    *static_cast<int*>(args.data) = 7;
    return 1;
}

TEST_F(Attributes, MethodCallsNeedMatchingArgumentIds) {
    AsAcadColorAttrib::methods().add("probe", answerSeven);
    AsAcadColorAttrib colour;
    int out = 0;
    METHOD_ARGS args{"int", &out};
    EXPECT_EQ(colour.call_method(METHOD_ID{"probe", "double"}, args), 0);
    EXPECT_EQ(out, 0);
    EXPECT_EQ(colour.call_method(METHOD_ID{"probe", "int"}, args), 1);
    EXPECT_EQ(out, 7);
    EXPECT_EQ(colour.call_method(METHOD_ID{"absent", "int"}, args), 0) << "passed to the parents";
}

TEST_F(Attributes, SavedColourAndMarkerSurviveARoundTrip) {
    BODY* body = restoreSample("v700_prism.sat");
    ASSERT_NE(body, nullptr);
    std::vector<ENTITY*> e = edges(body);
    new AsAcadColorAttrib(faces(body).at(2), 30);
    new AsAcadColorAttrib(e.at(0), 11);
    new AsAttribMarker(e.at(1));
    std::string saved = save(list_);
    ENTITY_LIST again;
    ASSERT_EQ(restore(saved, again), 0);
    auto* body2 = static_cast<BODY*>(again[0]);
    EXPECT_EQ(colourOf(faces(body2).at(2)), 30);
    EXPECT_EQ(colourOf(edges(body2).at(0)), 11);
    EXPECT_NE(AsAttribMarker::find(edges(body2).at(1)), nullptr);
    EXPECT_EQ(save(again), saved);
    deleteAll(again);
}

TEST_F(Attributes, CopyingABodyCarriesColoursAndGivesEachEdgeOneMarker) {
    BODY* body = restoreSample("v400_box_inch.sat");
    ASSERT_NE(body, nullptr);
    new AsAcadColorAttrib(faces(body).at(0), 4);
    ENTITY* marked = edges(body).at(3);
    new AsAttribMarker(marked);
    ENTITY* copy = nullptr;
    ASSERT_TRUE(api_copy_entity(body, copy).ok());
    list_.add(copy);
    auto* copied = static_cast<BODY*>(copy);
    EXPECT_EQ(colourOf(faces(copied).at(0)), 4);
    ENTITY* copiedEdge = edges(copied).at(3);
    EXPECT_NE(copiedEdge, marked);
    EXPECT_NE(AsAttribMarker::find(copiedEdge), nullptr);
    EXPECT_EQ(countAttribs(copiedEdge), 1);
    EXPECT_EQ(AsAttribMarker::find(copiedEdge)->entity(), copiedEdge);
    std::string both = save(list_);
    EXPECT_EQ(occurrences(both, "marker-vaq-attrib"), 2) << "one marker on each body";
}

TEST_F(Attributes, SplittingAnEdgeGivesTheNewPartTheColourAndAMarker) {
    BODY* body = restoreSample("v400_box_inch.sat");
    ASSERT_NE(body, nullptr);
    auto* edge = static_cast<EDGE*>(edges(body).at(0));
    new AsAcadColorAttrib(edge, 9);
    new AsAttribMarker(edge);
    double mid = 0.5 * (edge->start_param() + edge->end_param());
    EDGE* added = nullptr;
    ASSERT_TRUE(api_split_edge(edge, mid, added).ok());
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(colourOf(added), 9);
    EXPECT_NE(AsAttribMarker::find(added), nullptr);
    EXPECT_EQ(colourOf(edge), 9);
    EXPECT_EQ(edges(body).size(), 13u);
    EXPECT_LE(distance(edge->end()->geometry()->coords(), edge->eval_position(mid)), SPAresabs);
    // The model stays consistent: it saves and restores with the new edge.
    ENTITY_LIST again;
    ASSERT_EQ(restore(save(list_), again), 0);
    EXPECT_EQ(edges(again[0]).size(), 13u);
    deleteAll(again);
}

TEST_F(Attributes, SplittingAColouredFaceColoursTheNewFaceAndItsUncolouredEdges) {
    BODY* body = restoreSample("v400_box_inch.sat");
    ASSERT_NE(body, nullptr);
    auto* face = static_cast<FACE*>(faces(body).at(0));
    new AsAcadColorAttrib(face, 2);
    COEDGE* c0 = face->loop()->start();
    COEDGE* c2 = c0->next()->next();
    new AsAcadColorAttrib(c0->edge(), 77);  // an edge of the new face with its own colour
    FACE* added = nullptr;
    ASSERT_TRUE(api_split_face(face, c0->start(), c2->start(), added).ok());
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(colourOf(added), 2);
    std::vector<ENTITY*> addedEdges = edges(added);
    EXPECT_EQ(addedEdges.size(), 3u);
    for (ENTITY* e : addedEdges) EXPECT_EQ(colourOf(e), e == c0->edge() ? 77 : 2);
    EXPECT_EQ(faces(body).size(), 7u);
    ENTITY_LIST again;
    ASSERT_EQ(restore(save(list_), again), 0);
    EXPECT_EQ(faces(static_cast<BODY*>(again[0])).size(), 7u);
    deleteAll(again);
}

TEST_F(Attributes, MergingKeepsTheSurvivorsColourOrTakesTheDeletedOnes) {
    BODY* body = restoreSample("v400_box_inch.sat");
    ASSERT_NE(body, nullptr);
    auto* first = static_cast<FACE*>(faces(body).at(0));
    COEDGE* c = first->loop()->start();
    auto* neighbour = static_cast<FACE*>(static_cast<LOOP*>(c->partner()->owner())->face());
    new AsAcadColorAttrib(first, 1);
    new AsAcadColorAttrib(neighbour, 2);
    ASSERT_TRUE(api_merge_faces(first, neighbour).ok());
    EXPECT_EQ(colourOf(first), 1);
    EXPECT_EQ(faces(body).size(), 5u);
    EXPECT_EQ(edges(body).size(), 11u);

    // Now a coloured face merged into one without a colour gives it its colour.
    auto* other = static_cast<FACE*>(faces(body).at(1));
    COEDGE* oc = other->loop()->start();
    auto* otherNeighbour = static_cast<FACE*>(static_cast<LOOP*>(oc->partner()->owner())->face());
    if (AsAcadColorAttrib* existing = AsAcadColorAttrib::find(other)) existing->lose();
    while (AsAcadColorAttrib* existing = AsAcadColorAttrib::find(otherNeighbour)) existing->lose();
    new AsAcadColorAttrib(otherNeighbour, 6);
    new AsAttribMarker(otherNeighbour);
    ASSERT_TRUE(api_merge_faces(other, otherNeighbour).ok());
    EXPECT_EQ(colourOf(other), 6);
    EXPECT_NE(AsAttribMarker::find(other), nullptr);
    ENTITY_LIST again;
    ASSERT_EQ(restore(save(list_), again), 0);
    EXPECT_EQ(faces(static_cast<BODY*>(again[0])).size(), 4u);
    deleteAll(again);
}

TEST_F(Attributes, UnknownAttributesKeepTheirDataThroughCopyAndSave) {
    BODY* body = restoreSample("v700_cylinder_material.sat");
    ASSERT_NE(body, nullptr);
    ENTITY* copy = nullptr;
    ASSERT_TRUE(api_copy_entity(body, copy).ok());
    ENTITY_LIST copies;
    copies.add(copy);
    std::string a = save(list_), b = save(copies);
    EXPECT_EQ(a, b);
    std::string material = recordOf(a, "material-adesk-attrib");
    ASSERT_FALSE(material.empty());
    EXPECT_EQ(material.substr(material.size() - 7), " 69 0 #") << "its two integers: " << material;
    deleteAll(copies);
}

}  // namespace
