// The host's solid modeler interface. A modeler library's createViewer returns an object
// of a class derived from CModeler; the host keeps it in s_pModeler and calls it only
// through this virtual table. The order of the 87 virtual functions and the size of their
// arguments are the contract with modeler libraries built elsewhere: never reorder them.
#pragma once

#include "stratum/EntityData.h"
#include "stratum/HostString.h"
#include "stratum/StratumApi.h"

#include <cstdint>

// Placement and orientation: three axis vectors then a translation, 12 doubles.
struct ModelerMatrix {
    double axis[3][3];
    double translation[3];
};

// A display record handed to the host; the modeler allocates it and the point array, the
// host frees both through CModeler::freeBlock.
#pragma pack(push, 4)
struct ModelerPolyline {
    std::int16_t kind;        // 1 open polyline, 3 closed polyline or facet
    std::int16_t colorIndex;
    std::int32_t reserved1;   // always -1
    std::int16_t reserved2;   // always 0
    std::int16_t unused;
    std::int32_t pointCount;
    double* points;           // pointCount x (x, y, z)
    ModelerPolyline* next;
};
#pragma pack(pop)

struct ModelerSnapPoint {
    double x, y, z;
    std::int32_t kind;
    std::int32_t unused;
};

struct ModelerPoint {
    double x, y, z;
};

// Snap kinds: bits of the request flags and of ModelerSnapPoint::kind.
enum ModelerSnapKind {
    kSnapEnd = 1,
    kSnapMid = 2,
    kSnapCentre = 4,
    kSnapQuadrant = 16,
    kSnapPerpendicular = 128,
    kSnapTangent = 256,
    kSnapNearest = 512,
};

using ModelerArg = std::intptr_t;  // one argument word of an operation the host does not use

class STRATUM_API CModeler {
public:
    static CModeler* s_pModeler;
    static CModeler* get();

    // 0: the deleting destructor of the Windows compilers: destroys the object, frees it
    // when bit 0 of the flags is set, and returns it.
    virtual void* destroy(unsigned int flags) = 0;
    virtual bool canDisplay() = 0;                          // 1
    virtual bool canSnap() = 0;                             // 2
    virtual bool canEdit() = 0;                             // 3
    virtual void freeBlock(void* block) = 0;                // 4
    virtual void clearCache() = 0;                          // 5
    virtual int reserved06(ModelerArg, ModelerArg) = 0;
    virtual int transform(const CDbAcisEntityData& source, CDbAcisEntityData& destination,
                          const ModelerMatrix* matrix) = 0;  // 7
    virtual int reserved08(ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved09(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int display(const CDbAcisEntityData& record, int mode, double quality,
                        ModelerPolyline** out) = 0;          // 10
    virtual int reserved11(ModelerArg, ModelerArg) = 0;
    virtual int reserved12(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved13(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved14(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved15(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg,
                           ModelerArg, ModelerArg) = 0;
    virtual int reserved16(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg,
                           ModelerArg) = 0;
    virtual int reserved17(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg,
                           ModelerArg, ModelerArg) = 0;
    virtual int reserved18(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg,
                           ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved19(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg,
                           ModelerArg, ModelerArg) = 0;
    virtual int reserved20(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg,
                           ModelerArg) = 0;
    virtual int reserved21(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved22(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved23(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg,
                           ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved24(ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved25(ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved26(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg,
                           ModelerArg, ModelerArg) = 0;
    virtual int reserved27(ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved28(ModelerArg, ModelerArg) = 0;
    virtual int reserved29(ModelerArg, ModelerArg) = 0;
    virtual int reserved30(ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved31(ModelerArg, ModelerArg) = 0;
    virtual int reserved32(ModelerArg, ModelerArg) = 0;
    virtual int reserved33(ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved34(ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved35(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved36() = 0;
    virtual int reserved37() = 0;
    virtual int reserved38(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg,
                           ModelerArg) = 0;
    virtual int reserved39(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg,
                           ModelerArg) = 0;
    virtual int reserved40(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg,
                           ModelerArg) = 0;
    virtual int reserved41(ModelerArg, ModelerArg) = 0;
    virtual int reserved42(ModelerArg, ModelerArg) = 0;
    virtual int reserved43(ModelerArg, ModelerArg) = 0;
    virtual int reserved44(ModelerArg, ModelerArg) = 0;
    virtual int reserved45(ModelerArg, ModelerArg) = 0;
    virtual int reserved46(ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved47(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg,
                           ModelerArg) = 0;
    virtual int reserved48(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved49(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg,
                           ModelerArg) = 0;
    virtual int reserved50(ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved51(ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved52(ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved53(ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved54(ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved55(ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int snapPoints(const CDbAcisEntityData& record, int flags, const double* pick,
                           const double* reference, const double* viewDirection,
                           HostVector<ModelerSnapPoint>& out) = 0;  // 56
    virtual int reserved57(ModelerArg, ModelerArg) = 0;
    virtual int reserved58(ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved59(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg,
                           ModelerArg) = 0;
    virtual int reserved60(ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved61(ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved62(ModelerArg, ModelerArg) = 0;
    virtual int reserved63(ModelerArg, ModelerArg) = 0;
    virtual int reserved64(ModelerArg, ModelerArg) = 0;
    virtual int reserved65(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved66(ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved67(ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved68(ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved69(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved70(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved71(ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved72(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg,
                           ModelerArg) = 0;
    virtual int reserved73(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg,
                           ModelerArg) = 0;
    virtual int characteristicPoints(const CDbAcisEntityData& record,
                                     HostVector<ModelerPoint>& out) = 0;  // 74
    virtual int extents(const CDbAcisEntityData& record, double* low, double* high,
                        const ModelerMatrix* matrix) = 0;  // 75
    virtual int perimeter(const CDbAcisEntityData& record, double* out) = 0;  // 76
    virtual int reserved77(ModelerArg, ModelerArg) = 0;
    virtual int reserved78(ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int lastError() = 0;                                        // 79
    virtual int errorText(int errorNumber, HostString& text) = 0;       // 80
    virtual int reserved81(ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved82(ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved83(ModelerArg, ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved84(ModelerArg, ModelerArg, ModelerArg) = 0;
    virtual int reserved85(ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg, ModelerArg,
                           ModelerArg, ModelerArg) = 0;
    virtual int reserved86(ModelerArg, ModelerArg, ModelerArg) = 0;

protected:
    CModeler();
    // Not virtual: slot 0 is the destructor's entry in the table (see destroy).
    ~CModeler();
    CModeler(const CModeler&) = delete;
    CModeler& operator=(const CModeler&) = delete;
};

// The number of slots in CModeler's virtual table.
constexpr int kModelerSlotCount = 87;
