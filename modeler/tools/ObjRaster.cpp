// OBJ reading and the rasteriser.
#include "ObjRaster.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <sstream>

namespace {

struct V3 {
    double x, y, z;
};
V3 sub(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
V3 crossV(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
double dotV(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
V3 unit(V3 a) {
    double l = std::sqrt(dotV(a, a));
    return l > 0 ? V3{a.x / l, a.y / l, a.z / l} : a;
}

// The direction the camera looks in: from above a corner of the body's main axes, leaning
// towards its thinnest one, so that flat bodies are not seen edge on.
V3 viewDirection(const std::vector<double>& xyz) {
    std::size_t n = xyz.size() / 3;
    if (n == 0) return unit({-1.0, 1.35, -0.85});
    double mean[3] = {0, 0, 0};
    for (std::size_t i = 0; i < n; ++i)
        for (int k = 0; k < 3; ++k) mean[k] += xyz[3 * i + k] / n;
    double a[3][3] = {};
    for (std::size_t i = 0; i < n; ++i)
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) a[r][c] += (xyz[3 * i + r] - mean[r]) * (xyz[3 * i + c] - mean[c]);
    // Jacobi rotations: the columns of e become the axes, a's diagonal their spreads.
    double e[3][3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
    for (int sweep = 0; sweep < 30; ++sweep)
        for (int p = 0; p < 2; ++p)
            for (int q = p + 1; q < 3; ++q) {
                if (std::fabs(a[p][q]) < 1e-300) continue;
                double theta = 0.5 * std::atan2(2 * a[p][q], a[q][q] - a[p][p]);
                double c = std::cos(theta), s = std::sin(theta);
                for (int k = 0; k < 3; ++k) {
                    double kp = a[k][p], kq = a[k][q];
                    a[k][p] = c * kp - s * kq;
                    a[k][q] = s * kp + c * kq;
                }
                for (int k = 0; k < 3; ++k) {
                    double pk = a[p][k], qk = a[q][k];
                    a[p][k] = c * pk - s * qk;
                    a[q][k] = s * pk + c * qk;
                }
                for (int k = 0; k < 3; ++k) {
                    double kp = e[k][p], kq = e[k][q];
                    e[k][p] = c * kp - s * kq;
                    e[k][q] = s * kp + c * kq;
                }
            }
    int order[3] = {0, 1, 2};
    std::sort(order, order + 3, [&](int x, int y) { return a[x][x] < a[y][y]; });
    const double weight[3] = {1.0, 0.55, 0.35};  // thinnest axis first
    V3 d{0, 0, 0};
    for (int k = 0; k < 3; ++k) {
        V3 axis{e[0][order[k]], e[1][order[k]], e[2][order[k]]};
        // Each axis turned to point up (or along +y, +x when level).
        double lead = std::fabs(axis.z) > 1e-3 ? axis.z : std::fabs(axis.y) > 1e-3 ? -axis.y : axis.x;
        if (lead < 0) axis = {-axis.x, -axis.y, -axis.z};
        d = {d.x + weight[k] * axis.x, d.y + weight[k] * axis.y, d.z + weight[k] * axis.z};
    }
    d = unit(d);
    return {-d.x, -d.y, -d.z};
}

}  // namespace

void colourOfIndex(int index, std::uint8_t rgb[3]) {
    static const std::uint8_t kBasic[8][3] = {{0, 0, 0},     {230, 40, 40}, {235, 210, 40}, {50, 180, 60},
                                              {40, 190, 200}, {50, 80, 220}, {200, 60, 200}, {30, 30, 30}};
    if (index >= 1 && index <= 7) {
        std::copy(kBasic[index], kBasic[index] + 3, rgb);
    } else if (index == 256 || index <= 0) {
        rgb[0] = 150;
        rgb[1] = 162;
        rgb[2] = 178;
    } else {
        // Other indices: a hue of their own.
        double h = std::fmod(index * 0.618033988749895, 1.0) * 6;
        int sector = static_cast<int>(h);
        double f = h - sector;
        double c[6][3] = {{1, f, 0}, {1 - f, 1, 0}, {0, 1, f}, {0, 1 - f, 1}, {f, 0, 1}, {1, 0, 1 - f}};
        for (int k = 0; k < 3; ++k) rgb[k] = static_cast<std::uint8_t>(60 + 160 * c[sector % 6][k]);
    }
}

bool parseObj(const std::string& text, ObjScene& scene) {
    std::istringstream in(text);
    std::string line;
    int colour = 256;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string kind;
        words >> kind;
        if (kind == "v") {
            double x = 0, y = 0, z = 0;
            words >> x >> y >> z;
            scene.xyz.insert(scene.xyz.end(), {x, y, z});
        } else if (kind == "g") {
            std::string name;
            words >> name;
            colour = name.rfind("colour_", 0) == 0 ? std::atoi(name.c_str() + 7) : 256;
        } else if (kind == "f" || kind == "l") {
            ObjScene::Element e{{}, colour, kind == "f"};
            std::string item;
            int count = static_cast<int>(scene.xyz.size() / 3);
            while (words >> item) {
                int i = std::atoi(item.c_str());
                i = i < 0 ? count + i : i - 1;
                if (i < 0 || i >= count) return false;
                e.points.push_back(i);
            }
            if (e.points.size() >= (e.facet ? 3u : 2u)) scene.elements.push_back(std::move(e));
        }
    }
    return !scene.elements.empty();
}

Picture renderScene(const ObjScene& scene, int width, int height) {
    const int ss = 2;  // supersampling in each direction
    const int W = width * ss, H = height * ss;
    std::vector<float> depth(static_cast<std::size_t>(W) * H, std::numeric_limits<float>::infinity());
    std::vector<float> colour(static_cast<std::size_t>(W) * H * 3);
    for (int i = 0; i < W * H; ++i) {
        colour[3 * i] = 244;
        colour[3 * i + 1] = 244;
        colour[3 * i + 2] = 240;
    }
    std::size_t n = scene.xyz.size() / 3;
    V3 forward = viewDirection(scene.xyz);
    V3 right = crossV(forward, {0, 0, 1});
    if (dotV(right, right) < 1e-6) right = crossV(forward, {0, 1, 0});
    right = unit(right);
    V3 up = crossV(right, forward);
    std::vector<V3> screen(n);
    double minX = 1e300, maxX = -1e300, minY = 1e300, maxY = -1e300;
    for (std::size_t i = 0; i < n; ++i) {
        V3 p{scene.xyz[3 * i], scene.xyz[3 * i + 1], scene.xyz[3 * i + 2]};
        screen[i] = {dotV(p, right), dotV(p, up), dotV(p, forward)};
        minX = std::min(minX, screen[i].x);
        maxX = std::max(maxX, screen[i].x);
        minY = std::min(minY, screen[i].y);
        maxY = std::max(maxY, screen[i].y);
    }
    double span = std::max(maxX - minX, maxY - minY);
    double scale = span > 0 ? 0.86 * std::min(W, H) / span : 1.0;
    double cx = 0.5 * (minX + maxX), cy = 0.5 * (minY + maxY);
    for (V3& s : screen) s = {0.5 * W + (s.x - cx) * scale, 0.5 * H - (s.y - cy) * scale, s.z};
    const V3 light = unit({-0.35, 0.55, -0.75});  // towards the viewer, from the upper left

    for (const ObjScene::Element& e : scene.elements) {
        if (!e.facet) continue;
        std::uint8_t base[3];
        colourOfIndex(e.colour, base);
        for (std::size_t k = 1; k + 1 < e.points.size(); ++k) {
            int ia = e.points[0], ib = e.points[k], ic = e.points[k + 1];
            V3 pa{scene.xyz[3 * ia], scene.xyz[3 * ia + 1], scene.xyz[3 * ia + 2]};
            V3 pb{scene.xyz[3 * ib], scene.xyz[3 * ib + 1], scene.xyz[3 * ib + 2]};
            V3 pc{scene.xyz[3 * ic], scene.xyz[3 * ic + 1], scene.xyz[3 * ic + 2]};
            V3 normal = unit(crossV(sub(pb, pa), sub(pc, pa)));
            double shade = 0.28 + 0.72 * std::fabs(dotV(normal, light));
            V3 a = screen[ia], b = screen[ib], c = screen[ic];
            double area = (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
            if (area == 0) continue;
            int x0 = std::max(0, static_cast<int>(std::floor(std::min({a.x, b.x, c.x}))));
            int x1 = std::min(W - 1, static_cast<int>(std::ceil(std::max({a.x, b.x, c.x}))));
            int y0 = std::max(0, static_cast<int>(std::floor(std::min({a.y, b.y, c.y}))));
            int y1 = std::min(H - 1, static_cast<int>(std::ceil(std::max({a.y, b.y, c.y}))));
            for (int y = y0; y <= y1; ++y)
                for (int x = x0; x <= x1; ++x) {
                    double px = x + 0.5, py = y + 0.5;
                    double wa = ((b.x - px) * (c.y - py) - (b.y - py) * (c.x - px)) / area;
                    double wb = ((c.x - px) * (a.y - py) - (c.y - py) * (a.x - px)) / area;
                    double wc = 1 - wa - wb;
                    if (wa < 0 || wb < 0 || wc < 0) continue;
                    float z = static_cast<float>(wa * a.z + wb * b.z + wc * c.z);
                    std::size_t at = static_cast<std::size_t>(y) * W + x;
                    if (z >= depth[at]) continue;
                    depth[at] = z;
                    for (int k2 = 0; k2 < 3; ++k2) colour[3 * at + k2] = static_cast<float>(base[k2] * shade);
                }
        }
    }
    // Polylines over everything, three samples (a pixel and a half) wide.
    for (const ObjScene::Element& e : scene.elements) {
        if (e.facet) continue;
        std::uint8_t base[3];
        colourOfIndex(e.colour, base);
        if (e.colour == 256) base[0] = base[1] = base[2] = 40;
        for (std::size_t k = 0; k + 1 < e.points.size(); ++k) {
            V3 a = screen[e.points[k]], b = screen[e.points[k + 1]];
            int steps = static_cast<int>(std::max(std::fabs(b.x - a.x), std::fabs(b.y - a.y))) + 1;
            for (int s = 0; s <= steps; ++s) {
                double x = a.x + (b.x - a.x) * s / steps, y = a.y + (b.y - a.y) * s / steps;
                for (int dy = -1; dy <= 1; ++dy)
                    for (int dx = -1; dx <= 1; ++dx) {
                        int px = static_cast<int>(x) + dx, py = static_cast<int>(y) + dy;
                        if (px < 0 || py < 0 || px >= W || py >= H) continue;
                        std::size_t at = static_cast<std::size_t>(py) * W + px;
                        for (int k2 = 0; k2 < 3; ++k2) colour[3 * at + k2] = base[k2];
                    }
            }
        }
    }
    Picture picture;
    picture.width = width;
    picture.height = height;
    picture.rgb.resize(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int k = 0; k < 3; ++k) {
                float sum = 0;
                for (int dy = 0; dy < ss; ++dy)
                    for (int dx = 0; dx < ss; ++dx)
                        sum += colour[3 * ((static_cast<std::size_t>(y) * ss + dy) * W + x * ss + dx) + k];
                picture.rgb[3 * (static_cast<std::size_t>(y) * width + x) + k] = static_cast<std::uint8_t>(sum / (ss * ss) + 0.5f);
            }
    return picture;
}
