// A whole table file's lines to CPlotStyleTable and back: the top-level keys, the colour
// mapping, the styles and the lineweight list, in the order CAD programs write them. Keys
// not known here are kept as text and written back where they stood.
#include "TableCodec.h"

#include <algorithm>
#include <cmath>

namespace vexo {

const double kDefaultLineweights[CPlotStyleTable::kLineweightCount] = {
    0.0,  0.05, 0.09, 0.1, 0.13, 0.15, 0.18, 0.2,  0.25, 0.3, 0.35, 0.4, 0.45, 0.5,
    0.53, 0.6,  0.65, 0.7, 0.8,  0.9,  1.0,  1.06, 1.2,  1.4, 1.58, 2.0, 2.11};

namespace {

std::string at(const LineScan& scan, std::size_t i) {
    return "line " + std::to_string(scan.lineNumber(i)) + ": ";
}

// The direct children of the block opened at line `open`, as (index key, line) pairs in
// ascending key order (a repeated key: the last one counts); false when a key is not an
// index below `limit` or the child is not of the wanted kind.
bool byIndex(const LineScan& scan, std::size_t open, long long limit, bool wantBlocks,
             std::vector<std::pair<long long, std::size_t>>& out, std::string& error) {
    out.clear();
    const std::size_t close = scan.last(open);
    bool sorted = true;
    for (std::size_t i = open + 1; i < close; i = scan.last(i) + 1) {
        long long index;
        if (!parseInt(scan.key(i), index) || index < 0 || index >= limit ||
            scan.isOpen(i) != wantBlocks) {
            error = at(scan, i) + "unexpected entry '" + std::string(scan.key(i)) + "' in " +
                    std::string(scan.key(open));
            return false;
        }
        if (!out.empty() && index <= out.back().first) sorted = false;
        out.emplace_back(index, i);
    }
    if (!sorted) {
        std::stable_sort(out.begin(), out.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        // Of equal keys keep the last read.
        std::vector<std::pair<long long, std::size_t>> unique;
        for (const auto& entry : out) {
            if (!unique.empty() && unique.back().first == entry.first)
                unique.back() = entry;
            else
                unique.push_back(entry);
        }
        out.swap(unique);
    }
    return true;
}

void indent(std::string& out, int depth) {
    out.append(static_cast<std::size_t>(depth), ' ');
}

void openBlock(std::string& out, int depth, std::string_view key) {
    indent(out, depth);
    out += key;
    out += "{\n";
}

void closeBlock(std::string& out, int depth) {
    indent(out, depth);
    out += "}\n";
}

void keyIs(std::string& out, int depth, std::string_view key) {
    indent(out, depth);
    out += key;
    out += '=';
}

}  // namespace

// ---------------------------------------------------------------- unknown keys

VxUnknownKey keepUnknown(const LineScan& scan, std::size_t first, std::size_t last,
                         std::string_view after) {
    VxUnknownKey k;
    k.after.assign(after.data(), after.size());
    writeLines(k.text, scan, first, last, 0);
    return k;
}

UnknownWriter::UnknownWriter(std::string& out, const std::vector<VxUnknownKey>& unknown,
                             int depth)
    : out_(out), unknown_(unknown), depth_(depth) {
    for (std::size_t i = 0; i < unknown.size(); ++i) {
        const std::string_view anchor = unknown[i].after;
        auto group = std::find_if(groups_.begin(), groups_.end(),
                                  [&](const auto& g) { return g.first == anchor; });
        if (group == groups_.end()) {
            groups_.emplace_back(anchor, std::vector<std::size_t>());
            group = groups_.end() - 1;
        }
        group->second.push_back(i);
    }
    done_.assign(groups_.size(), false);
    after("");
}

void UnknownWriter::emit(std::size_t group) {
    done_[group] = true;
    for (std::size_t i : groups_[group].second) {
        const std::string& text = unknown_[i].text;
        const LineScan scan = scanLines(text.data(), text.size());
        if (!scan.ok) continue;
        for (std::size_t l = 0; l < scan.size(); l = scan.last(l) + 1)
            writeLines(out_, scan, l, scan.last(l), depth_);
    }
}

void UnknownWriter::after(std::string_view key) {
    for (std::size_t g = 0; g < groups_.size(); ++g)
        if (!done_[g] && groups_[g].first == key) emit(g);
}

void UnknownWriter::finish() {
    std::vector<std::size_t> rest;
    for (std::size_t g = 0; g < groups_.size(); ++g)
        if (!done_[g]) rest.push_back(g);
    std::sort(rest.begin(), rest.end(),
              [&](std::size_t a, std::size_t b) { return groups_[a].first < groups_[b].first; });
    for (std::size_t g : rest) emit(g);
}

// ---------------------------------------------------------------- the table

std::unique_ptr<CPlotStyleTable> TableCodec::make(bool colorDependent) {
    return std::unique_ptr<CPlotStyleTable>(new CPlotStyleTable(colorDependent));
}

std::vector<std::unique_ptr<CPlotStyle>>& TableCodec::styles(CPlotStyleTable& t) {
    return t.styles_;
}
std::vector<std::string>& TableCodec::aciNames(CPlotStyleTable& t) {
    return t.aciNames_;
}
std::vector<std::string>& TableCodec::notes(CPlotStyleTable& t) {
    return t.notes_;
}

TableKind TableCodec::kindOf(const CPlotStyleTable& t) {
    if (t.colorDependent) return TableKind::Ctb;
    return t.colorMapping ? TableKind::Ttb : TableKind::Stb;
}

std::unique_ptr<CPlotStyleTable> TableCodec::read(TableKind kind, const LineScan& scan,
                                                  std::string& error) {
    auto table = make(kind == TableKind::Ctb);
    CPlotStyleTable& t = *table;
    t.colorMapping = kind != TableKind::Stb;
    std::size_t aci = 0, styles = 0, weights = 0;  // the open line of each block (the last, if several)
    bool haveAci = false, haveStyles = false, haveWeights = false;
    bool aciAvailable = kind != TableKind::Stb;
    std::string_view after;
    for (std::size_t i = 0; i < scan.size(); i = scan.last(i) + 1) {
        const std::string_view k = scan.key(i);
        bool known = true;
        if (scan.isOpen(i)) {
            if (k == "aci_table") {
                aci = i, haveAci = true;
            } else if (k == "plot_style") {
                styles = i, haveStyles = true;
            } else if (k == "custom_lineweight_table") {
                weights = i, haveWeights = true;
            } else {
                known = false;
            }
        } else if (k == "description") {
            t.description = stringValue(scan.value(i));
        } else if (k == "aci_table_available") {
            if (!parseBool(scan.value(i), aciAvailable)) {
                error = at(scan, i) + "bad aci_table_available";
                return nullptr;
            }
        } else if (k == "scale_factor") {
            if (!parseReal(scan.value(i), t.scaleFactor)) {
                error = at(scan, i) + "bad scale_factor '" + std::string(scan.value(i)) + "'";
                return nullptr;
            }
        } else if (k == "apply_factor") {
            if (!parseBool(scan.value(i), t.applyFactor)) {
                error = at(scan, i) + "bad apply_factor";
                return nullptr;
            }
        } else if (k == "custom_lineweight_display_units") {
            long long v;
            if (!parseInt(scan.value(i), v) || v < -2147483648LL || v > 2147483647LL) {
                error = at(scan, i) + "bad custom_lineweight_display_units";
                return nullptr;
            }
            t.lineweightUnits = static_cast<int>(v);
        } else {
            known = false;
        }
        if (known) {
            after = k;
        } else {
            t.unknown_.push_back(keepUnknown(scan, i, scan.last(i), after));
        }
    }

    if (!haveStyles) {
        error = "the table has no plot_style block";
        return nullptr;
    }
    std::vector<std::pair<long long, std::size_t>> found;
    const long long limit =
        t.colorDependent ? static_cast<long long>(CPlotStyleTable::kColorStyleCount) : 1LL << 30;
    if (!byIndex(scan, styles, limit, true, found, error)) return nullptr;
    if (t.colorDependent) {
        std::size_t next = 0;
        t.styles_.resize(CPlotStyleTable::kColorStyleCount);
        for (int i = 0; i < CPlotStyleTable::kColorStyleCount; ++i) {
            auto& s = t.styles_[static_cast<std::size_t>(i)];
            s.reset(new CPlotStyle());
            if (next == found.size() || found[next].first != i) {
                StyleCodec::initColorStyle(*s, i);
                continue;
            }
            if (!StyleCodec::read(scan, found[next++].second, *s, error)) return nullptr;
        }
        if (found.size() != CPlotStyleTable::kColorStyleCount)
            t.notes_.push_back("styles missing from the colour table were given default values");
    } else {
        if (found.empty()) {
            error = "a named table without styles";
            return nullptr;
        }
        t.styles_.reserve(found.size());
        for (const auto& entry : found) {
            std::unique_ptr<CPlotStyle> s(new CPlotStyle());
            if (!StyleCodec::read(scan, entry.second, *s, error)) return nullptr;
            t.styles_.push_back(std::move(s));
        }
        if (t.styles_.front()->name != "Normal")
            t.notes_.push_back("the first style is not named Normal");
    }

    if (haveAci && (t.colorDependent || aciAvailable)) {
        std::vector<std::pair<long long, std::size_t>> names;
        if (!byIndex(scan, aci, CPlotStyleTable::kColorStyleCount, false, names, error))
            return nullptr;
        t.aciNames_.assign(CPlotStyleTable::kColorStyleCount, std::string());
        std::size_t next = 0;
        for (int i = 0; i < CPlotStyleTable::kColorStyleCount; ++i) {
            std::string& name = t.aciNames_[static_cast<std::size_t>(i)];
            if (next < names.size() && names[next].first == i) {
                name = stringValue(scan.value(names[next++].second));
            } else if (t.colorDependent) {
                name = "Color_" + std::to_string(i + 1);
            } else {
                name = StyleCodec::nameKey(*t.styles_.front());
            }
        }
        if (!t.colorDependent) t.colorMapping = true;
    } else if (haveAci) {
        t.notes_.push_back("aci_table ignored: the table says it has none");
    } else if (!t.colorDependent && t.colorMapping) {
        t.notes_.push_back(
            "a colour mapping without aci_table: every colour maps to the first style");
    }

    if (haveWeights) {
        std::vector<std::pair<long long, std::size_t>> values;
        if (!byIndex(scan, weights, CPlotStyleTable::kLineweightCount, false, values, error))
            return nullptr;
        for (const auto& [i, line] : values) {
            double v;
            if (!parseReal(scan.value(line), v) || v < 0) {
                error = at(scan, line) + "bad lineweight '" + std::string(scan.value(line)) + "'";
                return nullptr;
            }
            t.lineweights[i] = v;
        }
    }
    return table;
}

std::string TableCodec::writeText(const CPlotStyleTable& t) {
    const bool mapped = t.colorDependent || t.colorMapping;
    std::string out;
    out.reserve(400 + t.styles_.size() * 400 + (mapped ? 255 * 24 : 0));
    UnknownWriter unknown(out, t.unknown_, 0);

    keyIs(out, 0, "description");
    appendQuoted(out, t.description);
    out += '\n';
    unknown.after("description");
    keyIs(out, 0, "aci_table_available");
    out += mapped ? "TRUE\n" : "FALSE\n";
    unknown.after("aci_table_available");
    // Values a caller may have set out of range are written so that the file reads back.
    keyIs(out, 0, "scale_factor");
    appendReal(out, std::isfinite(t.scaleFactor) ? t.scaleFactor : 1.0);
    out += '\n';
    unknown.after("scale_factor");
    keyIs(out, 0, "apply_factor");
    out += t.applyFactor ? "TRUE\n" : "FALSE\n";
    unknown.after("apply_factor");
    keyIs(out, 0, "custom_lineweight_display_units");
    appendInt(out, t.lineweightUnits);
    out += '\n';
    unknown.after("custom_lineweight_display_units");

    if (mapped) {
        openBlock(out, 0, "aci_table");
        for (int i = 0; i < CPlotStyleTable::kColorStyleCount; ++i) {
            indent(out, 1);
            appendInt(out, i);
            out += '=';
            if (static_cast<std::size_t>(i) < t.aciNames_.size()) {
                appendQuoted(out, t.aciNames_[static_cast<std::size_t>(i)]);
            } else if (t.colorDependent) {
                appendQuoted(out, "Color_" + std::to_string(i + 1));
            } else {
                appendQuoted(out, t.styles_.empty() ? std::string()
                                                    : StyleCodec::nameKey(*t.styles_.front()));
            }
            out += '\n';
        }
        closeBlock(out, 0);
        unknown.after("aci_table");
    }
    openBlock(out, 0, "plot_style");
    for (std::size_t i = 0; i < t.styles_.size(); ++i)
        StyleCodec::write(out, *t.styles_[i], static_cast<int>(i));
    closeBlock(out, 0);
    unknown.after("plot_style");
    openBlock(out, 0, "custom_lineweight_table");
    for (int i = 0; i < CPlotStyleTable::kLineweightCount; ++i) {
        const double w = t.lineweights[i];
        indent(out, 1);
        appendInt(out, i);
        out += '=';
        appendReal(out, std::isfinite(w) && w >= 0 ? w : 0.0);
        out += '\n';
    }
    closeBlock(out, 0);
    unknown.after("custom_lineweight_table");
    unknown.finish();
    return out;
}

}  // namespace vexo
