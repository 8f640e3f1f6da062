// Benchmark inputs.
#include "SatBenchInputs.h"

#include "AsSatStream.h"
#include "AsTools.h"
#include "solidkernel/kernelapi.h"
#include "solidkernel/options.h"

#include <fstream>
#include <memory>
#include <sstream>

std::string benchReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

int benchRestore(const std::string& text) {
    AsSatStream reader(text.data(), text.size());
    ENTITY_LIST list;
    if (!api_restore_entity_list_file(&reader, list).ok()) return 0;
    int count = list.count();
    for (int i = 0; i < count; ++i) api_del_entity(list[i]);
    return count;
}

std::string benchGeneratedBody(int lumps) {
    AsRegisterAttributes();
    api_save_version(6, 0);
    std::string box = benchReadFile(std::string(KIVRA_TESTDATA_DIR) + "/sat/v400_box_inch.sat");
    AsSatStream reader(box.data(), box.size());
    ENTITY_LIST list;
    if (!api_restore_entity_list_file(&reader, list).ok() || list.count() != 1) return std::string();
    auto* body = static_cast<BODY*>(list[0]);
    for (int i = 1; i < lumps; ++i) {
        ENTITY* copy = nullptr;
        if (!api_copy_entity(body, copy).ok()) break;
        auto* other = static_cast<BODY*>(copy);
        LUMP* lump = other->lump();
        other->set_lump(nullptr);
        api_del_entity(other);
        lump->set_body(body);
        lump->set_next(body->lump());
        body->set_lump(lump);
    }
    AsSatStream writer;
    std::string text;
    if (api_save_entity_list_file(&writer, list).ok()) {
        std::size_t size = writer.writtenSize();
        std::unique_ptr<char[]> buffer(writer.takeBuffer());
        text.assign(buffer.get(), size);
    }
    api_del_entity(body);
    return text;
}

double benchMiB(std::size_t bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }
