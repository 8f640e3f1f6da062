// Mesh checks: shared points, edge uses, area and enclosed volume.
#include "MeshCheck.h"

#include <cmath>

int MeshCheck::index(double x, double y, double z) {
    auto key = std::make_tuple(x, y, z);
    auto found = byPosition_.find(key);
    if (found != byPosition_.end()) return found->second;
    int i = static_cast<int>(positions_.size());
    positions_.push_back(key);
    byPosition_.emplace(key, i);
    return i;
}

void MeshCheck::addPolygon(const double* xyz, int count) {
    std::vector<int> ids;
    for (int k = 0; k < count; ++k) ids.push_back(index(xyz[3 * k], xyz[3 * k + 1], xyz[3 * k + 2]));
    // Area and volume of the fan from the first point.
    double polygonArea = 0.0;
    for (int k = 1; k + 1 < count; ++k) {
        const double* a = xyz;
        const double* b = xyz + 3 * k;
        const double* c = xyz + 3 * (k + 1);
        double u[3] = {b[0] - a[0], b[1] - a[1], b[2] - a[2]};
        double v[3] = {c[0] - a[0], c[1] - a[1], c[2] - a[2]};
        double n[3] = {u[1] * v[2] - u[2] * v[1], u[2] * v[0] - u[0] * v[2], u[0] * v[1] - u[1] * v[0]};
        polygonArea += 0.5 * std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        volume6_ += a[0] * (b[1] * c[2] - b[2] * c[1]) - a[1] * (b[0] * c[2] - b[2] * c[0]) +
                    a[2] * (b[0] * c[1] - b[1] * c[0]);
    }
    area_ += polygonArea;
    if (!(polygonArea > 0)) ++zeroArea_;
    for (int k = 0; k < count; ++k) {
        int a = ids[k], b = ids[(k + 1) % count];
        if (a != b) ++directedEdges_[{a, b}];
    }
    polygons_.push_back(std::move(ids));
}

MeshStats MeshCheck::stats() const {
    MeshStats s;
    s.polygons = static_cast<long>(polygons_.size());
    s.points = static_cast<long>(positions_.size());
    s.zeroArea = zeroArea_;
    s.area = area_;
    s.volume = volume6_ / 6.0;
    for (const auto& [edge, uses] : directedEdges_) {
        if (edge.first > edge.second && directedEdges_.count({edge.second, edge.first})) continue;  // counted below
        auto back = directedEdges_.find({edge.second, edge.first});
        int reverse = back == directedEdges_.end() ? 0 : back->second;
        int total = uses + reverse;
        if (total == 1) ++s.edgesOnce;
        else if (total == 2) ++s.edgesTwice;
        else ++s.edgesMore;
        if (total == 2 && reverse != 1) ++s.edgesSameWay;
    }
    return s;
}
