// The API bracket and the interrupt flag.
#include "KernelState.h"
#include "solidkernel/bracket.h"
#include "solidkernel/errors.h"

namespace {
error_info_base* g_lastErrorInfo = nullptr;
}

void set_global_error_info(error_info_base* info) { g_lastErrorInfo = info; }

void api_bb_begin(logical /*linear*/) { ++kernelState().bulletinDepth; }

void api_bb_end(outcome& result, logical /*linear*/, logical alreadyEnded) {
    KernelState& state = kernelState();
    if (alreadyEnded) return;
    if (state.bulletinDepth == 0) {
        if (result.ok()) result = outcome(kernel_errors::kBulletinUnbalanced);
        return;
    }
    --state.bulletinDepth;
}

void update_from_bb() {}

void ACISExceptionCheck(const char* /*frame*/) {}

logical acis_interrupted() { return kernelState().interrupted; }

void kernel_interrupt(logical on) { kernelState().interrupted = on ? 1 : 0; }
