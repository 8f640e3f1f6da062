// The plot style driver: reads and writes tables through the component as the editor does.
//   plotstyle dump FILE          the table as one JSON document
//   plotstyle save FILE OUT      read FILE, write it to OUT
//   plotstyle text FILE          the inflated text, read independently of the component
//   plotstyle bench FILE [N]     mean time of N reads and writes (default 200)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "Console.h"
#include "Json.h"
#include "RawText.h"
#include "vexoutils/PlotStyleTable.h"

namespace {

using tool::jsonNumber;
using tool::jsonString;

int usage() {
    std::fprintf(stderr,
                 "usage: plotstyle dump FILE | save FILE OUT | text FILE | bench FILE [N]\n");
    return 2;
}

bool readFile(const char* path, std::vector<unsigned char>& out) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    unsigned char chunk[65536];
    std::size_t n;
    while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) out.insert(out.end(), chunk, chunk + n);
    std::fclose(f);
    return true;
}

std::unique_ptr<CPlotStyleTable> load(const char* path) {
    std::string reason;
    std::unique_ptr<CPlotStyleTable> table(CPlotStyleTable::read(path, reason));
    if (!table) std::fprintf(stderr, "plotstyle: cannot read %s: %s\n", path, reason.c_str());
    return table;
}

const char* boolWord(bool b) {
    return b ? "true" : "false";
}

std::string colorText(const CPlotStyle& s) {
    const VxColorRef c = s.color2rgb();
    if (c == kVxObjectColor) return "null";
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "\"#%02X%02X%02X\"", unsigned(c & 0xFF),
                  unsigned(c >> 8 & 0xFF), unsigned(c >> 16 & 0xFF));
    return buffer;
}

std::string dumpJson(CPlotStyleTable& t) {
    std::string o = "{\n";
    o += "  \"kind\": \"" + std::string(t.colorDependent ? "ctb" : "stb") + "\",\n";
    o += "  \"description\": " + jsonString(t.description) + ",\n";
    o += "  \"scale_factor\": " + jsonNumber(t.scaleFactor) + ",\n";
    o += "  \"apply_factor\": " + std::string(boolWord(t.applyFactor)) + ",\n";
    o += "  \"lineweight_units\": " + std::to_string(t.lineweightUnits == 1 ? 1 : 0) + ",\n";
    o += "  \"lineweights\": [";
    for (int i = 0; i < CPlotStyleTable::kLineweightCount; ++i)
        o += (i ? ", " : "") + jsonNumber(t.lineweights[i]);
    o += "],\n";
    o += "  \"color_mapping\": " + std::string(boolWord(t.colorMapping)) + ",\n";
    o += "  \"styles\": [";
    for (int i = 0; i < t.size(); ++i) {
        const CPlotStyle& s = *t.style(i);
        o += i ? ",\n    {" : "\n    {";
        o += "\"name\": " + jsonString(s.name);
        o += ", \"description\": " + jsonString(s.description);
        o += ", \"color\": " + colorText(s);
        o += ", \"dither\": " + std::string(boolWord(s.flags & CPlotStyle::kDither));
        o += ", \"grayscale\": " + std::string(boolWord(s.flags & CPlotStyle::kGrayscale));
        o += ", \"pen\": " + std::to_string(s.penNumber);
        o += ", \"virtual_pen\": " + std::to_string(s.virtualPenNumber);
        o += ", \"screening\": " + std::to_string(s.screening);
        o += ", \"linetype\": " + std::to_string(s.linetype);
        o += ", \"adaptive\": " + std::string(boolWord(s.adaptive != 0));
        o += ", \"lineweight\": " + std::to_string(s.lineweight);
        o += ", \"fill_style\": " + std::to_string(s.fillStyle);
        o += ", \"end_style\": " + std::to_string(s.endStyle);
        o += ", \"join_style\": " + std::to_string(s.joinStyle) + "}";
    }
    o += "\n  ]\n}\n";
    return o;
}

int bench(const char* path, int rounds) {
    std::vector<unsigned char> bytes;
    if (!readFile(path, bytes)) {
        std::fprintf(stderr, "plotstyle: cannot open %s\n", path);
        return 1;
    }
    using clock = std::chrono::steady_clock;
    std::string reason;
    std::unique_ptr<CPlotStyleTable> table;
    const auto t0 = clock::now();
    for (int i = 0; i < rounds; ++i) {
        table.reset(CPlotStyleTable::readBytes(bytes.data(),
                                               static_cast<unsigned long>(bytes.size()), reason));
        if (!table) {
            std::fprintf(stderr, "plotstyle: cannot read %s: %s\n", path, reason.c_str());
            return 1;
        }
    }
    const auto t1 = clock::now();
    std::size_t written = 0;
    for (int i = 0; i < rounds; ++i) written += table->toBytes().size();
    const auto t2 = clock::now();
    const double readMs = std::chrono::duration<double, std::milli>(t1 - t0).count() / rounds;
    const double writeMs = std::chrono::duration<double, std::milli>(t2 - t1).count() / rounds;
    std::printf(
        "{\"file\": %s, \"rounds\": %d, \"styles\": %d, \"read_ms\": %.3f, "
        "\"write_ms\": %.3f, \"bytes_written\": %zu}\n",
        jsonString(path).c_str(), rounds, table->size(), readMs, writeMs,
        written / static_cast<std::size_t>(rounds));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    tool::binaryStdout();
    if (argc < 3) return usage();
    const std::string command = argv[1];
    if (command == "dump" && argc == 3) {
        auto table = load(argv[2]);
        if (!table) return 1;
        const std::string json = dumpJson(*table);
        std::fwrite(json.data(), 1, json.size(), stdout);
        return 0;
    }
    if (command == "save" && argc == 4) {
        auto table = load(argv[2]);
        if (!table) return 1;
        if (!table->write(argv[3])) {
            std::fprintf(stderr, "plotstyle: cannot write %s\n", argv[3]);
            return 1;
        }
        return 0;
    }
    if (command == "text" && argc == 3) {
        std::vector<unsigned char> bytes;
        std::string text;
        if (!readFile(argv[2], bytes) || !tool::rawText(bytes, text)) {
            std::fprintf(stderr, "plotstyle: no compressed text in %s\n", argv[2]);
            return 1;
        }
        std::fwrite(text.data(), 1, text.size(), stdout);
        return 0;
    }
    if (command == "bench" && (argc == 3 || argc == 4)) {
        const int rounds = argc == 4 ? std::atoi(argv[3]) : 200;
        return bench(argv[2], rounds > 0 ? rounds : 1);
    }
    return usage();
}
