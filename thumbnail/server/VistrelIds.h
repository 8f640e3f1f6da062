// Identifiers of the server: its one class, the type library and the interface the type
// library names for the class. The registration script and the type library source spell
// the same values as text.
#pragma once

#include <objbase.h>

namespace vistrel {

extern const CLSID kExtractorClassId;     // {22C88570-8419-4CD6-B37A-5350D847AAF0}
extern const GUID kTypeLibraryId;         // {4C207FB9-04D1-422A-9157-D7858EAE8D83}
extern const IID kVistrelExtractorIid;    // {749E7AA9-29C4-42D1-AD64-6C91A7FC2BB3}

// Resource numbers of the registration script and the type library.
constexpr unsigned kRegistrationScriptId = 2000;
constexpr unsigned kTypeLibraryResourceId = 1;

}  // namespace vistrel
