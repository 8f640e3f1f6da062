// The services a host supplies to the library: streams on files, file queries, message
// texts, the code page, module lookup. The order of the operations is the contract the
// library calls through, so keep it.
#pragma once

#include <cstdarg>

#include "dwg/OdCodePage.h"
#include "dwg/OdStreamBuf.h"
#include "dwg/OdString.h"
#include "dwg/RxObject.h"

// Access and creation values of createFile (the platform's file-opening values).
enum : OdUInt32 {
    kOdFileRead = 0x80000000u,
    kOdFileWrite = 0x40000000u,
    kOdShareDenyReadWrite = 0x10,
    kOdShareDenyWrite = 0x20,
    kOdShareDenyNo = 0x40,
    kOdCreateNew = 1,
    kOdCreateAlways = 2,
    kOdOpenExisting = 3,
    kOdOpenAlways = 4,
};

class OdRxSystemServices : public OdRxObject {
public:
    static const OdRxClass* desc();
    const OdRxClass* isA() const override;

    // Opens a file as a stream; raises OdError on failure.
    virtual OdStreamBufPtr createFile(const OdString& fileName, OdUInt32 desiredAccess,
                                      OdUInt32 shareMode, OdUInt32 creationDisposition) = 0;
    virtual bool accessFile(const OdString& fileName, int accessMode) = 0;
    // Creation and modification times of a file as the host knows them (-1: unknown).
    virtual OdInt64 getFileCTime(const OdString& fileName) = 0;
    virtual OdInt64 getFileMTime(const OdString& fileName) = 0;
    // Size in bytes, -1 when there is no such file.
    virtual OdInt64 getFileSize(const OdString& fileName) = 0;
    // The text for a message code, formatted with the arguments when a list is given.
    virtual OdString formatMessage(unsigned int code, va_list* argList = nullptr) = 0;
    // formatMessage with the arguments given directly.
    virtual OdString formatMsg(unsigned int code, ...);
    virtual OdCodePageId systemCodePage() const = 0;
    // A new unique identifier in registry text form.
    virtual OdString createGuid();
    // The library's own extension modules: none are shipped, so the base finds none.
    virtual OdRxObjectPtr loadModule(const OdString& moduleFileName, bool silent = true);
    virtual bool unloadModule(const OdString& moduleName);
    // Full path of a loadable module, empty when not found.
    virtual OdString findModuleFile(const OdString& moduleFileName) = 0;
    // Hosts may show warnings; the base drops them.
    virtual void warning(const OdString& message);
};
typedef OdSmartPtr<OdRxSystemServices> OdRxSystemServicesPtr;

class OdDbSystemServices : public OdRxSystemServices {
public:
    static const OdRxClass* desc();
    const OdRxClass* isA() const override;

    // Two limits the drawing database asks its host for (index ranges of its tables);
    // hosts of this library answer 127 to both.
    virtual int tableIndexLimit() = 0;
    virtual int styleIndexLimit() = 0;
};

// The services the library was initialised with (null outside odInitialize/odUninitialize).
OdRxSystemServices* odrxSystemServices();
// Used by odInitialize/odUninitialize; takes one reference.
void odrxSetSystemServices(OdRxSystemServices* services);
