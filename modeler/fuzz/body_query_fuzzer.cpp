// The body operations on whatever a text restores to: every body is bounded, moved, baked,
// mirrored and baked again, snapped to with every kind and measured. Damaged geometry
// (non-finite numbers, degenerate curves, loops that do not close) must give some answer or
// a failed outcome, never a crash, a hang or a leak.
#include "AsSnap.h"
#include "AsSatStream.h"
#include "AsTools.h"
#include "solidkernel/bodytrans.h"
#include "solidkernel/box.h"
#include "solidkernel/kernelapi.h"
#include "solidkernel/transf.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static bool ready = [] {
        AsRegisterAttributes();
        return true;
    }();
    (void)ready;
    long blocks = acis_live_blocks();
    {
        AsSatStream reader(reinterpret_cast<const char*>(data), size);
        ENTITY_LIST list;
        if (api_restore_entity_list_file(&reader, list).ok()) {
            SPAmatrix turn(SPAvector(0, 1, 0), SPAvector(-1, 0, 0), SPAvector(0, 0, 1));
            SPAtransf move = restore_transf(turn, SPAvector(1, 2, 3), 1.5, 1, 0, 0);
            SPAmatrix flip(SPAvector(-1, 0, 0), SPAvector(0, 1, 0), SPAvector(0, 0, 1));
            SPAtransf mirror = restore_transf(flip, SPAvector(), 1, 0, 1, 0);
            for (int i = 0; i < list.count(); ++i) {
                auto* body = dynamic_cast<BODY*>(list[i]);
                if (!body) continue;
                get_body_box(body);
                api_transform_entity(body, move);
                get_body_box(body);
                api_change_body_trans(body, nullptr);
                api_transform_entity(body, mirror);
                api_change_body_trans(body, nullptr);
                std::vector<ModelerSnapPoint> points;
                try {
                    AsCollectSnapPoints(body, 1023, SPAposition(0, 0, 10), SPAposition(1, -1, 0.5),
                                        SPAvector(0, 0, -1), points);
                } catch (const std::exception&) {
                }
                ENTITY_LIST edges;
                api_get_edges(body, edges);
                for (int k = 0; k < edges.count(); ++k) static_cast<EDGE*>(edges[k])->length(&move);
            }
            for (int i = 0; i < list.count(); ++i) api_del_entity(list[i]);
        }
    }
    if (acis_live_blocks() != blocks) {
        std::fprintf(stderr, "the body operations left %ld kernel blocks alive\n",
                     acis_live_blocks() - blocks);
        std::abort();
    }
    return 0;
}
