// Restore of arbitrary bytes as SAT text through the bridge's stream: it must end in a
// restored model or a failed outcome, never a crash, and leave no entity alive. What it
// restores must save and restore again.
#include "AsAcadColorAttrib.h"
#include "AsAttribMarker.h"
#include "AsSatStream.h"
#include "AsTools.h"
#include "solidkernel/kernelapi.h"
#include "solidkernel/options.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool ready = [] {
        AsRegisterAttributes();
        api_save_version(6, 0);
        return true;
    }();
    (void)ready;
    long blocks = acis_live_blocks();
    {
        AsSatStream reader(reinterpret_cast<const char*>(data), size);
        ENTITY_LIST list;
        if (api_restore_entity_list_file(&reader, list).ok()) {
            AsSatStream writer;
            if (api_save_entity_list_file(&writer, list).ok()) {
                std::size_t length = writer.writtenSize();
                char* text = writer.takeBuffer();
                AsSatStream again(text, length);
                ENTITY_LIST second;
                if (!api_restore_entity_list_file(&again, second).ok()) {
                    std::fprintf(stderr, "saved text does not restore:\n%.*s\n", static_cast<int>(length), text);
                    std::abort();
                }
                for (int i = 0; i < second.count(); ++i) api_del_entity(second[i]);
                delete[] text;
            }
            for (int i = 0; i < list.count(); ++i) api_del_entity(list[i]);
        }
    }
    if (acis_live_blocks() != blocks) {
        std::fprintf(stderr, "restore left %ld kernel blocks alive\n", acis_live_blocks() - blocks);
        std::abort();
    }
    return 0;
}
