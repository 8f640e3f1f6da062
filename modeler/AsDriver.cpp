// The driver entry points: statistics and save of one host record.
#include "AsDriver.h"

#include "AsDisplayList.h"
#include "AsModeler.h"
#include "AsSatStream.h"
#include "AsTools.h"
#include "solidkernel/errors.h"
#include "solidkernel/kernelapi.h"

#include <map>
#include <memory>
#include <string>

namespace {

// Every record of saved text by its type name: records end in "#" and a line end.
std::map<std::string, int> recordsByType(const std::string& text) {
    std::map<std::string, int> counts;
    std::size_t pos = 0;
    for (int line = 0; line < 3 && pos != std::string::npos; ++line) pos = text.find('\n', pos) + 1;
    while (pos < text.size()) {
        std::size_t end = text.find("#\r\n", pos);
        if (end == std::string::npos) break;
        std::size_t start = text.find_first_not_of(" \r\n", pos);
        std::size_t wordEnd = text.find(' ', start);
        if (start < end && wordEnd <= end) counts[text.substr(start, wordEnd - start)]++;
        pos = end + 3;
    }
    return counts;
}

bool restoresAsOneBody(const CDbAcisEntityData& record) {
    try {
        AsModeler::instance().cache().lookup(record);
        return true;
    } catch (...) {
        return false;
    }
}

std::string jsonText(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) >= 0x20) out += c;
    }
    return out;
}

}  // namespace

extern "C" int solvaneDriverStats(const CDbAcisEntityData* record, HostString* json) {
    try {
        if (!record || !json) return 0;
        asSetLastError(0);
        bool restored = restoresAsOneBody(*record);
        const HostString& sat = record->getSat();
        std::map<std::string, int> counts;
        if (!sat.empty()) {
            AsSatStream reader(sat.data(), sat.size());
            ENTITY_LIST list;
            if (api_restore_entity_list_file(&reader, list).ok()) {
                AsSatStream writer;
                if (api_save_entity_list_file(&writer, list).ok()) {
                    std::size_t size = writer.writtenSize();
                    std::unique_ptr<char[]> text(writer.takeBuffer());
                    counts = recordsByType(std::string(text.get(), size));
                }
                for (int i = 0; i < list.count(); ++i) api_del_entity(list[i]);
            }
        }
        std::string out = std::string("{\"restored\": ") + (restored ? "true" : "false");
        static const char* const kKinds[][2] = {
            {"body", "bodies"}, {"lump", "lumps"},   {"shell", "shells"}, {"face", "faces"},
            {"loop", "loops"},  {"coedge", "coedges"}, {"edge", "edges"},   {"vertex", "vertices"}};
        for (const auto& kind : kKinds) out += std::string(", \"") + kind[1] + "\": " + std::to_string(counts[kind[0]]);
        out += ", \"attribs\": {";
        bool first = true;
        for (const auto& [type, n] : counts) {
            if (type.size() < 6 || type.compare(type.size() - 6, 6, "attrib") != 0) continue;
            out += (first ? "\"" : ", \"") + jsonText(type) + "\": " + std::to_string(n);
            first = false;
        }
        out += "}}";
        *json = out.c_str();
        return 1;
    } catch (...) {
        return 0;
    }
}

extern "C" int solvaneDriverSave(const CDbAcisEntityData* record, HostString* sat, HostString* reason) {
    try {
        if (!record || !sat || !reason) return 0;
        asSetLastError(0);
        AsCacheEntry* entry = nullptr;
        try {
            entry = &AsModeler::instance().cache().lookup(*record);
        } catch (...) {
            int error = asLastError();
            std::string why = record->getSat().empty() ? "the text is empty"
                              : error ? std::string("the text does not restore: ") + find_err_mess(error)
                                      : "the text does not hold exactly one body";
            *reason = why.c_str();
            return 0;
        }
        try {
            std::unique_ptr<char[]> text(AsSaveEntity(entry->object->body()));
            *sat = text.get();
            return 1;
        } catch (...) {
            *reason = (std::string("the body cannot be saved: ") + find_err_mess(asLastError())).c_str();
            return 0;
        }
    } catch (...) {
        return 0;
    }
}

extern "C" long solvaneDriverDisplayBlocks() { return AsDisplayBlocksOutstanding(); }
