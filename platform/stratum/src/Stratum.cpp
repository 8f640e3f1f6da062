// The host library's side of the modeler interface: the current modeler, the entity
// record, and the heap behind the host's strings and vectors.
#include "stratum/EntityData.h"
#include "stratum/Modeler.h"

#include <atomic>
#include <cstdlib>

namespace {
std::atomic<long> g_liveBlocks{0};
}

extern "C" void* stratumAllocate(std::size_t bytes) {
    void* block = std::malloc(bytes ? bytes : 1);
    if (block) ++g_liveBlocks;
    return block;
}

extern "C" void stratumFree(void* block) {
    if (!block) return;
    --g_liveBlocks;
    std::free(block);
}

extern "C" long stratumLiveBlocks() { return g_liveBlocks.load(); }

CModeler* CModeler::s_pModeler = nullptr;

CModeler* CModeler::get() { return s_pModeler; }

CModeler::CModeler() = default;
CModeler::~CModeler() = default;

CDbAcisEntityData::CDbAcisEntityData() : type_(kNoEntity) {}
CDbAcisEntityData::CDbAcisEntityData(const HostString& sat, EType type) : sat_(sat), type_(type) {}
CDbAcisEntityData::CDbAcisEntityData(const CDbAcisEntityData& other) = default;
CDbAcisEntityData& CDbAcisEntityData::operator=(const CDbAcisEntityData& other) = default;
CDbAcisEntityData::~CDbAcisEntityData() = default;

const HostString& CDbAcisEntityData::getSat() const { return sat_; }
void CDbAcisEntityData::setSat(const HostString& sat) { sat_ = sat; }
CDbAcisEntityData::EType CDbAcisEntityData::getType() const { return type_; }
void CDbAcisEntityData::setType(EType type) { type_ = type; }
