// Restore of arbitrary bytes as SAT text through the bridge's stream: it must end in a
// restored model or a failed outcome, never a crash, and leave no entity alive. What it
// restores must save and restore again, and a body it restores is displayed (wireframe with
// parameter lines, and shaded): that must end, hand over a bounded number of records, and
// leave no parameter line, marker or mesh behind.
#include "AsAcadColorAttrib.h"
#include "AsAttribMarker.h"
#include "AsObject.h"
#include "AsSatStream.h"
#include "AsTools.h"
#include "solidkernel/kernelapi.h"
#include "solidkernel/options.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <exception>

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
            if (list.count() == 1 && dynamic_cast<BODY*>(list[0])) {
                AsObject object(static_cast<BODY*>(list[0]));
                // Qualities from the coarsest up, chosen by the input so that runs stay quick.
                const double quality = 0.01 + 0.7 * static_cast<double>(size % 3);
                for (int mode : {3, -1}) {
                    ModelerPolyline* records = nullptr;
                    try {
                        object.display(&records, mode, quality);
                    } catch (const std::exception&) {
                        records = nullptr;
                    }
                    long count = 0;
                    for (ModelerPolyline* p = records; p; p = p->next) ++count;
                    AsFreeRecords(records);
                    if (count > 10000000) {
                        std::fprintf(stderr, "display handed over %ld records\n", count);
                        std::abort();
                    }
                }
                list.clear();  // the object deletes the body
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
