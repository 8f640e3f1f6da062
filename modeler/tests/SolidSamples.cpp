// SAT 4.0 text of simple solids, record by record.
#include "SolidSamples.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace solid_samples {
namespace {

constexpr double kPi = 3.14159265358979323846;

// Records numbered as they are added; "$n" pointers refer to those numbers.
class Records {
public:
    int reserve() {
        lines_.emplace_back();
        return static_cast<int>(lines_.size()) - 1;
    }
    void set(int index, const std::string& text) { lines_[index] = text; }
    int add(const std::string& text) {
        lines_.push_back(text);
        return static_cast<int>(lines_.size()) - 1;
    }
    std::string text() const {
        std::string out = "400 0 1 0 \n11 Kivra tests 15 SolidKernel 4.0 24 Thu Jan 01 00:00:00 2009 \n1 9.9999999999999995e-07 1e-10 \n";
        for (const std::string& line : lines_) out += line + "\n";
        return out + "End-of-ACIS-data\n";
    }

private:
    std::vector<std::string> lines_;
};

std::string p(int index) { return "$" + std::to_string(index); }
std::string num(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}
std::string xyz(double x, double y, double z) { return num(x) + " " + num(y) + " " + num(z); }

// The frame every solid shares: body, lump, shell (the body is the first record).
struct Frame {
    int body, lump, shell;
};
Frame frame(Records& r) {
    Frame f{r.reserve(), r.reserve(), r.reserve()};
    r.set(f.body, "body $-1 " + p(f.lump) + " $-1 $-1 #");
    r.set(f.lump, "lump $-1 $-1 " + p(f.shell) + " " + p(f.body) + " #");
    return f;
}
void setTransform(Records& r, const Frame& f, int transform) {
    r.set(f.body, "body $-1 " + p(f.lump) + " $-1 " + p(transform) + " #");
}
void setShell(Records& r, const Frame& f, int firstFace) {
    r.set(f.shell, "shell $-1 $-1 $-1 " + p(firstFace) + " $-1 " + p(f.lump) + " #");
}

// A circle edge with its one vertex at angle 0, and the coedges of two faces along it.
struct Circle {
    int edge, vertex, point, curve;
};
Circle circle(Records& r, double cx, double cy, double cz, double radius) {
    Circle c{r.reserve(), r.reserve(), r.reserve(), r.reserve()};
    r.set(c.point, "point $-1 " + xyz(cx + radius, cy, cz) + " #");
    r.set(c.vertex, "vertex $-1 " + p(c.edge) + " " + p(c.point) + " #");
    r.set(c.curve, "ellipse-curve $-1 " + xyz(cx, cy, cz) + " 0 0 1 " + xyz(radius, 0, 0) + " 1 I I #");
    return c;
}
void setCircleEdge(Records& r, const Circle& c, int coedge) {
    r.set(c.edge, "edge $-1 " + p(c.vertex) + " " + p(c.vertex) + " " + p(coedge) + " " + p(c.curve) + " forward #");
}
// One coedge making a loop on its own (next and previous are itself).
void soloCoedge(Records& r, int coedge, int partner, int edge, bool reversed, int loop) {
    r.set(coedge, "coedge $-1 " + p(coedge) + " " + p(coedge) + " " + p(partner) + " " + p(edge) + (reversed ? " reversed " : " forward ") + p(loop) + " $-1 #");
}
std::string face(int next, int loop, int shell, int surface, bool reversed = false, int attrib = -1) {
    return "face " + p(attrib) + " " + p(next) + " " + p(loop) + " " + p(shell) + " $-1 " + p(surface) + (reversed ? " reversed" : " forward") + " single #";
}
std::string loopRecord(int next, int coedge, int face) { return "loop $-1 " + p(next) + " " + p(coedge) + " " + p(face) + " #"; }

// The side face of a cone or cylinder between two circles (radius r0 at z0, r1 at z1), and
// the coedges of the faces above and below it; a hole's side face is reversed.
struct Tube {
    int side, sideLoop, surface;
};
Tube tube(Records& r, int shell, double cx, double cy, double z0, double z1, double r0, double r1, bool hole,
          int nextFace, int topFace, int topLoopNext, int bottomFace, int bottomLoopNext, int& topLoop, int& bottomLoop) {
    Tube t{r.reserve(), r.reserve(), -1};
    int sideLoopBottom = r.reserve();
    int cSideTop = r.reserve(), cSideBottom = r.reserve(), cTop = r.reserve(), cBottom = r.reserve();
    double slant = std::sqrt((z1 - z0) * (z1 - z0) + (r1 - r0) * (r1 - r0));
    t.surface = r.add("cone-surface $-1 " + xyz(cx, cy, z0) + " 0 0 1 " + xyz(r0, 0, 0) + " 1 I I " +
                      num((r1 - r0) / slant) + " " + num((z1 - z0) / slant) + " " + num(r0) + " forward I I I I #");
    Circle top = circle(r, cx, cy, z1, r1), bottom = circle(r, cx, cy, z0, r0);
    setCircleEdge(r, top, cTop);
    setCircleEdge(r, bottom, cBottom);
    topLoop = r.reserve();
    bottomLoop = r.reserve();
    r.set(t.side, face(nextFace, t.sideLoop, shell, t.surface, hole));
    r.set(t.sideLoop, loopRecord(sideLoopBottom, cSideTop, t.side));
    r.set(sideLoopBottom, loopRecord(-1, cSideBottom, t.side));
    // The side face lies below the top circle and above the bottom one (seen from outside);
    // for a hole the senses turn round.
    soloCoedge(r, cSideTop, cTop, top.edge, !hole, t.sideLoop);
    soloCoedge(r, cSideBottom, cBottom, bottom.edge, hole, sideLoopBottom);
    soloCoedge(r, cTop, cSideTop, top.edge, hole, topLoop);
    soloCoedge(r, cBottom, cSideBottom, bottom.edge, !hole, bottomLoop);
    r.set(topLoop, loopRecord(topLoopNext, cTop, topFace));
    r.set(bottomLoop, loopRecord(bottomLoopNext, cBottom, bottomFace));
    return t;
}

}  // namespace

