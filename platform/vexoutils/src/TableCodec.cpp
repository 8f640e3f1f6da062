// A whole table file's entry tree to CPlotStyleTable and back: the top-level keys, the
// colour mapping, the styles and the lineweight list, in the order CAD programs write them.
#include "TableCodec.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace vexo {

const double kDefaultLineweights[CPlotStyleTable::kLineweightCount] = {
    0.0,  0.05, 0.09, 0.1, 0.13, 0.15, 0.18, 0.2,  0.25, 0.3, 0.35, 0.4, 0.45, 0.5,
    0.53, 0.6,  0.65, 0.7, 0.8,  0.9,  1.0,  1.06, 1.2,  1.4, 1.58, 2.0, 2.11};

namespace {

TextEntry scalar(const char* key, std::string value) {
    TextEntry e;
    e.key = key;
    e.value = std::move(value);
    return e;
}

std::string at(const TextEntry& e) {
    return "line " + std::to_string(e.line) + ": ";
}

// The children of an index block (`aci_table`, `plot_style`, `custom_lineweight_table`)
// by their index; false when a key is not an index below `limit`.
bool byIndex(const TextEntry& block, long long limit, bool wantBlocks,
             std::map<long long, const TextEntry*>& out, std::string& error) {
    for (const TextEntry& c : block.children) {
        long long i;
        if (!parseInt(c.key, i) || i < 0 || i >= limit || c.block != wantBlocks) {
            error = at(c) + "unexpected entry '" + c.key + "' in " + block.key;
            return false;
        }
        out[i] = &c;  // a repeated index: the last one counts
    }
    return true;
}

}  // namespace

VxUnknownKey keepUnknown(const TextEntry& entry, const std::string& after) {
    VxUnknownKey k;
    k.after = after;
    writeEntry(k.text, entry, 0);
    return k;
}

void placeUnknown(std::vector<TextEntry>& known, const std::vector<VxUnknownKey>& unknown) {
    if (unknown.empty()) return;
    // Linear in both lists: each unknown key goes after the first known key of its anchor's
    // name, in the order read; those whose anchor is gone go last.
    std::map<std::string, std::vector<const VxUnknownKey*>> byAnchor;
    for (const VxUnknownKey& k : unknown) byAnchor[k.after].push_back(&k);
    std::vector<TextEntry> merged;
    merged.reserve(known.size() + unknown.size());
    auto emit = [&](const std::string& anchor) {
        auto it = byAnchor.find(anchor);
        if (it == byAnchor.end()) return;
        for (const VxUnknownKey* k : it->second) {
            TextParse parsed = parseText(k->text.data(), k->text.size());
            if (!parsed.ok) continue;
            for (TextEntry& e : parsed.entries) merged.push_back(std::move(e));
        }
        byAnchor.erase(it);
    };
    emit("");
    for (TextEntry& e : known) {
        const std::string key = e.key;
        merged.push_back(std::move(e));
        emit(key);
    }
    while (!byAnchor.empty()) emit(byAnchor.begin()->first);
    known = std::move(merged);
}

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

