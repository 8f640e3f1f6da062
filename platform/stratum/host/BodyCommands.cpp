// The body operation commands of the host driver. Each reads a SAT file into a host
// record, calls one slot of the loaded modeler and prints one JSON line; a failed slot
// prints the modeler's last error number and its text and exits with 1.
#include "BodyCommands.h"

#include "HostCommands.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

namespace {

std::string number(double value) {
    if (!std::isfinite(value)) return "null";
    char text[40];
    std::snprintf(text, sizeof text, "%.17g", value);
    return text;
}

std::string triple(double x, double y, double z) {
    return "[" + number(x) + ", " + number(y) + ", " + number(z) + "]";
}

bool parseNumber(const char* text, double& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text, &end);
    return end != text && *end == '\0' && errno == 0;
}

// Twelve numbers from args: three axes, then the translation.
bool parseMatrix(char** args, ModelerMatrix& m) {
    double values[12];
    for (int i = 0; i < 12; ++i)
        if (!parseNumber(args[i], values[i])) return false;
    for (int i = 0; i < 9; ++i) m.axis[i / 3][i % 3] = values[i];
    for (int i = 0; i < 3; ++i) m.translation[i] = values[9 + i];
    return true;
}

int failed(CModeler& modeler, const char* what) {
    int error = modeler.lastError();
    HostString text;
    modeler.errorText(error, text);
    std::printf("{\"ok\": false, \"operation\": \"%s\", \"lastError\": %d, \"error\": \"%s\"}\n",
                what, error, jsonEscape(std::string(text.c_str())).c_str());
    return 1;
}

int usage(const char* text) {
    std::fprintf(stderr, "usage: %s\n", text);
    return 2;
}

bool readOrReport(const char* path, CDbAcisEntityData& record, CDbAcisEntityData::EType type) {
    std::string error;
    if (readRecord(path, record, error, type)) return true;
    std::printf("{\"ok\": false, \"error\": \"%s\"}\n", jsonEscape(error).c_str());
    return false;
}

const char* kindName(int kind) {
    switch (kind) {
        case kSnapEnd:
            return "end";
        case kSnapMid:
            return "mid";
        case kSnapCentre:
            return "centre";
        case kSnapQuadrant:
            return "quadrant";
        case kSnapPerpendicular:
            return "perpendicular";
        case kSnapTangent:
            return "tangent";
        case kSnapNearest:
            return "nearest";
        default:
            return "unknown";
    }
}

}  // namespace

int commandTransform(CModeler& modeler, int argc, char** args) {
    ModelerMatrix m;
    if (argc != 15 || !parseMatrix(args + 2, m))
        return usage("transform IN.sat M11 M12 M13 M21 .. M33 TX TY TZ OUT.sat");
    CDbAcisEntityData source, destination;
    if (!readOrReport(args[1], source, CDbAcisEntityData::kSolid)) return 1;
    if (!modeler.transform(source, destination, &m)) return failed(modeler, "transform");
    const HostString& sat = destination.getSat();
    std::ofstream out(args[14], std::ios::binary);
    out.write(sat.data(), static_cast<std::streamsize>(sat.size()));
    if (!out.flush()) {
        std::printf("{\"ok\": false, \"error\": \"cannot write %s\"}\n",
                    jsonEscape(args[14]).c_str());
        return 1;
    }
    std::printf("{\"ok\": true, \"type\": %d, \"bytes\": %u}\n",
                static_cast<int>(destination.getType()), static_cast<unsigned>(sat.size()));
    return 0;
}

int commandSnap(CModeler& modeler, int argc, char** args) {
    const char* text = "snap FILE.sat FLAGS PX PY PZ LX LY LZ DX DY DZ";
    double v[9];
    if (argc != 12) return usage(text);
    char* end = nullptr;
    long flags = std::strtol(args[2], &end, 0);
    if (end == args[2] || *end) return usage(text);
    for (int i = 0; i < 9; ++i)
        if (!parseNumber(args[3 + i], v[i])) return usage(text);
    CDbAcisEntityData record;
    if (!readOrReport(args[1], record, CDbAcisEntityData::kSolid)) return 1;
    HostVector<ModelerSnapPoint> points;
    if (!modeler.snapPoints(record, static_cast<int>(flags), v, v + 3, v + 6, points))
        return failed(modeler, "snap");
    std::string json =
        "{\"ok\": true, \"count\": " + std::to_string(points.size()) + ", \"points\": [";
    for (std::size_t i = 0; i < points.size(); ++i) {
        const ModelerSnapPoint& p = points[i];
        json += std::string(i ? ", " : "") + "{\"kind\": \"" + kindName(p.kind) +
                "\", \"code\": " + std::to_string(p.kind) + ", \"at\": " + triple(p.x, p.y, p.z) +
                "}";
    }
    std::printf("%s]}\n", json.c_str());
    return 0;
}

int commandPoints(CModeler& modeler, int argc, char** args) {
    if (argc != 2) return usage("points FILE.sat");
    CDbAcisEntityData record;
    if (!readOrReport(args[1], record, CDbAcisEntityData::kSolid)) return 1;
    HostVector<ModelerPoint> points;
    if (!modeler.characteristicPoints(record, points)) return failed(modeler, "points");
    std::string json =
        "{\"ok\": true, \"count\": " + std::to_string(points.size()) + ", \"points\": [";
    for (std::size_t i = 0; i < points.size(); ++i)
        json += std::string(i ? ", " : "") + triple(points[i].x, points[i].y, points[i].z);
    std::printf("%s]}\n", json.c_str());
    return 0;
}

int commandExtents(CModeler& modeler, int argc, char** args) {
    ModelerMatrix m = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}, {0, 0, 0}};
    if (argc != 2 && !(argc == 14 && parseMatrix(args + 2, m)))
        return usage("extents FILE.sat [M11 .. M33 TX TY TZ]");
    CDbAcisEntityData record;
    if (!readOrReport(args[1], record, CDbAcisEntityData::kSolid)) return 1;
    double low[3], high[3];
    if (!modeler.extents(record, low, high, &m)) return failed(modeler, "extents");
    std::printf("{\"ok\": true, \"low\": %s, \"high\": %s}\n",
                triple(low[0], low[1], low[2]).c_str(), triple(high[0], high[1], high[2]).c_str());
    return 0;
}

int commandPerimeter(CModeler& modeler, int argc, char** args) {
    if (argc != 2) return usage("perimeter FILE.sat");
    CDbAcisEntityData record;
    if (!readOrReport(args[1], record, CDbAcisEntityData::kRegion)) return 1;
    double perimeter = 0;
    if (!modeler.perimeter(record, &perimeter)) return failed(modeler, "perimeter");
    std::printf("{\"ok\": true, \"perimeter\": %s}\n", number(perimeter).c_str());
    return 0;
}
