// Small bodies written as SAT text record by record, and independent sampling.
#include "BodyFixtures.h"

#include <cmath>
#include <cstdio>

namespace body_fixture {

namespace {

const char* kHeader =
    "700 0 1 0 \n@13 Sample Writer @17 SolidKernel 7.0 @24 Thu Jan 01 00:00:00 2025 \n1 1e-06 1e-10 \n";

std::string num(double v) {
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}
std::string xyz(const SPAvector& v) {
    return num(v.x) + " " + num(v.y) + " " + num(v.z);
}
std::string ref(int index) {
    return "$" + std::to_string(index);
}

// Records numbered as they are added.
struct Text {
    std::vector<std::string> records;
    int add(const std::string& record) {
        records.push_back(record + " #");
        return static_cast<int>(records.size()) - 1;
    }
    void set(int index, const std::string& record) {
        records[static_cast<std::size_t>(index)] = record + " #";
    }
    std::string str() const {
        std::string out = kHeader;
        for (const std::string& r : records) out += r + "\n";
        return out + "End-of-ACIS-data \n";
    }
};

}  // namespace

// Builds body, lump, shell, then faces with their loops; records that point forward are
// written once everything has its number.
static std::string planarBody(
    const std::vector<std::pair<SPAvector, std::vector<SPAposition>>>& faces) {
    Text t;
    int body = t.add(""), lump = t.add(""), shell = t.add("");
    t.set(body, "body $-1 -1 $-1 " + ref(lump) + " $-1 $-1");
    t.set(lump, "lump $-1 -1 $-1 $-1 " + ref(shell) + " " + ref(body));
    std::vector<SPAposition> corners;
    std::vector<int> vertexRec;
    struct EdgeRec {
        int a, b, record, coedge, vertexA, vertexB;
    };
    std::vector<EdgeRec> edges;
    std::vector<int> faceRecs;
    struct CoedgeRec {
        int record, edge, next, prev, loop;
        bool reversed;
    };
    std::vector<CoedgeRec> coedges;
    std::vector<std::pair<int, int>> loops;  // loop record, face record
    std::vector<int> planeRecs;
    auto corner = [&](const SPAposition& p) {
        for (std::size_t i = 0; i < corners.size(); ++i)
            if (distance(corners[i], p) == 0) return static_cast<int>(i);
        corners.push_back(p);
        return static_cast<int>(corners.size()) - 1;
    };
    for (const auto& [normal, ring] : faces) {
        int face = t.add(""), loop = t.add(""), plane = t.add("");
        faceRecs.push_back(face);
        loops.push_back({loop, face});
        planeRecs.push_back(plane);
        SPAvector u = normalise(ring[1] - ring[0]);
        t.set(plane, "plane-surface $-1 -1 $-1 " + xyz(ring[0]) + " " + xyz(normal) + " " + xyz(u) +
                         " forward_v I I I I");
        std::size_t first = coedges.size();
        for (std::size_t i = 0; i < ring.size(); ++i) {
            int a = corner(ring[i]), b = corner(ring[(i + 1) % ring.size()]);
            int e = -1;
            bool reversed = false;
            for (std::size_t k = 0; k < edges.size(); ++k) {
                if (edges[k].a == b && edges[k].b == a) e = static_cast<int>(k), reversed = true;
                if (edges[k].a == a && edges[k].b == b) e = static_cast<int>(k);
            }
            if (e < 0) {
                edges.push_back({a, b, -1, -1, -1, -1});
                e = static_cast<int>(edges.size()) - 1;
            }
            coedges.push_back({t.add(""), e, 0, 0, loop, reversed});
        }
        std::size_t n = coedges.size() - first;
        for (std::size_t i = 0; i < n; ++i) {
            coedges[first + i].next = coedges[first + (i + 1) % n].record;
            coedges[first + i].prev = coedges[first + (i + n - 1) % n].record;
        }
        t.set(loop, "loop $-1 -1 $-1 $-1 " + ref(coedges[first].record) + " " + ref(face));
    }
    for (std::size_t i = 0; i < faceRecs.size(); ++i) {
        int next = i + 1 < faceRecs.size() ? faceRecs[i + 1] : -1;
        t.set(faceRecs[i], "face $-1 -1 $-1 " + ref(next) + " " + ref(loops[i].first) + " " +
                               ref(shell) + " $-1 " + ref(planeRecs[i]) + " forward single");
    }
    t.set(shell, "shell $-1 -1 $-1 $-1 $-1 " + ref(faceRecs[0]) + " $-1 " + ref(lump));
    for (std::size_t i = 0; i < corners.size(); ++i) vertexRec.push_back(t.add(""));
    for (EdgeRec& e : edges) {
        e.record = t.add("");
        int curve = t.add("");
        SPAvector d = corners[e.b] - corners[e.a];
        t.set(curve,
              "straight-curve $-1 -1 $-1 " + xyz(corners[e.a]) + " " + xyz(normalise(d)) + " I I");
        for (const CoedgeRec& c : coedges)
            if (&edges[c.edge] == &e) {
                e.coedge = c.record;
                break;
            }
        t.set(e.record, "edge $-1 -1 $-1 " + ref(vertexRec[e.a]) + " 0 " + ref(vertexRec[e.b]) +
                            " " + num(length(d)) + " " + ref(e.coedge) + " " + ref(curve) +
                            " forward @7 unknown");
    }
    for (std::size_t i = 0; i < corners.size(); ++i) {
        int point = t.add("point $-1 -1 $-1 " + xyz(corners[i]));
        int edge = -1;
        for (const EdgeRec& e : edges)
            if (e.a == static_cast<int>(i) || e.b == static_cast<int>(i)) {
                edge = e.record;
                break;
            }
        t.set(vertexRec[i], "vertex $-1 -1 $-1 " + ref(edge) + " " + ref(point));
    }
    for (const CoedgeRec& c : coedges) {
        int partner = -1;
        for (const CoedgeRec& o : coedges)
            if (o.edge == c.edge && o.record != c.record) partner = o.record;
        t.set(c.record, "coedge $-1 -1 $-1 " + ref(c.next) + " " + ref(c.prev) + " " +
                            ref(partner) + " " + ref(edges[c.edge].record) +
                            (c.reversed ? " reversed " : " forward ") + ref(c.loop) + " $-1");
    }
    return t.str();
}

std::string boxText(const SPAposition& l, const SPAposition& h) {
    auto p = [&](int x, int y, int z) {
        return SPAposition(x ? h.x : l.x, y ? h.y : l.y, z ? h.z : l.z);
    };
    return planarBody({
        {SPAvector(0, 0, -1), {p(0, 0, 0), p(0, 1, 0), p(1, 1, 0), p(1, 0, 0)}},
        {SPAvector(0, 0, 1), {p(0, 0, 1), p(1, 0, 1), p(1, 1, 1), p(0, 1, 1)}},
        {SPAvector(0, -1, 0), {p(0, 0, 0), p(1, 0, 0), p(1, 0, 1), p(0, 0, 1)}},
        {SPAvector(0, 1, 0), {p(0, 1, 0), p(0, 1, 1), p(1, 1, 1), p(1, 1, 0)}},
        {SPAvector(-1, 0, 0), {p(0, 0, 0), p(0, 0, 1), p(0, 1, 1), p(0, 1, 0)}},
        {SPAvector(1, 0, 0), {p(1, 0, 0), p(1, 1, 0), p(1, 1, 1), p(1, 0, 1)}},
    });
}

std::string squareRegionText(double side) {
    return planarBody({{SPAvector(0, 0, 1),
                        {SPAposition(0, 0, 0), SPAposition(side, 0, 0), SPAposition(side, side, 0),
                         SPAposition(0, side, 0)}}});
}

std::string arcWireText(double radius, double start, double end, bool reversed) {
    auto at = [&](double edgeParam) {
        double t = reversed ? -edgeParam : edgeParam;
        return SPAposition(radius * std::cos(t), radius * std::sin(t), 0);
    };
    bool closed = std::fabs(end - start - 2 * 3.14159265358979323846) < 1e-12;
    Text t;
    t.add("body $-1 -1 $-1 $-1 $1 $-1");
    t.add("wire $-1 -1 $-1 $-1 $2 $0 $-1 out");
    t.add("coedge $-1 -1 $-1 $2 $2 $-1 $3 forward $1 $-1");
    t.add("edge $-1 -1 $-1 $4 " + num(start) + (closed ? " $4 " : " $5 ") + num(end) + " $2 $6 " +
          (reversed ? "reversed" : "forward") + " @7 unknown");
    t.add("vertex $-1 -1 $-1 $3 $7");
    t.add("vertex $-1 -1 $-1 $3 $8");
    t.add("ellipse-curve $-1 -1 $-1 0 0 0 0 0 1 " + num(radius) + " 0 0 1 I I");
    t.add("point $-1 -1 $-1 " + xyz(at(start)));
    t.add("point $-1 -1 $-1 " + xyz(at(end)));
    return t.str();
}

std::string splineWireText(const SPAposition (&points)[4]) {
    std::string data = "{ exactcur full nubs 3 open 2 \n 0 3 2 3 \n";
    for (const SPAposition& p : points) data += " " + xyz(p) + " \n";
    data += " 0 \n null_surface \n null_surface \n nullbs \n nullbs \n -1 \n -1 \n I I \n 0 \n 0 \n 0 \n";
    data += " -1 \n none F F 1 F 0 }";
    Text t;
    t.add("body $-1 -1 $-1 $-1 $1 $-1");
    t.add("wire $-1 -1 $-1 $-1 $2 $0 $-1 out");
    t.add("coedge $-1 -1 $-1 $2 $2 $-1 $3 forward $1 $-1");
    t.add("edge $-1 -1 $-1 $4 0 $5 2 $2 $6 forward @7 unknown");
    t.add("vertex $-1 -1 $-1 $3 $7");
    t.add("vertex $-1 -1 $-1 $3 $8");
    t.add("intcurve-curve $-1 -1 $-1 forward " + data + " I I");
    t.add("point $-1 -1 $-1 " + xyz(points[0]));
    t.add("point $-1 -1 $-1 " + xyz(points[3]));
    return t.str();
}

std::string sphereText(const SPAposition& centre, double radius) {
    Text t;
    t.add("body $-1 -1 $-1 $1 $-1 $-1");
    t.add("lump $-1 -1 $-1 $-1 $2 $0");
    t.add("shell $-1 -1 $-1 $-1 $-1 $3 $-1 $1");
    t.add("face $-1 -1 $-1 $-1 $-1 $2 $-1 $4 forward single");
    t.add("sphere-surface $-1 -1 $-1 " + xyz(centre) + " " + num(radius) +
          " 1 0 0 0 0 1 forward_v I I I I");
    return t.str();
}

std::string hemisphereText(const SPAposition& centre, double radius, bool north) {
    // Seen from outside, the face lies left of its loop: anticlockwise about +z for the
    // upper half, so the coedge runs with the circle there and against it below.
    Text t;
    t.add("body $-1 -1 $-1 $1 $-1 $-1");
    t.add("lump $-1 -1 $-1 $-1 $2 $0");
    t.add("shell $-1 -1 $-1 $-1 $-1 $3 $-1 $1");
    t.add("face $-1 -1 $-1 $-1 $5 $2 $-1 $4 forward single");
    t.add("sphere-surface $-1 -1 $-1 " + xyz(centre) + " " + num(radius) +
          " 1 0 0 0 0 1 forward_v I I I I");
    t.add("loop $-1 -1 $-1 $-1 $6 $3");
    t.add(std::string("coedge $-1 -1 $-1 $6 $6 $-1 $7 ") + (north ? "forward" : "reversed") +
          " $5 $-1");
    t.add("edge $-1 -1 $-1 $8 0 $8 6.2831853071795862 $6 $9 forward @7 unknown");
    t.add("vertex $-1 -1 $-1 $7 $10");
    t.add("ellipse-curve $-1 -1 $-1 " + xyz(centre) + " 0 0 1 " + num(radius) + " 0 0 1 I I");
    t.add("point $-1 -1 $-1 " + xyz(centre + SPAvector(radius, 0, 0)));
    return t.str();
}

SPAposition curvePoint(const CURVE& curve, double t) {
    if (auto* line = dynamic_cast<const STRAIGHT*>(&curve)) return line->root + t * line->direction;
    if (auto* e = dynamic_cast<const ELLIPSE*>(&curve)) {
        SPAvector minor = e->ratio * cross(normalise(e->normal), e->major);
        return e->centre + std::cos(t) * e->major + std::sin(t) * minor;
    }
    SPAposition p;
    curve.eval(t, p);  // procedural curves: their spline approximation
    return p;
}

std::vector<SPAposition> edgeSamples(ENTITY* entity, int n) {
    std::vector<SPAposition> out;
    ENTITY_LIST edges;
    api_get_edges(entity, edges);
    for (int i = 0; i < edges.count(); ++i) {
        auto* edge = static_cast<EDGE*>(edges[i]);
        if (!edge->geometry()) continue;
        for (int k = 0; k <= n; ++k) {
            double t = edge->start_param() + (edge->end_param() - edge->start_param()) * k / n;
            out.push_back(curvePoint(*edge->geometry(), edge->reversed() ? -t : t));
        }
    }
    return out;
}

}  // namespace body_fixture
