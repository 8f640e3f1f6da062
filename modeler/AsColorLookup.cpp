// The colour lookup up the owners of an entity.
#include "AsColorLookup.h"

#include "AsAcadColorAttrib.h"
#include "AsTools.h"
#include "solidkernel/kernelapi.h"

int AsColorLookup(ENTITY* entity, bool attach) {
    for (int depth = 0; entity && depth < 64; ++depth, entity = entity->owner()) {
        if (AsAcadColorAttrib* own = AsAcadColorAttrib::find(entity)) return own->colour();
        int guard = 0;
        for (ATTRIB* a = entity->attrib(); a && guard < 100000; a = a->next(), ++guard) {
            if (is_ATTRIB_COL(a)) {
                int colour = static_cast<ATTRIB_COL*>(a)->colour();
                if (attach) {
                    if (dynamic_cast<FACE*>(entity)) {
                        new (__FILE__, __LINE__) AsAcadColorAttrib(entity, colour);
                        ENTITY_LIST edges;
                        AsOutcomeCheck(api_get_edges(entity, edges));
                        for (int i = 0; i < edges.count(); ++i)
                            if (!AsAcadColorAttrib::find(edges[i])) new (__FILE__, __LINE__) AsAcadColorAttrib(edges[i], colour);
                    } else if (dynamic_cast<EDGE*>(entity)) {
                        new (__FILE__, __LINE__) AsAcadColorAttrib(entity, colour);
                    }
                }
                return colour;
            }
            if (a->next() == a) break;  // a chain that points at itself ends here
        }
    }
    return AsAcadColorAttrib::kByLayer;
}
