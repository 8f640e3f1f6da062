// The constrained triangulation stays a valid triangulation of its rectangle whatever the
// points, and holds every segment it was given as edges.
#include "../src/Triangulation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <random>
#include <set>

namespace {

// Every triangle counter-clockwise, neighbours mutual, areas summing to the rectangle.
void expectValid(const Triangulation& t) {
    const auto& tris = t.triangles();
    long double area = 0;
    for (std::size_t i = 0; i < tris.size(); ++i) {
        const auto& tri = tris[i];
        std::int64_t o = t.orient(tri.v[0], tri.v[1], tri.v[2]);
        ASSERT_GT(o, 0) << "triangle " << i;
        area += o;
        for (int k = 0; k < 3; ++k) {
            int u = tri.n[k];
            if (u < 0) continue;
            int back = 0;
            for (int j = 0; j < 3; ++j) back += tris[u].n[j] == static_cast<int>(i);
            ASSERT_EQ(back, 1) << "neighbour of " << i;
        }
    }
    long double rect = 2.0L * t.x(2) * t.y(2);
    EXPECT_NEAR(static_cast<double>(area / rect), 1.0, 1e-12);
}

bool hasEdge(const Triangulation& t, int a, int b, int tag) {
    for (const auto& tri : t.triangles())
        for (int k = 0; k < 3; ++k) {
            int p = tri.v[(k + 1) % 3], q = tri.v[(k + 2) % 3];
            if (((p == a && q == b) || (p == b && q == a)) && tri.tag[k] == tag) return true;
        }
    return false;
}

TEST(Triangulation, RandomPointsGiveAValidTriangulation) {
    std::mt19937 random(7);
    std::uniform_real_distribution<double> coordinate(0, 10);
    Triangulation t(0, 0, 10, 5);
    for (int i = 0; i < 3000; ++i) t.add(coordinate(random), coordinate(random) / 2);
    expectValid(t);
    EXPECT_EQ(t.triangles().size(), static_cast<std::size_t>(2 * t.vertexCount() - 6))
        << "n vertices, four of them on the rim: 2n - 6 triangles";
}

TEST(Triangulation, GridPointsOnTheRimAndDuplicatesStayValid) {
    Triangulation t(-1, -1, 1, 1);
    std::set<int> vertices;
    for (int i = 0; i <= 20; ++i)
        for (int j = 0; j <= 20; ++j) vertices.insert(t.add(-1 + i * 0.1, -1 + j * 0.1));
    EXPECT_EQ(vertices.size(), 441u);
    EXPECT_EQ(t.add(0.0, 0.0), t.add(1e-12, -1e-12)) << "a point on top of a vertex is that vertex";
    expectValid(t);
}

TEST(Triangulation, SegmentsAcrossManyEdgesAndThroughVerticesBecomeEdges) {
    std::mt19937 random(11);
    std::uniform_real_distribution<double> coordinate(0.01, 0.99);
    Triangulation t(0, 0, 1, 1);
    for (int i = 0; i < 800; ++i) t.add(coordinate(random), coordinate(random));
    // A polygon (a circle) and a chord through collinear points.
    std::vector<int> ring;
    for (int i = 0; i < 64; ++i) {
        double a = 2 * 3.14159265358979 * i / 64;
        ring.push_back(t.add(0.5 + 0.3 * std::cos(a), 0.5 + 0.3 * std::sin(a)));
    }
    int a = t.add(0.1, 0.2), b = t.add(0.9, 0.85);
    for (int i = 0; i < 64; ++i) EXPECT_TRUE(t.constrain(ring[i], ring[(i + 1) % 64], 1));
    expectValid(t);
    for (int i = 0; i < 64; ++i) EXPECT_TRUE(hasEdge(t, ring[i], ring[(i + 1) % 64], 1)) << i;
    // This segment crosses the circle's segments: it cannot go in, and says so.
    EXPECT_FALSE(t.constrain(a, b, 2));
    expectValid(t);
    Triangulation u(0, 0, 1, 1);
    int ua = u.add(0.1, 0.1), um = u.add(0.5, 0.5), ub = u.add(0.9, 0.9);
    for (int i = 0; i < 400; ++i) u.add(coordinate(random), coordinate(random));
    EXPECT_TRUE(u.constrain(ua, ub, 3));
    EXPECT_TRUE(hasEdge(u, ua, um, 3) && hasEdge(u, um, ub, 3)) << "split at the vertex on the way";
    expectValid(u);
}

}  // namespace
