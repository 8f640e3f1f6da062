// The modeler object, its life cycle and createViewer.
#include "AsModeler.h"

#include "AsKernelSession.h"
#include "AsTools.h"
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

// Body operations need the body cache's restore, which the bridge does not have yet; until
// then every lookup fails and the operation answers 0.
bool bodiesNotYetAvailable() { throw std::exception(); }

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
    AsCacheEntry& entry = cache_.lookup(record);
    if (!entry.object || !entry.object->body()) throw std::exception();
    return *entry.object;
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

int AsModeler::transform(const CDbAcisEntityData&, CDbAcisEntityData&, const ModelerMatrix*) {
    return runBodyOperation(bodiesNotYetAvailable);
}

int AsModeler::display(const CDbAcisEntityData& record, int mode, double quality, ModelerPolyline** out) {
    return runBodyOperation([&] {
        if (!out) return false;
        *out = nullptr;  // before anything can fail: the host never reads a stale chain
        bodyObject(record).display(out, mode, quality);
        return true;
    });
}

int AsModeler::snapPoints(const CDbAcisEntityData&, int, const double*, const double*,
                          const double*, HostVector<ModelerSnapPoint>& out) {
    int result = runBodyOperation(bodiesNotYetAvailable);
    if (!result) HostVector<ModelerSnapPoint>().swap(out);
    return result;
}

int AsModeler::characteristicPoints(const CDbAcisEntityData&, HostVector<ModelerPoint>& out) {
    int result = runBodyOperation(bodiesNotYetAvailable);
    if (!result) HostVector<ModelerPoint>().swap(out);
    return result;
}

int AsModeler::extents(const CDbAcisEntityData&, double*, double*, const ModelerMatrix*) {
    return runBodyOperation(bodiesNotYetAvailable);
}

int AsModeler::perimeter(const CDbAcisEntityData& record, double*) {
    return runBodyOperation([&record] {
        return record.getType() == CDbAcisEntityData::kRegion && bodiesNotYetAvailable();
    });
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
