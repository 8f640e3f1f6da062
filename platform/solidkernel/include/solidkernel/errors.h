// Kernel error numbers and their message table. find_err_mess never fails: an unknown
// number yields a text saying so, never a null pointer.
#pragma once

#include "solidkernel/outcome.h"

namespace kernel_errors {
// Each module of the kernel owns a band of numbers; 0 is success.
enum : err_mess_type {
    kNone = 0,
    // life cycle and options (1..99)
    kNotStarted = 1,
    kAlreadyStopped = 2,
    kComponentNotInitialised = 3,
    kUnknownOption = 4,
    kBadOptionValue = 5,
    kBadSaveVersion = 6,
    kBadFileInfo = 7,
    kInterrupted = 8,
    kBulletinUnbalanced = 9,
    kInjectedFailure = 10,
    // entities and topology (100..199)
    kNullEntity = 100,
    kBadEntityType = 101,
    kNotABody = 102,
    kBadParameter = 103,
    kDegenerateGeometry = 104,
    kSingularTransform = 105,
    kNotConformalTransform = 106,
    kUntransformableGeometry = 107,
    kNullArgument = 108,
    // reading and writing entity text (200..299)
    kReadFailed = 200,
    kBadHeader = 201,
    kUnknownEntityType = 202,
    kBadPointer = 203,
    kBadToken = 204,
    kTokenTooLong = 205,
    kUnexpectedEnd = 206,
    kWriteFailed = 207,
    kBadSubtype = 208,
};
}  // namespace kernel_errors

// The message text for an error number.
const char* find_err_mess(err_mess_type errorNumber);

// The symbolic name of an error number ("NOT_STARTED"), or "UNKNOWN_ERROR".
const char* find_err_ident(err_mess_type errorNumber);