Solid box(double x, double y, double z) {
    return boxWithHole(x, y, z, 0.0);
}

Solid boxWithHole(double x, double y, double z, double radius) {
    Records r;
    Frame f = frame(r);
    const double corner[8][3] = {{0, 0, 0}, {x, 0, 0}, {x, y, 0}, {0, y, 0}, {0, 0, z}, {x, 0, z}, {x, y, z}, {0, y, z}};
    // Faces, counter-clockwise from outside, with their outward normals and a direction.
    const int faces[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {1, 2, 6, 5}, {2, 3, 7, 6}, {3, 0, 4, 7}};
    const double normals[6][3] = {{0, 0, -1}, {0, 0, 1}, {0, -1, 0}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}};
    const double uDirs[6][3] = {{1, 0, 0}, {1, 0, 0}, {1, 0, 0}, {0, 1, 0}, {-1, 0, 0}, {0, -1, 0}};
    std::vector<int> points(8), vertices(8);
    for (int i = 0; i < 8; ++i) {
        vertices[i] = r.reserve();
        points[i] = r.add("point $-1 " + xyz(corner[i][0], corner[i][1], corner[i][2]) + " #");
    }
    int faceIds[6], loopIds[6];
    for (int i = 0; i < 6; ++i) {
        faceIds[i] = r.reserve();
        loopIds[i] = r.reserve();
    }
    int coedge[6][4];
    for (auto& row : coedge)
        for (int& c : row) c = r.reserve();
    std::vector<std::vector<int>> edge(8, std::vector<int>(8, -1));
    std::vector<std::vector<int>> along(8, std::vector<int>(8, -1));  // coedge running a->b
    for (int i = 0; i < 6; ++i)
        for (int k = 0; k < 4; ++k) along[faces[i][k]][faces[i][(k + 1) % 4]] = coedge[i][k];
    for (int a = 0; a < 8; ++a)
        for (int b = a + 1; b < 8; ++b) {
            if (along[a][b] < 0) continue;
            int e = r.reserve();
            edge[a][b] = edge[b][a] = e;
            double d[3] = {corner[b][0] - corner[a][0], corner[b][1] - corner[a][1], corner[b][2] - corner[a][2]};
            double len = std::sqrt(d[0] * d[0] + d[1] * d[1] + d[2] * d[2]);
            int curve = r.add("straight-curve $-1 " + xyz(corner[a][0], corner[a][1], corner[a][2]) + " " +
                              xyz(d[0] / len, d[1] / len, d[2] / len) + " I I #");
            r.set(e, "edge $-1 " + p(vertices[a]) + " " + p(vertices[b]) + " " + p(along[a][b]) + " " + p(curve) + " forward #");
            r.set(vertices[a], "vertex $-1 " + p(e) + " " + p(points[a]) + " #");
            r.set(vertices[b], "vertex $-1 " + p(e) + " " + p(points[b]) + " #");
        }
    for (int i = 0; i < 6; ++i)
        for (int k = 0; k < 4; ++k) {
            int a = faces[i][k], b = faces[i][(k + 1) % 4];
            r.set(coedge[i][k], "coedge $-1 " + p(coedge[i][(k + 1) % 4]) + " " + p(coedge[i][(k + 3) % 4]) + " " +
                                    p(along[b][a]) + " " + p(edge[a][b]) + (a < b ? " forward " : " reversed ") +
                                    p(loopIds[i]) + " $-1 #");
        }
    int holeTopLoop = -1, holeBottomLoop = -1;
    int firstFace = faceIds[0];
    if (radius > 0) {
        // The hole's side face goes first; its circles are second loops of the top and bottom.
        Tube t = tube(r, f.shell, x / 2, y / 2, 0, z, radius, radius, true, faceIds[0], faceIds[1], -1, faceIds[0], -1,
                      holeTopLoop, holeBottomLoop);
        firstFace = t.side;
    }
    for (int i = 0; i < 6; ++i) {
        int surface = r.add("plane-surface $-1 " + xyz(corner[faces[i][0]][0], corner[faces[i][0]][1], corner[faces[i][0]][2]) +
                            " " + xyz(normals[i][0], normals[i][1], normals[i][2]) + " " +
                            xyz(uDirs[i][0], uDirs[i][1], uDirs[i][2]) + " forward_v I I I I #");
        r.set(faceIds[i], face(i < 5 ? faceIds[i + 1] : -1, loopIds[i], f.shell, surface));
        int next = i == 0 ? holeBottomLoop : i == 1 ? holeTopLoop : -1;
        r.set(loopIds[i], loopRecord(next, coedge[i][0], faceIds[i]));
    }
    setShell(r, f, firstFace);
    double hole = kPi * radius * radius;
    return {r.text(), 2 * (x * y + y * z + x * z) - 2 * hole + 2 * kPi * radius * z, x * y * z - hole * z};
}