std::unique_ptr<CPlotStyleTable> TableCodec::read(TableKind kind,
                                                  const std::vector<TextEntry>& entries,
                                                  std::string& error) {
    auto table = make(kind == TableKind::Ctb);
    CPlotStyleTable& t = *table;
    t.colorMapping = kind != TableKind::Stb;
    const TextEntry* aci = nullptr;
    const TextEntry* styles = nullptr;
    const TextEntry* weights = nullptr;
    bool aciAvailable = kind != TableKind::Stb;
    std::string after;
    for (const TextEntry& e : entries) {
        const std::string& k = e.key;
        bool known = true;
        if (e.block) {
            if (k == "aci_table") {
                aci = &e;
            } else if (k == "plot_style") {
                styles = &e;
            } else if (k == "custom_lineweight_table") {
                weights = &e;
            } else {
                known = false;
            }
        } else if (k == "description") {
            t.description = stringValue(e.value);
        } else if (k == "aci_table_available") {
            if (!parseBool(e.value, aciAvailable)) {
                error = at(e) + "bad aci_table_available";
                return nullptr;
            }
        } else if (k == "scale_factor") {
            if (!parseReal(e.value, t.scaleFactor)) {
                error = at(e) + "bad scale_factor '" + e.value + "'";
                return nullptr;
            }
        } else if (k == "apply_factor") {
            if (!parseBool(e.value, t.applyFactor)) {
                error = at(e) + "bad apply_factor";
                return nullptr;
            }
        } else if (k == "custom_lineweight_display_units") {
            long long v;
            if (!parseInt(e.value, v) || v < -2147483648LL || v > 2147483647LL) {
                error = at(e) + "bad custom_lineweight_display_units";
                return nullptr;
            }
            t.lineweightUnits = static_cast<int>(v);
        } else {
            known = false;
        }
        if (known) {
            after = k;
        } else {
            t.unknown_.push_back(keepUnknown(e, after));
        }
    }

    if (!styles) {
        error = "the table has no plot_style block";
        return nullptr;
    }
    std::map<long long, const TextEntry*> found;
    const long long limit =
        t.colorDependent ? static_cast<long long>(CPlotStyleTable::kColorStyleCount) : 1LL << 30;
    if (!byIndex(*styles, limit, true, found, error)) return nullptr;
    if (t.colorDependent) {
        t.styles_.resize(CPlotStyleTable::kColorStyleCount);
        for (int i = 0; i < CPlotStyleTable::kColorStyleCount; ++i) {
            auto& s = t.styles_[static_cast<std::size_t>(i)];
            s.reset(new CPlotStyle());
            auto f = found.find(i);
            if (f == found.end()) {
                StyleCodec::initColorStyle(*s, i);
                continue;
            }
            if (!StyleCodec::read(f->second->children, *s, error)) return nullptr;
        }
        if (found.size() != CPlotStyleTable::kColorStyleCount)
            t.notes_.push_back("styles missing from the colour table were given default values");
    } else {
        if (found.empty()) {
            error = "a named table without styles";
            return nullptr;
        }
        for (const auto& [index, entry] : found) {
            std::unique_ptr<CPlotStyle> s(new CPlotStyle());
            if (!StyleCodec::read(entry->children, *s, error)) return nullptr;
            t.styles_.push_back(std::move(s));
        }
        if (t.styles_.front()->name != "Normal")
            t.notes_.push_back("the first style is not named Normal");
    }

    if (aci && (t.colorDependent || aciAvailable)) {
        std::map<long long, const TextEntry*> names;
        if (!byIndex(*aci, CPlotStyleTable::kColorStyleCount, false, names, error)) return nullptr;
        t.aciNames_.assign(CPlotStyleTable::kColorStyleCount, std::string());
        for (int i = 0; i < CPlotStyleTable::kColorStyleCount; ++i) {
            auto f = names.find(i);
            if (f != names.end()) {
                t.aciNames_[static_cast<std::size_t>(i)] = stringValue(f->second->value);
            } else if (t.colorDependent) {
                t.aciNames_[static_cast<std::size_t>(i)] = "Color_" + std::to_string(i + 1);
            } else {
                t.aciNames_[static_cast<std::size_t>(i)] = StyleCodec::nameKey(*t.styles_.front());
            }
        }
        if (!t.colorDependent) t.colorMapping = true;
    } else if (aci) {
        t.notes_.push_back("aci_table ignored: the table says it has none");
    } else if (!t.colorDependent && t.colorMapping) {
        t.notes_.push_back(
            "a colour mapping without aci_table: every colour maps to the first style");
    }

    if (weights) {
        std::map<long long, const TextEntry*> values;
        if (!byIndex(*weights, CPlotStyleTable::kLineweightCount, false, values, error))
            return nullptr;
        for (const auto& [i, e] : values) {
            double v;
            if (!parseReal(e->value, v) || v < 0) {
                error = at(*e) + "bad lineweight '" + e->value + "'";
                return nullptr;
            }
            t.lineweights[i] = v;
        }
    }
    return table;
}

std::string TableCodec::writeText(const CPlotStyleTable& t) {
    const bool mapped = t.colorDependent || t.colorMapping;
    std::vector<TextEntry> top;
    top.push_back(scalar("description", quoted(t.description)));
    top.push_back(scalar("aci_table_available", mapped ? "TRUE" : "FALSE"));
    // Values a caller may have set out of range are written so that the file reads back.
    top.push_back(
        scalar("scale_factor", formatReal(std::isfinite(t.scaleFactor) ? t.scaleFactor : 1.0)));
    top.push_back(scalar("apply_factor", t.applyFactor ? "TRUE" : "FALSE"));
    top.push_back(scalar("custom_lineweight_display_units", std::to_string(t.lineweightUnits)));
    if (mapped) {
        TextEntry aci;
        aci.key = "aci_table";
        aci.block = true;
        for (int i = 0; i < CPlotStyleTable::kColorStyleCount; ++i) {
            std::string name;
            if (static_cast<std::size_t>(i) < t.aciNames_.size()) {
                name = t.aciNames_[static_cast<std::size_t>(i)];
            } else if (t.colorDependent) {
                name = "Color_" + std::to_string(i + 1);
            } else if (!t.styles_.empty()) {
                name = StyleCodec::nameKey(*t.styles_.front());
            }
            aci.children.push_back(scalar("", quoted(name)));
            aci.children.back().key = std::to_string(i);
        }
        top.push_back(std::move(aci));
    }
    TextEntry styles;
    styles.key = "plot_style";
    styles.block = true;
    styles.children.reserve(t.styles_.size());
    for (std::size_t i = 0; i < t.styles_.size(); ++i)
        styles.children.push_back(StyleCodec::write(*t.styles_[i], static_cast<int>(i)));
    top.push_back(std::move(styles));
    TextEntry weights;
    weights.key = "custom_lineweight_table";
    weights.block = true;
    for (int i = 0; i < CPlotStyleTable::kLineweightCount; ++i) {
        const double w = t.lineweights[i];
        weights.children.push_back(scalar("", formatReal(std::isfinite(w) && w >= 0 ? w : 0.0)));
        weights.children.back().key = std::to_string(i);
    }
    top.push_back(std::move(weights));
    placeUnknown(top, t.unknown_);

    std::string text;
    text.reserve(90000);
    for (const TextEntry& e : top) writeEntry(text, e, 0);
    return text;
}

}  // namespace vexo
