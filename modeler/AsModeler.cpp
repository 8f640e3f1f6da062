// The modeler object, its life cycle and createViewer.
#include "AsModeler.h"

#include "AsBodyAccess.h"
#include "AsKernelSession.h"
#include "AsMeasure.h"
#include "AsSnap.h"
#include "AsTools.h"
#include "AsTransform.h"
#include "solidkernel/errors.h"
#include "solidkernel/options.h"

#include <exception>
#include <new>

namespace {

// Every body operation: the last error number starts at 0, and anything thrown by the
// work makes the operation answer 0.
template <class Work>
int runBodyOperation(Work work) {
    asSetLastError(0);
    try {
        return work() ? 1 : 0;
    } catch (const std::exception&) {
        return 0;
    }
}

}  // namespace

AsModeler::AsModeler() {
    AsRegisterAttributes();
    AsOutcomeCheck(api_logging(0));
    AsOutcomeCheck(api_set_int_option("compress_bb", 1));
    AsOutcomeCheck(api_set_int_option("annotations", 0));
    AsOutcomeCheck(api_save_version(6, 0));
    AsOutcomeCheck(api_set_int_option("check_level", 10));
    FileInfo info;
    info.set_product_id("Kivra");
    info.set_units(1000.0);
    AsOutcomeCheck(api_set_file_info(FileInfo::kProductId | FileInfo::kUnits, info));
}

AsModeler::~AsModeler() {
    try {
        cache_.clear();
    } catch (...) {
    }
    AsKernelSession::shutdown();
    CModeler::s_pModeler = nullptr;
}

AsObject* AsModeler::restore(const CDbAcisEntityData& record) { return AsRestoreRecord(record); }

AsObject& AsModeler::bodyObject(const CDbAcisEntityData& record) {
    return *AsLookupEntry(cache_, record).object;
}

AsModeler& AsModeler::instance() {
    static AsModeler modeler;
    return modeler;
}

void* AsModeler::destroy(unsigned int flags) {
    this->~AsModeler();
    if (flags & 1) ::operator delete(this);
    return this;
}

bool AsModeler::canDisplay() { return true; }
bool AsModeler::canSnap() { return true; }
bool AsModeler::canEdit() { return false; }

void AsModeler::freeBlock(void* block) {
    try {
        AsFreeDisplayBlock(block);
    } catch (...) {
    }
}

void AsModeler::clearCache() {
    try {
        cache_.clear();
    } catch (...) {
    }
}

int AsModeler::transform(const CDbAcisEntityData& source, CDbAcisEntityData& destination,
                         const ModelerMatrix* matrix) {
    return runBodyOperation([&] { return AsTransformRecord(cache_, source, destination, matrix); });
}

int AsModeler::display(const CDbAcisEntityData& record, int mode, double quality, ModelerPolyline** out) {
    return runBodyOperation([&] {
        if (!out) return false;
        *out = nullptr;  // before anything can fail: the host never reads a stale chain
        bodyObject(record).display(out, mode, quality);
        return true;
    });
}

int AsModeler::snapPoints(const CDbAcisEntityData& record, int flags, const double* pick,
                          const double* reference, const double* viewDirection,
                          HostVector<ModelerSnapPoint>& out) {
    std::size_t entrySize = out.size();
    int result = runBodyOperation(
        [&] { return AsSnapPoints(cache_, record, flags, pick, reference, viewDirection, out); });
    if (!result) AsRestoreHostVector(out, entrySize);
    return result;
}

int AsModeler::characteristicPoints(const CDbAcisEntityData& record, HostVector<ModelerPoint>& out) {
    std::size_t entrySize = out.size();
    int result = runBodyOperation([&] { return AsCharacteristicPoints(cache_, record, out); });
    if (!result) AsRestoreHostVector(out, entrySize);
    return result;
}

int AsModeler::extents(const CDbAcisEntityData& record, double* low, double* high,
                       const ModelerMatrix* matrix) {
    return runBodyOperation([&] { return AsExtents(cache_, record, low, high, matrix); });
}

int AsModeler::perimeter(const CDbAcisEntityData& record, double* out) {
    return runBodyOperation([&] { return AsPerimeter(cache_, record, out); });
}

int AsModeler::lastError() { return asLastError(); }

int AsModeler::errorText(int errorNumber, HostString& text) {
    try {
        text = find_err_mess(errorNumber);
        return 1;
    } catch (const std::exception&) {
        return 0;
    }
}

extern "C" CModeler* createViewer() {
    try {
        AsKernelSession::start();
        return &AsModeler::instance();
    } catch (...) {
        AsKernelSession::shutdown();
        return nullptr;
    }
}
