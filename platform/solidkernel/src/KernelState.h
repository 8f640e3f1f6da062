// Process-wide state of the kernel: component counts, options, the save settings and the
// test hooks. One instance, reached through kernelState().
#pragma once

#include "solidkernel/options.h"
#include "solidkernel/outcome.h"

#include <map>
#include <string>
#include <vector>

struct KernelState {
    int modellerStarts = 0;
    std::map<std::string, int> components;  // "base", "law", "kernel", ...
    std::map<std::string, int> intOptions;
    logical logging = 1;
    int saveMajor = 7;
    int saveMinor = 0;
    FileInfo fileInfo;
    int bulletinDepth = 0;
    logical interrupted = 0;

    std::vector<std::string> callLog;
    std::map<std::string, err_mess_type> failingCalls;
};

KernelState& kernelState();

// Records a life-cycle call and tells whether a test asked it to fail (with which number).
err_mess_type takeInjectedFailure(const char* call);
// The same for calls made too often to be logged (faceting, parameter lines): only a call
// a test armed is recorded, with its "!".
err_mess_type takeArmedFailure(const char* call);
