// The bridge's error conventions.
#include "AsTools.h"

#include <exception>

namespace {
int g_lastError = 0;
}

int asLastError() { return g_lastError; }

void asSetLastError(int errorNumber) { g_lastError = errorNumber; }

void AsOutcomeCheck(const outcome& result) {
    g_lastError = result.error_number();
    if (!result.ok()) throw std::exception();
}
