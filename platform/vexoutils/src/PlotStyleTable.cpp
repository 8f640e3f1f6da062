// CPlotStyleTable: reading and writing whole files through the container, text and record
// layers, new tables, and the style list operations the editor calls. Every entry point
// catches everything: no exception may leave the component.
#include "vexoutils/PlotStyleTable.h"

#include <algorithm>
#include <cstring>

#include "FileIo.h"
#include "PiaContainer.h"
#include "PiaText.h"
#include "TableCodec.h"

namespace {

bool sameName(const std::string& a, const char* b) {
    if (std::strlen(b) != a.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'A' && x <= 'Z') x = static_cast<unsigned char>(x + 32);
        if (y >= 'A' && y <= 'Z') y = static_cast<unsigned char>(y + 32);
        if (x != y) return false;
    }
    return true;
}

}  // namespace

CPlotStyleTable::CPlotStyleTable(bool colorDependent_)
    : scaleFactor(1.0),
      applyFactor(false),
      lineweightUnits(0),
      colorDependent(colorDependent_),
      colorMapping(colorDependent_) {
    std::copy(std::begin(vexo::kDefaultLineweights), std::end(vexo::kDefaultLineweights),
              lineweights);
}

CPlotStyleTable::~CPlotStyleTable() = default;

CPlotStyleTable* CPlotStyleTable::read(const char* path) {
    std::string reason;
    return read(path, reason);
}

CPlotStyleTable* CPlotStyleTable::read(const char* path, std::string& reason) {
    try {
        std::vector<unsigned char> bytes;
        if (!vexo::readWholeFile(path, bytes, reason)) return nullptr;
        return readBytes(bytes.data(), static_cast<unsigned long>(bytes.size()), reason);
    } catch (...) {
        reason = "out of memory";
        return nullptr;
    }
}

CPlotStyleTable* CPlotStyleTable::readBytes(const void* bytes, unsigned long count,
                                            std::string& reason) {
    try {
        if (!bytes) {
            reason = "no data";
            return nullptr;
        }
        vexo::Unpacked u = vexo::unpack(static_cast<const unsigned char*>(bytes), count);
        if (!u.ok) {
            reason = u.error;
            return nullptr;
        }
        const vexo::LineScan scan = vexo::scanLines(u.text.data(), u.text.size());
        if (!scan.ok) {
            reason = scan.error;
            return nullptr;
        }
        auto table = vexo::TableCodec::read(u.kind, scan, reason);
        if (!table) return nullptr;
        auto& notes = vexo::TableCodec::notes(*table);
        notes.insert(notes.begin(), u.notes.begin(), u.notes.end());
        if (!u.hadNul) notes.push_back("the text has no trailing NUL");
        return table.release();
    } catch (...) {
        reason = "out of memory";
        return nullptr;
    }
}

CPlotStyleTable* CPlotStyleTable::create(bool colorDependent_, const char* description_) {
    try {
        auto table = vexo::TableCodec::make(colorDependent_);
        auto& styles = vexo::TableCodec::styles(*table);
        if (description_) table->description = vexo::oneLine(description_);
        if (colorDependent_) {
            for (int i = 0; i < kColorStyleCount; ++i) {
                styles.emplace_back(new CPlotStyle());
                vexo::StyleCodec::initColorStyle(*styles.back(), i);
            }
        } else {
            styles.emplace_back(new CPlotStyle());
            vexo::StyleCodec::rename(*styles.back(), "Normal");
            // As the stock named table: saved as "Style_1", shown as "Style 1".
            styles.emplace_back(new CPlotStyle());
            vexo::StyleCodec::rename(*styles.back(), "Style_1");
            styles.back()->name = "Style 1";
            vexo::StyleCodec::markNameRead(*styles.back());
        }
        return table.release();
    } catch (...) {
        return nullptr;
    }
}

bool CPlotStyleTable::write(const char* path) const {
    try {
        return vexo::replaceFile(path, toBytes());
    } catch (...) {
        return false;
    }
}

std::vector<unsigned char> CPlotStyleTable::toBytes() const {
    try {
        return vexo::pack(vexo::TableCodec::kindOf(*this), vexo::TableCodec::writeText(*this));
    } catch (...) {
        return {};
    }
}

int CPlotStyleTable::size() const {
    return static_cast<int>(styles_.size());
}

CPlotStyle* CPlotStyleTable::style(int index) {
    return index >= 0 && index < size() ? styles_[static_cast<std::size_t>(index)].get() : nullptr;
}

const CPlotStyle* CPlotStyleTable::style(int index) const {
    return index >= 0 && index < size() ? styles_[static_cast<std::size_t>(index)].get() : nullptr;
}

CPlotStyle* CPlotStyleTable::addStyle(const char* name, int index, const CPlotStyle* templ) {
    try {
        if (colorDependent || !name) return nullptr;
        const std::string clean = vexo::oneLine(name);
        if (clean.empty() || findLocName(clean.c_str()) >= 0) return nullptr;
        std::unique_ptr<CPlotStyle> s(templ ? new CPlotStyle(*templ) : new CPlotStyle());
        vexo::StyleCodec::rename(*s, clean);
        const std::size_t at =
            index >= 0 && index < size() ? static_cast<std::size_t>(index) + 1 : styles_.size();
        CPlotStyle* added = s.get();
        styles_.insert(styles_.begin() + static_cast<std::ptrdiff_t>(at), std::move(s));
        return added;
    } catch (...) {
        return nullptr;
    }
}

int CPlotStyleTable::findLocName(const char* name) const {
    if (!name) return -1;
    for (std::size_t i = 0; i < styles_.size(); ++i)
        if (sameName(styles_[i]->name, name)) return static_cast<int>(i);
    return -1;
}

bool CPlotStyleTable::renameStyle(int index, const char* name) {
    try {
        CPlotStyle* s = style(index);
        if (!s || colorDependent || index == 0 || !name) return false;
        const std::string clean = vexo::oneLine(name);
        if (clean.empty()) return false;
        for (int i = 0; i < size(); ++i)
            if (i != index && sameName(styles_[static_cast<std::size_t>(i)]->name, clean.c_str()))
                return false;
        const std::string oldKey = vexo::StyleCodec::nameKey(*s);
        vexo::StyleCodec::rename(*s, clean);
        for (std::string& mapped : aciNames_)
            if (mapped == oldKey) mapped = clean;
        return true;
    } catch (...) {
        return false;
    }
}

bool CPlotStyleTable::deleteStyle(int index) {
    try {
        CPlotStyle* s = style(index);
        if (!s || colorDependent || index == 0) return false;
        const std::string key = vexo::StyleCodec::nameKey(*s);
        const std::string first = vexo::StyleCodec::nameKey(*styles_.front());
        styles_.erase(styles_.begin() + index);
        for (std::string& mapped : aciNames_)
            if (mapped == key) mapped = first;
        return true;
    } catch (...) {
        return false;
    }
}

void CPlotStyleTable::deleteACI() {
    if (colorDependent) return;  // a colour table is its mapping
    colorMapping = false;
    aciNames_.clear();
}

void CPlotStyleTable::setDesc(const char* text) {
    try {
        description = vexo::oneLine(text ? text : "");
    } catch (...) {
    }
}

const std::vector<std::string>& CPlotStyleTable::readNotes() const {
    return notes_;
}
const std::vector<std::string>& CPlotStyleTable::colorMap() const {
    return aciNames_;
}
