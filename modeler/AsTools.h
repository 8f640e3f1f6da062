// Shared helpers of the bridge: the last kernel error number, the outcome check that
// turns a failed kernel outcome into a std::exception, and a body's SAT text in and out.
#pragma once

#include "solidkernel/outcome.h"

class AsObject;
class CDbAcisEntityData;
class ENTITY;

// The error number of the most recent kernel call that went through the outcome check.
int asLastError();
void asSetLastError(int errorNumber);

// Stores the outcome's error number as the last error; throws a std::exception when the
// outcome failed.
void AsOutcomeCheck(const outcome& result);

// Restores the record's SAT text: a new object holding the one body it contains, or null
// (empty text, text that does not restore, or more than one top-level entity).
AsObject* AsRestoreRecord(const CDbAcisEntityData& record);

// Saves the entity as SAT text: a NUL-terminated buffer the caller frees with delete[].
// Throws std::exception when the kernel cannot save it.
char* AsSaveEntity(ENTITY* entity);

// Makes sure the bridge's attribute classes are registered with the kernel.
void AsRegisterAttributes();