namespace {
// A cone frustum (or cylinder) standing on z = 0, with its caps.
Solid frustum(Records& r, const Frame& f, double r0, double r1, double height, int colour, bool kernelColour = false) {
    int top = r.reserve(), bottom = r.reserve();
    int topLoop, bottomLoop;
    Tube t = tube(r, f.shell, 0, 0, 0, height, r0, r1, false, top, top, -1, bottom, -1, topLoop, bottomLoop);
    if (colour >= 0) {
        int attrib = r.add(std::string(kernelColour ? "colour-st-attrib" : "color-adesk-attrib") + " $-1 $-1 $-1 " +
                           p(t.side) + " " + std::to_string(colour) + " #");
        r.set(t.side, face(top, t.sideLoop, f.shell, t.surface, false, attrib));
    }
    int topSurface = r.add("plane-surface $-1 " + xyz(0, 0, height) + " 0 0 1 1 0 0 forward_v I I I I #");
    int bottomSurface = r.add("plane-surface $-1 0 0 0 0 0 -1 1 0 0 forward_v I I I I #");
    r.set(top, face(bottom, topLoop, f.shell, topSurface));
    r.set(bottom, face(-1, bottomLoop, f.shell, bottomSurface));
    setShell(r, f, t.side);
    double slant = std::sqrt(height * height + (r1 - r0) * (r1 - r0));
    return {r.text(), kPi * (r0 + r1) * slant + kPi * (r0 * r0 + r1 * r1),
            kPi * height * (r0 * r0 + r0 * r1 + r1 * r1) / 3};
}

// One face without loops: the whole closed surface.
Solid closedSurface(const std::string& surface, double area, double volume) {
    Records r;
    Frame f = frame(r);
    int faceId = r.reserve();
    int surfaceId = r.add(surface);
    r.set(faceId, face(-1, -1, f.shell, surfaceId));
    setShell(r, f, faceId);
    return {r.text(), area, volume};
}
}  // namespace

Solid cylinder(double radius, double height) {
    Records r;
    Frame f = frame(r);
    return frustum(r, f, radius, radius, height, -1);
}

Solid coneFrustum(double bottomRadius, double topRadius, double height) {
    Records r;
    Frame f = frame(r);
    return frustum(r, f, bottomRadius, topRadius, height, -1);
}

std::string colouredCylinder(double radius, double height, int colour, bool kernelColour) {
    Records r;
    Frame f = frame(r);
    return frustum(r, f, radius, radius, height, colour, kernelColour).sat;
}

