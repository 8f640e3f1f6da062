// A body object's display: the reuse rule, generation of the list it keeps, and the records.
#include "AsObject.h"
#include "AsShadedMesh.h"
#include "AsWireframe.h"
#include "solidkernel/tolerance.h"
#include "solidkernel/topology.h"

#include <cmath>
#include <exception>

bool AsObject::reuses(int kind, int mode, double quality) const {
    if (displayKind != kind || displayList_.empty()) return false;
    if (kind == 1 && isolineCount != mode) return false;
    if (quality < SPAresabs) return true;
    double ratio = std::fabs(displayQuality / quality);
    return kind == 2 ? ratio > 0.99 && ratio < 1.01 : ratio > 0.2 && ratio < 2.0;
}

void AsObject::display(ModelerPolyline** out, int mode, double quality) {
    const int kind = mode < 0 ? 2 : 1;
    if (!reuses(kind, mode, quality)) {
        displayKind = kind;
        displayQuality = std::fabs(quality);
        isolineCount = mode;
        displayList_.clear();
        ++displayGenerations;
        try {
            if (!body_) throw std::exception();
            if (kind == 1) {
                AsGenerateWireframe(body_, displayList_, mode, displayQuality);
                if (TRANSFORM* t = body_->transform()) displayList_.transform(t->transform());
            } else {
                AsGenerateMesh(body_, displayList_, displayQuality);
            }
        } catch (...) {
            // A partial list must not be taken for a finished one by the next request.
            displayList_.clear();
            displayKind = 0;
            throw;
        }
    }
    *out = displayList_.toRecords();
}
