// Checks on display output seen as a polygon mesh: points shared by position, how often
// each edge is used and in which directions, surface area and the volume a closed mesh
// encloses. The host driver reports them; tests hold meshes to them.
#pragma once

#include <cstddef>
#include <map>
#include <tuple>
#include <vector>

struct MeshStats {
    long polygons = 0;
    long points = 0;          // distinct positions
    long edgesOnce = 0;       // edges of one polygon only (a hole or an open rim)
    long edgesTwice = 0;
    long edgesMore = 0;
    long edgesSameWay = 0;    // edges of two polygons that run the same way (misoriented)
    long zeroArea = 0;        // polygons without area
    double area = 0.0;
    double volume = 0.0;      // by the divergence theorem; meaningful when closed()
    bool closed() const { return polygons > 0 && edgesOnce == 0 && edgesMore == 0; }
};

class MeshCheck {
public:
    // A polygon of count points (x, y, z each), in order.
    void addPolygon(const double* xyz, int count);
    MeshStats stats() const;
    // Distinct positions in the order first seen, and each polygon's point indices.
    const std::vector<std::tuple<double, double, double>>& positions() const { return positions_; }
    const std::vector<std::vector<int>>& polygons() const { return polygons_; }

private:
    int index(double x, double y, double z);

    std::map<std::tuple<double, double, double>, int> byPosition_;
    std::vector<std::tuple<double, double, double>> positions_;
    std::vector<std::vector<int>> polygons_;
    std::map<std::pair<int, int>, int> directedEdges_;
    long zeroArea_ = 0;
    double area_ = 0.0, volume6_ = 0.0;
};
