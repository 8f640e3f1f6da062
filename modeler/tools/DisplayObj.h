// Display records written as Wavefront OBJ (polylines as `l`, facets as `f`, one group per
// colour index) and summed up as one JSON line: what the host driver prints for a body.
#pragma once

#include "MeshCheck.h"

#include <map>
#include <string>
#include <vector>

class DisplayObj {
public:
    // One record as the host receives it; facets says whether closed records are facets
    // (a shaded mesh) or closed polylines (a wireframe).
    void add(int kind, int colour, const double* xyz, int count, bool facets);

    std::string obj() const;
    // {"records": n, "points": n, "open": n, "closed": n, "colours": {"256": n},
    //  "mesh": {...}} (mesh only for facets).
    std::string json() const;
    const MeshCheck& mesh() const { return mesh_; }
    bool facets() const { return facets_; }

private:
    struct Element {
        bool facet;
        std::vector<int> points;
    };
    int point(double x, double y, double z);

    std::map<std::tuple<double, double, double>, int> index_;
    std::vector<std::tuple<double, double, double>> points_;
    std::map<int, std::vector<Element>> groups_;  // by colour
    MeshCheck mesh_;
    long records_ = 0, recordPoints_ = 0, open_ = 0, closed_ = 0;
    bool facets_ = false;
};
