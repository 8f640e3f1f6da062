// The error message table: one row per error number, in number order.
#include "solidkernel/errors.h"

#include <algorithm>
#include <iterator>

namespace {

struct ErrorRow {
    err_mess_type number;
    const char* ident;
    const char* text;
};

constexpr ErrorRow kErrorTable[] = {
    {kernel_errors::kNone, "NO_ERROR", "no error"},
    {kernel_errors::kNotStarted, "NOT_STARTED", "the modeller has not been started"},
    {kernel_errors::kAlreadyStopped, "ALREADY_STOPPED", "the modeller has already been stopped"},
    {kernel_errors::kComponentNotInitialised, "COMPONENT_NOT_INITIALISED",
     "a kernel component was used before it was initialised"},
    {kernel_errors::kUnknownOption, "UNKNOWN_OPTION", "no option of that name"},
    {kernel_errors::kBadOptionValue, "BAD_OPTION_VALUE", "value out of range for the option"},
    {kernel_errors::kBadSaveVersion, "BAD_SAVE_VERSION", "cannot save in that version"},
    {kernel_errors::kBadFileInfo, "BAD_FILE_INFO", "file information incomplete or invalid"},
    {kernel_errors::kInterrupted, "INTERRUPTED", "operation interrupted"},
    {kernel_errors::kBulletinUnbalanced, "BULLETIN_UNBALANCED",
     "bulletin board ended without a matching begin"},
    {kernel_errors::kInjectedFailure, "INJECTED_FAILURE", "failure injected for testing"},
    {kernel_errors::kNullEntity, "NULL_ENTITY", "null entity given"},
    {kernel_errors::kBadEntityType, "BAD_ENTITY_TYPE", "entity of the wrong type given"},
    {kernel_errors::kNotABody, "NOT_A_BODY", "entity is not a body"},
    {kernel_errors::kBadParameter, "BAD_PARAMETER", "parameter out of range"},
    {kernel_errors::kDegenerateGeometry, "DEGENERATE_GEOMETRY", "degenerate geometry"},
    {kernel_errors::kSingularTransform, "SINGULAR_TRANSFORM", "transform is singular"},
    {kernel_errors::kNotConformalTransform, "NOT_CONFORMAL_TRANSFORM",
     "transform shears or scales unevenly"},
    {kernel_errors::kUntransformableGeometry, "UNTRANSFORMABLE_GEOMETRY",
     "geometry holds data that cannot be transformed"},
    {kernel_errors::kNullArgument, "NULL_ARGUMENT", "null pointer given"},
    {kernel_errors::kReadFailed, "READ_FAILED", "error reading entity data"},
    {kernel_errors::kBadHeader, "BAD_HEADER", "invalid or unsupported save file header"},
    {kernel_errors::kUnknownEntityType, "UNKNOWN_ENTITY_TYPE", "unknown entity type in save file"},
    {kernel_errors::kBadPointer, "BAD_POINTER", "entity pointer out of range in save file"},
    {kernel_errors::kBadToken, "BAD_TOKEN", "malformed value in save file"},
    {kernel_errors::kTokenTooLong, "TOKEN_TOO_LONG", "value too long in save file"},
    {kernel_errors::kUnexpectedEnd, "UNEXPECTED_END", "save file ends unexpectedly"},
    {kernel_errors::kWriteFailed, "WRITE_FAILED", "error writing entity data"},
    {kernel_errors::kBadSubtype, "BAD_SUBTYPE", "invalid subtype reference in save file"},
};

const ErrorRow* findRow(err_mess_type number) {
    auto row = std::lower_bound(std::begin(kErrorTable), std::end(kErrorTable), number,
                                [](const ErrorRow& r, err_mess_type n) { return r.number < n; });
    return row != std::end(kErrorTable) && row->number == number ? row : nullptr;
}

}  // namespace

const char* find_err_mess(err_mess_type errorNumber) {
    const ErrorRow* row = findRow(errorNumber);
    return row ? row->text : "unknown error";
}

const char* find_err_ident(err_mess_type errorNumber) {
    const ErrorRow* row = findRow(errorNumber);
    return row ? row->ident : "UNKNOWN_ERROR";
}
