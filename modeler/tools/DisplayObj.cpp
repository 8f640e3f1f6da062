// OBJ text and the JSON summary of display records.
#include "DisplayObj.h"

#include <cstdio>

int DisplayObj::point(double x, double y, double z) {
    auto key = std::make_tuple(x, y, z);
    auto found = index_.find(key);
    if (found != index_.end()) return found->second;
    int i = static_cast<int>(points_.size());
    points_.push_back(key);
    index_.emplace(key, i);
    return i;
}

void DisplayObj::add(int kind, int colour, const double* xyz, int count, bool facets) {
    ++records_;
    recordPoints_ += count;
    (kind == 3 ? closed_ : open_)++;
    facets_ = facets_ || facets;
    Element e{facets && kind == 3, {}};
    for (int i = 0; i < count; ++i) e.points.push_back(point(xyz[3 * i], xyz[3 * i + 1], xyz[3 * i + 2]));
    if (kind == 3 && !e.facet && !e.points.empty()) e.points.push_back(e.points.front());  // a closed polyline
    if (e.facet) mesh_.addPolygon(xyz, count);
    groups_[colour].push_back(std::move(e));
}

std::string DisplayObj::obj() const {
    std::string out = "# display records of one body\n";
    char line[128];
    for (const auto& p : points_) {
        std::snprintf(line, sizeof line, "v %.17g %.17g %.17g\n", std::get<0>(p), std::get<1>(p), std::get<2>(p));
        out += line;
    }
    for (const auto& [colour, elements] : groups_) {
        out += "g colour_" + std::to_string(colour) + "\n";
        for (const Element& e : elements) {
            out += e.facet ? "f" : "l";
            for (int i : e.points) out += " " + std::to_string(i + 1);
            out += "\n";
        }
    }
    return out;
}

std::string DisplayObj::json() const {
    std::string out = "{\"records\": " + std::to_string(records_) + ", \"points\": " + std::to_string(recordPoints_) +
                      ", \"open\": " + std::to_string(open_) + ", \"closed\": " + std::to_string(closed_) +
                      ", \"colours\": {";
    bool first = true;
    for (const auto& [colour, elements] : groups_) {
        out += (first ? "\"" : ", \"") + std::to_string(colour) + "\": " + std::to_string(elements.size());
        first = false;
    }
    out += "}";
    if (facets_) {
        MeshStats s = mesh_.stats();
        char text[512];
        std::snprintf(text, sizeof text,
                      ", \"mesh\": {\"polygons\": %ld, \"points\": %ld, \"edges_once\": %ld, \"edges_twice\": %ld, "
                      "\"edges_more\": %ld, \"edges_same_way\": %ld, \"zero_area\": %ld, \"area\": %.10g, \"volume\": ",
                      s.polygons, s.points, s.edgesOnce, s.edgesTwice, s.edgesMore, s.edgesSameWay, s.zeroArea, s.area);
        out += text;
        if (s.closed()) {
            std::snprintf(text, sizeof text, "%.10g}", s.volume);
            out += text;
        } else {
            out += "null}";
        }
    }
    return out + "}";
}
