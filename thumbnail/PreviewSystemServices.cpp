// PreviewSystemServices: stream creation, message texts and module lookup. The file
// queries that need the platform are in the _win/_posix halves.
#include "PreviewSystemServices.h"

#include "CodePageTable.h"
#include "FileStreams.h"
#include "MessageTable.h"
#include "dwg/OdError.h"
#include "vexocommon/GlobalSearch.h"

namespace vistrel {

PreviewSystemServices::PreviewSystemServices() : codePage_(codePageIdForWindows(platformAnsiCodePage())) {}

PreviewSystemServices::~PreviewSystemServices() = default;

void PreviewSystemServices::addRef() { refs_.fetch_add(1); }

void PreviewSystemServices::release() {
    if (refs_.fetch_sub(1) == 1) delete this;
}

long PreviewSystemServices::numRefs() const { return refs_.load(); }

OdStreamBufPtr PreviewSystemServices::createFile(const OdString& fileName, OdUInt32 desiredAccess,
                                                 OdUInt32 shareMode, OdUInt32 creationDisposition) {
    if (fileName.isEmpty()) throw OdError(eNoFileName);
    // The stream is held from here on, so a failing openFile destroys it again.
    OdSmartPtr<FileStreamBase> stream;
    if (desiredAccess == kOdFileRead) stream = OdSmartPtr<FileStreamBase>::attach(new BlockReadStream());
    else stream = OdSmartPtr<FileStreamBase>::attach(new FileWriteStream());
    stream->openFile(fileName, shareMode, desiredAccess, creationDisposition);
    OdStreamBufPtr result = OdStreamBufPtr::cast(stream.get());
    if (!result) throw OdError_NotThatKindOfClass();
    return result;
}

bool PreviewSystemServices::accessFile(const OdString&, int) { return true; }

OdInt64 PreviewSystemServices::getFileCTime(const OdString&) { return -1; }

OdInt64 PreviewSystemServices::getFileMTime(const OdString&) { return 0; }

OdString PreviewSystemServices::formatMessage(unsigned int code, va_list* argList) {
    OdString text;
    if (code >= kMessageCount) return text.format(L"Unknown message (code: %d)", static_cast<int>(code));
    if (!argList) return OdString(messageText(code));
    return text.formatV(messageText(code), *argList);
}

OdCodePageId PreviewSystemServices::systemCodePage() const { return codePage_; }

OdString PreviewSystemServices::findModuleFile(const OdString& moduleFileName) {
    OdString name = moduleFileName;
    if (name.find(L'.') < 0) name += OdString(L".drx");
    char found[512];
    const OdAnsiString ansi(name, CP_SYSTEM_ANSI);
    if (GlobalSearch::Find(nullptr, ansi.c_str(), found, sizeof found) != GlobalSearch::kFound) return OdString();
    return OdString(found, CP_SYSTEM_ANSI);
}

int PreviewSystemServices::tableIndexLimit() { return 127; }

int PreviewSystemServices::styleIndexLimit() { return 127; }

}  // namespace vistrel
