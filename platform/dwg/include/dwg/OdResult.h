// Result codes of the library. The number is what crosses to the host's message table
// (OdRxSystemServices::formatMessage), so the values are fixed; only the codes the library
// and its hosts raise by name are listed here.
#pragma once

enum OdResult {
    eOk = 0,
    eMakeMeProxy = 1,
    eInvalidDrawing = 2,
    eNotImplementedYet = 3,
    eNotApplicable = 4,
    eInvalidInput = 5,
    eOutOfMemory = 7,
    eInvalidIndex = 9,
    eNullPtr = 16,
    eEndOfFile = 30,
    eCantOpenFile = 31,
    eFileAccessErr = 32,
    eFileWriteError = 33,
    eNoFileName = 34,
    eNotThatKindOfClass = 40,
    eAlreadyInitialized = 46,
    eNotInitialized = 47,
    eExtendedError = 56,
    eUnsupportedEarlyDwgVersion = 149,
    eDrxApplicationError = 150,
};
