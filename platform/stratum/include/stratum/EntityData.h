// The record in which a drawing keeps one solid, region or body: its SAT text and its
// entity type.
#pragma once

#include "stratum/HostString.h"
#include "stratum/StratumApi.h"

class STRATUM_API CDbAcisEntityData {
public:
    enum EType { kNoEntity = 0, kSolid = 1, kRegion = 2, kBody = 3 };

    CDbAcisEntityData();
    CDbAcisEntityData(const HostString& sat, EType type);
    CDbAcisEntityData(const CDbAcisEntityData& other);
    CDbAcisEntityData& operator=(const CDbAcisEntityData& other);
    virtual ~CDbAcisEntityData();

    const HostString& getSat() const;
    void setSat(const HostString& sat);
    EType getType() const;
    void setType(EType type);

private:
    HostString sat_;
    EType type_;
};