Solid transformedCylinder(double radius, double height, const double rows[9], const double shift[3], double scale) {
    Records r;
    Frame f = frame(r);
    std::string text = "transform $-1";
    for (int i = 0; i < 9; ++i) text += " " + num(rows[i]);
    text += " " + xyz(shift[0], shift[1], shift[2]) + " " + num(scale) + " rotate no_reflect no_shear #";
    setTransform(r, f, r.add(text));
    Solid s = frustum(r, f, radius, radius, height, -1);
    s.area *= scale * scale;
    s.volume *= scale * scale * scale;
    return s;
}

Solid sphere(double radius) {
    return closedSurface("sphere-surface $-1 0 0 0 " + num(radius) + " 1 0 0 0 0 1 forward_v I I I I #",
                         4 * kPi * radius * radius, 4 * kPi * radius * radius * radius / 3);
}

Solid torus(double major, double minor) {
    return closedSurface("torus-surface $-1 0 0 0 0 0 1 " + num(major) + " " + num(minor) + " 1 0 0 forward_v I I I I #",
                         4 * kPi * kPi * major * minor, 2 * kPi * kPi * major * minor * minor);
}

Solid hemisphere(double radius) {
    Records r;
    Frame f = frame(r);
    int dome = r.reserve(), disk = r.reserve(), domeLoop = r.reserve(), diskLoop = r.reserve();
    int cDome = r.reserve(), cDisk = r.reserve();
    Circle equator = circle(r, 0, 0, 0, radius);
    setCircleEdge(r, equator, cDome);
    soloCoedge(r, cDome, cDisk, equator.edge, false, domeLoop);
    soloCoedge(r, cDisk, cDome, equator.edge, true, diskLoop);
    int sphereSurface = r.add("sphere-surface $-1 0 0 0 " + num(radius) + " 1 0 0 0 0 1 forward_v I I I I #");
    int plane = r.add("plane-surface $-1 0 0 0 0 0 -1 1 0 0 forward_v I I I I #");
    r.set(dome, face(disk, domeLoop, f.shell, sphereSurface));
    r.set(disk, face(-1, diskLoop, f.shell, plane));
    r.set(domeLoop, loopRecord(-1, cDome, dome));
    r.set(diskLoop, loopRecord(-1, cDisk, disk));
    setShell(r, f, dome);
    return {r.text(), 3 * kPi * radius * radius, 2 * kPi * radius * radius * radius / 3};
}

Solid cutSphere(double radius, double angle) {
    Records r;
    Frame f = frame(r);
    int ball = r.reserve(), disk = r.reserve(), ballLoop = r.reserve(), diskLoop = r.reserve();
    int cBall = r.reserve(), cDisk = r.reserve();
    double x = radius * std::cos(angle), rim = radius * std::sin(angle);
    Circle cut{r.reserve(), r.reserve(), r.reserve(), r.reserve()};
    r.set(cut.point, "point $-1 " + xyz(x, rim, 0) + " #");
    r.set(cut.vertex, "vertex $-1 " + p(cut.edge) + " " + p(cut.point) + " #");
    r.set(cut.curve, "ellipse-curve $-1 " + xyz(x, 0, 0) + " 1 0 0 " + xyz(0, rim, 0) + " 1 I I #");
    setCircleEdge(r, cut, cBall);
    // Seen from +x the circle runs counter-clockwise: the disk inside it, the ball outside.
    soloCoedge(r, cBall, cDisk, cut.edge, true, ballLoop);
    soloCoedge(r, cDisk, cBall, cut.edge, false, diskLoop);
    int sphereSurface = r.add("sphere-surface $-1 0 0 0 " + num(radius) + " 1 0 0 0 0 1 forward_v I I I I #");
    int plane = r.add("plane-surface $-1 " + xyz(x, 0, 0) + " 1 0 0 0 1 0 forward_v I I I I #");
    r.set(ball, face(disk, ballLoop, f.shell, sphereSurface));
    r.set(disk, face(-1, diskLoop, f.shell, plane));
    r.set(ballLoop, loopRecord(-1, cBall, ball));
    r.set(diskLoop, loopRecord(-1, cDisk, disk));
    setShell(r, f, ball);
    double h = radius - x;
    return {r.text(), 4 * kPi * radius * radius - 2 * kPi * radius * h + kPi * rim * rim,
            4 * kPi * radius * radius * radius / 3 - kPi * h * h * (3 * radius - h) / 3};
}

}  // namespace solid_samples
