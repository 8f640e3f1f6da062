// The matrix conversion and the transform operation.
#include "AsTransform.h"

#include "AsBodyAccess.h"
#include "AsObject.h"
#include "AsTools.h"
#include "solidkernel/errors.h"
#include "solidkernel/topology.h"
#include "solidkernel/transf.h"

#include <cmath>
#include <exception>
#include <memory>

namespace {
[[noreturn]] void refuse(int errorNumber) {
    asSetLastError(errorNumber);
    throw std::exception();
}
}  // namespace

SPAtransf AsConvertMatrix(const ModelerMatrix* matrix) {
    AsRequireArgument(matrix);
    const double(*axis)[3] = matrix->axis;
    SPAmatrix m(SPAvector(axis[0][0], axis[0][1], axis[0][2]),
                SPAvector(axis[1][0], axis[1][1], axis[1][2]),
                SPAvector(axis[2][0], axis[2][1], axis[2][2]));
    double det = m.determinant();
    if (is_zero(det) || !std::isfinite(det)) refuse(kernel_errors::kSingularTransform);
    double scale = std::cbrt(std::fabs(det));
    m *= 1.0 / scale;
    // What is left must be a rotation (with or without a reflection): a kernel transform
    // that shears is saved and applied as if it did not.
    SPAtransf probe = restore_transf(m, SPAvector(), 1.0, 0, 0, 0);
    if (!is_conformal(probe)) refuse(kernel_errors::kNotConformalTransform);
    bool rotate =
        !(is_zero(1 - std::fabs(m.element(0, 0))) && is_zero(1 - std::fabs(m.element(1, 1))) &&
          is_zero(1 - std::fabs(m.element(2, 2))));
    bool reflect = m.determinant() < 0;
    const double* t = matrix->translation;
    return restore_transf(m, SPAvector(t[0], t[1], t[2]), scale, rotate, reflect, false);
}

bool AsTransformRecord(AsBodyCache& cache, const CDbAcisEntityData& source,
                       CDbAcisEntityData& destination, const ModelerMatrix* matrix) {
    AsRequireArgument(matrix);
    AsCacheEntry& found = AsLookupEntry(cache, source);
    SPAtransf transf = AsConvertMatrix(matrix);
    found.object->transform(transf);
    // From here the object is the destination's: the source's text restores afresh when
    // it is asked for again. If saving fails the moved object dies with `entry`.
    CDbAcisEntityData::EType type = source.getType();
    AsCacheEntry entry = cache.takeOut(source);
    std::unique_ptr<char[]> text(AsSaveEntity(entry.object->body()));
    destination.setSat(HostString(text.get()));
    text.reset();
    destination.setType(type);
    cache.put(destination, std::move(entry));
    return true;
}
