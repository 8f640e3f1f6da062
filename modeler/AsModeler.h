// The bridge's modeler: the one object the host gets from createViewer. It keeps the body
// cache and answers every slot of the host's modeler interface.
#pragma once

#include "AsObject.h"
#include "stratum/Modeler.h"

class AsModeler final : public CModeler {
public:
    // Sets the kernel's options for the bridge; throws std::exception when one is refused.
    AsModeler();
    // Empties the cache, shuts the kernel down and leaves CModeler::s_pModeler null.
    ~AsModeler();

    // The singleton, constructed on first use and destroyed when the library unloads.
    static AsModeler& instance();

    AsBodyCache& cache() { return cache_; }

    // Restores a record's SAT text into a new body object, or null (the cache's restore).
    AsObject* restore(const CDbAcisEntityData& record);

    // The body object of a host record, through the body cache: what every body operation
    // starts from. Throws std::exception for an empty text, type 0, or a text that does not
    // restore as one body (the restore's error number is then the last error).
    AsObject& bodyObject(const CDbAcisEntityData& record);

    void* destroy(unsigned int flags) override;
    bool canDisplay() override;
    bool canSnap() override;
    bool canEdit() override;
    void freeBlock(void* block) override;
    void clearCache() override;
    int transform(const CDbAcisEntityData& source, CDbAcisEntityData& destination,
                  const ModelerMatrix* matrix) override;
    int display(const CDbAcisEntityData& record, int mode, double quality,
                ModelerPolyline** out) override;
    int snapPoints(const CDbAcisEntityData& record, int flags, const double* pick,
                   const double* reference, const double* viewDirection,
                   HostVector<ModelerSnapPoint>& out) override;
    int characteristicPoints(const CDbAcisEntityData& record, HostVector<ModelerPoint>& out) override;
    int extents(const CDbAcisEntityData& record, double* low, double* high,
                const ModelerMatrix* matrix) override;
    int perimeter(const CDbAcisEntityData& record, double* out) override;
    int lastError() override;
    int errorText(int errorNumber, HostString& text) override;

    // Slots the host calls that have no work here: each answers 0.
#define AS_CONSTANT_SLOT(n, ...) int reserved##n(__VA_ARGS__) override { return 0; }
#define A ModelerArg
    AS_CONSTANT_SLOT(06, A, A)
    AS_CONSTANT_SLOT(08, A, A, A, A)
    AS_CONSTANT_SLOT(09, A, A, A, A, A)
    AS_CONSTANT_SLOT(11, A, A)
    AS_CONSTANT_SLOT(12, A, A, A, A, A)
    AS_CONSTANT_SLOT(13, A, A, A, A, A)
    AS_CONSTANT_SLOT(14, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(15, A, A, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(16, A, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(17, A, A, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(18, A, A, A, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(19, A, A, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(20, A, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(21, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(22, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(23, A, A, A, A, A, A, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(24, A, A, A, A)
    AS_CONSTANT_SLOT(25, A, A, A)
    AS_CONSTANT_SLOT(26, A, A, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(27, A, A, A, A)
    AS_CONSTANT_SLOT(28, A, A)
    AS_CONSTANT_SLOT(29, A, A)
    AS_CONSTANT_SLOT(30, A, A, A)
    AS_CONSTANT_SLOT(31, A, A)
    AS_CONSTANT_SLOT(32, A, A)
    AS_CONSTANT_SLOT(33, A, A, A)
    AS_CONSTANT_SLOT(34, A, A, A)
    AS_CONSTANT_SLOT(35, A, A, A, A, A)
    AS_CONSTANT_SLOT(36)
    AS_CONSTANT_SLOT(37)
    AS_CONSTANT_SLOT(38, A, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(39, A, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(40, A, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(41, A, A)
    AS_CONSTANT_SLOT(42, A, A)
    AS_CONSTANT_SLOT(43, A, A)
    AS_CONSTANT_SLOT(44, A, A)
    AS_CONSTANT_SLOT(45, A, A)
    AS_CONSTANT_SLOT(46, A, A, A, A)
    AS_CONSTANT_SLOT(47, A, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(48, A, A, A, A, A)
    AS_CONSTANT_SLOT(49, A, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(50, A, A, A)
    AS_CONSTANT_SLOT(51, A, A, A, A)
    AS_CONSTANT_SLOT(52, A, A, A, A)
    AS_CONSTANT_SLOT(53, A, A, A)
    AS_CONSTANT_SLOT(54, A, A, A, A)
    AS_CONSTANT_SLOT(55, A, A, A, A)
    AS_CONSTANT_SLOT(57, A, A)
    AS_CONSTANT_SLOT(58, A, A, A, A)
    AS_CONSTANT_SLOT(59, A, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(60, A, A, A)
    AS_CONSTANT_SLOT(61, A, A, A, A)
    AS_CONSTANT_SLOT(62, A, A)
    AS_CONSTANT_SLOT(63, A, A)
    AS_CONSTANT_SLOT(64, A, A)
    AS_CONSTANT_SLOT(65, A, A, A, A, A)
    AS_CONSTANT_SLOT(66, A, A, A)
    AS_CONSTANT_SLOT(67, A, A, A, A)
    AS_CONSTANT_SLOT(68, A, A, A, A)
    AS_CONSTANT_SLOT(69, A, A, A, A, A)
    AS_CONSTANT_SLOT(70, A, A, A, A, A)
    AS_CONSTANT_SLOT(71, A, A, A, A)
    AS_CONSTANT_SLOT(72, A, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(73, A, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(77, A, A)
    AS_CONSTANT_SLOT(78, A, A, A)
    AS_CONSTANT_SLOT(81, A, A, A, A)
    AS_CONSTANT_SLOT(82, A, A, A)
    AS_CONSTANT_SLOT(83, A, A, A, A)
    AS_CONSTANT_SLOT(84, A, A, A)
    AS_CONSTANT_SLOT(85, A, A, A, A, A, A, A, A)
    AS_CONSTANT_SLOT(86, A, A, A)
#undef A
#undef AS_CONSTANT_SLOT

private:
    AsBodyCache cache_;
};

// The library's one export: starts the kernel and returns the modeler, or null.
extern "C" CModeler* createViewer();
