// The library's exception: a result code, optionally a file name or a text of its own.
// Every failure inside the library and its host services is raised as one of these.
#pragma once

#include "dwg/OdResult.h"
#include "dwg/OdString.h"

class OdError {
public:
    explicit OdError(OdResult code);
    // A failure described by a text of its own (code eExtendedError).
    explicit OdError(const OdString& message);
    OdError(OdResult code, const OdString& fileName);
    virtual ~OdError();

    OdResult code() const { return code_; }
    // The file the failure concerns, empty when none.
    const OdString& fileName() const { return fileName_; }
    // The text: the message given, or the host's text for the code (through the system
    // services, when the library is initialised), followed by the file name if any.
    OdString description() const;

private:
    OdResult code_;
    OdString message_;
    OdString fileName_;
};

class OdError_CantOpenFile : public OdError {
public:
    explicit OdError_CantOpenFile(const OdString& fileName) : OdError(eCantOpenFile, fileName) {}
};

class OdError_FileWriteError : public OdError {
public:
    explicit OdError_FileWriteError(const OdString& fileName) : OdError(eFileWriteError, fileName) {}
};

class OdError_NotThatKindOfClass : public OdError {
public:
    OdError_NotThatKindOfClass() : OdError(eNotThatKindOfClass) {}
};
