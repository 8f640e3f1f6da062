// The system services the thumbnail provider hands to the drawing library: its file
// streams, file queries, message texts, code page and module lookup. One object serves
// one thumbnail.
#pragma once

#include <atomic>

#include "dwg/RxSystemServices.h"

namespace vistrel {

class PreviewSystemServices : public OdDbSystemServices {
public:
    // Reference count 1; the code page id is taken from the process's ANSI code page.
    PreviewSystemServices();
    ~PreviewSystemServices() override;

    void addRef() override;
    void release() override;
    long numRefs() const override;

    OdStreamBufPtr createFile(const OdString& fileName, OdUInt32 desiredAccess, OdUInt32 shareMode,
                              OdUInt32 creationDisposition) override;
    bool accessFile(const OdString& fileName, int accessMode) override;
    OdInt64 getFileCTime(const OdString& fileName) override;
    OdInt64 getFileMTime(const OdString& fileName) override;
    OdInt64 getFileSize(const OdString& fileName) override;
    OdString formatMessage(unsigned int code, va_list* argList = nullptr) override;
    OdCodePageId systemCodePage() const override;
    OdString findModuleFile(const OdString& moduleFileName) override;
    int tableIndexLimit() override;
    int styleIndexLimit() override;

    // The process's ANSI code page (platform half).
    static unsigned platformAnsiCodePage();

private:
    std::atomic<long> refs_{1};
    OdCodePageId codePage_;
};

}  // namespace vistrel
