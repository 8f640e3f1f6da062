// The display tools the host driver and the demo use: mesh checks that see holes and
// misoriented facets, the OBJ text of records, and the rasteriser's pixels.
#include "DisplayObj.h"
#include "MeshCheck.h"
#include "ObjRaster.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

// A unit cube as twelve triangles, counter-clockwise from outside.
std::vector<std::vector<double>> cubeTriangles() {
    const double c[8][3] = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 1}, {1, 1, 1}, {0, 1, 1}};
    const int quads[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
    std::vector<std::vector<double>> out;
    for (const auto& q : quads)
        for (const auto& t : {std::array<int, 3>{q[0], q[1], q[2]}, std::array<int, 3>{q[0], q[2], q[3]}}) {
            std::vector<double> xyz;
            for (int i : t) xyz.insert(xyz.end(), {c[i][0], c[i][1], c[i][2]});
            out.push_back(xyz);
        }
    return out;
}

TEST(MeshChecks, AClosedCubeIsClosedWithItsVolumeAndHolesAndFlipsShow) {
    MeshCheck cube;
    for (const auto& t : cubeTriangles()) cube.addPolygon(t.data(), 3);
    MeshStats s = cube.stats();
    EXPECT_TRUE(s.closed());
    EXPECT_EQ(s.points, 8);
    EXPECT_EQ(s.edgesTwice, 18);
    EXPECT_EQ(s.edgesSameWay, 0);
    EXPECT_NEAR(s.area, 6, 1e-12);
    EXPECT_NEAR(s.volume, 1, 1e-12);

    auto triangles = cubeTriangles();
    MeshCheck holed, flipped;
    for (std::size_t i = 1; i < triangles.size(); ++i) holed.addPolygon(triangles[i].data(), 3);
    EXPECT_FALSE(holed.stats().closed());
    EXPECT_EQ(holed.stats().edgesOnce, 3);
    std::swap(triangles[0][0], triangles[0][3]);
    std::swap(triangles[0][1], triangles[0][4]);
    std::swap(triangles[0][2], triangles[0][5]);
    for (const auto& t : triangles) flipped.addPolygon(t.data(), 3);
    EXPECT_EQ(flipped.stats().edgesSameWay, 3);
    const double flat[9] = {0, 0, 0, 1, 0, 0, 2, 0, 0};
    flipped.addPolygon(flat, 3);
    EXPECT_EQ(flipped.stats().zeroArea, 1);
}

TEST(DisplayObjText, RecordsBecomeGroupsOfLinesAndFacets) {
    DisplayObj wire;
    const double line[6] = {0, 0, 0, 1, 0, 0};
    const double ring[9] = {0, 0, 0, 1, 0, 0, 0, 1, 0};
    wire.add(1, 256, line, 2, false);
    wire.add(3, 1, ring, 3, false);
    std::string obj = wire.obj();
    EXPECT_NE(obj.find("g colour_1\nl 1 2 3 1\n"), std::string::npos) << obj;
    EXPECT_NE(obj.find("g colour_256\nl 1 2\n"), std::string::npos) << obj;
    EXPECT_EQ(obj.find("\nf "), std::string::npos);
    EXPECT_EQ(wire.json(), "{\"records\": 2, \"points\": 5, \"open\": 1, \"closed\": 1, \"colours\": {\"1\": 1, \"256\": 1}}");

    DisplayObj shaded;
    for (const auto& t : cubeTriangles()) shaded.add(3, 256, t.data(), 3, true);
    EXPECT_NE(shaded.obj().find("\nf "), std::string::npos);
    std::string json = shaded.json();
    EXPECT_NE(json.find("\"edges_once\": 0, \"edges_twice\": 18"), std::string::npos) << json;
    EXPECT_NE(json.find("\"volume\": 1}"), std::string::npos) << json;
}

TEST(Rasteriser, FacetsAreShadedLinesDrawnInTheirColourAndTheRestLeftBlank) {
    ObjScene scene;
    ASSERT_TRUE(parseObj("v 0 0 0\nv 10 0 0\nv 0 10 0\nv 0 0 10\ng colour_256\nf 1 2 3\ng colour_1\nl 1 4\n", scene));
    ASSERT_EQ(scene.elements.size(), 2u);
    EXPECT_FALSE(parseObj("v 0 0 0\nf 1 2 9\n", scene = ObjScene())) << "an index beyond the points";
    ASSERT_TRUE(parseObj("v 0 0 0\nv 10 0 0\nv 0 10 0\nv 0 0 10\ng colour_256\nf 1 2 3\ng colour_1\nl 1 4\n", scene = ObjScene()));
    Picture picture = renderScene(scene, 80, 60);
    ASSERT_EQ(picture.rgb.size(), 80u * 60u * 3u);
    auto at = [&](int x, int y) { return &picture.rgb[3 * (static_cast<std::size_t>(y) * 80 + x)]; };
    const std::uint8_t* corner = at(0, 0);
    int shaded = 0, red = 0;
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 80; ++x) {
            const std::uint8_t* p = at(x, y);
            if (p[0] > 200 && p[1] < 80 && p[2] < 80) ++red;
            else if (std::abs(p[0] - corner[0]) + std::abs(p[1] - corner[1]) + std::abs(p[2] - corner[2]) > 60) ++shaded;
        }
    EXPECT_GT(shaded, 200) << "the triangle covers part of the picture";
    EXPECT_GT(red, 10) << "the colour-1 line is red";
    EXPECT_LT(shaded + red, 80 * 60 / 2) << "and the background stays";
}

}  // namespace
