// Helpers of the SAT tests.
#include "SatTestSupport.h"

#include "solidkernel/options.h"

namespace sat_test {

int restore(const std::string& text, ENTITY_LIST& list) {
    AsSatStream reader(text.data(), text.size());
    return api_restore_entity_list_file(&reader, list).error_number();
}

std::string save(ENTITY_LIST& list) {
    AsSatStream writer;
    if (!api_save_entity_list_file(&writer, list).ok()) return std::string();
    std::size_t size = writer.writtenSize();
    char* buffer = writer.takeBuffer();
    std::string text(buffer, size);
    delete[] buffer;
    return text;
}

void deleteAll(ENTITY_LIST& list) {
    for (int i = 0; i < list.count(); ++i) api_del_entity(list[i]);
    list.clear();
}

void useBridgeSaveSettings() {
    api_save_version(6, 0);
    FileInfo info;
    info.set_product_id("Kivra");
    info.set_units(1000.0);
    api_set_file_info(FileInfo::kProductId | FileInfo::kUnits, info);
}

std::vector<ENTITY*> reachable(ENTITY_LIST& list) {
    ENTITY_LIST all;
    for (int i = 0; i < list.count(); ++i) all.add(list[i]);
    for (int i = 0; i < all.count(); ++i) all[i]->copy_scan(all, SCAN_SAVE);
    return all.items();
}

std::string typeChain(ENTITY* entity) {
    ENTITY_LIST one;
    one.add(entity);
    AsSatStream writer;
    // The first token of the record as the kernel writes it.
    std::string text = save(one);
    std::size_t line = 0;
    for (int i = 0; i < 3; ++i) line = text.find('\n', line) + 1;
    return text.substr(line, text.find(' ', line) - line);
}

std::map<std::string, int> countByType(ENTITY_LIST& list) {
    std::map<std::string, int> counts;
    for (ENTITY* e : reachable(list)) {
        std::string name = e->type_name();
        if (auto* a = dynamic_cast<ATTRIB*>(e)) {
            (void)a;
            if (dynamic_cast<ATTRIB_GENERIC*>(e)) {
                counts[name]++;
                continue;
            }
            // Known attributes: the chain from the identity levels.
            name = typeChain(e);
        } else if (dynamic_cast<SURFACE*>(e)) {
            name += "-surface";
        } else if (dynamic_cast<CURVE*>(e)) {
            name += "-curve";
        }
        counts[name]++;
    }
    return counts;
}

}  // namespace sat_test
