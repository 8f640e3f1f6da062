// The kernel start-up and shutdown sequences.
#include "AsKernelSession.h"

#include "AsTools.h"
#include "solidkernel/lifecycle.h"

#include <stdexcept>

namespace AsKernelSession {
namespace {

unsigned g_flags = 0;

// Runs one shutdown step when its flag is set, clearing the flag after it.
template <class Step>
void stopIfStarted(Flag flag, Step step) {
    if (!(g_flags & flag)) return;
    step();
    g_flags &= ~static_cast<unsigned>(flag);
}

void checkLogical(logical result, const char* call) {
    if (!result) throw std::runtime_error(call);
}

}  // namespace

void start() {
    AsOutcomeCheck(api_start_modeller(0));
    checkLogical(initialize_base(nullptr), "initialize_base");
    g_flags |= kBase;
    checkLogical(initialize_law(), "initialize_law");
    g_flags |= kLaw;
    AsOutcomeCheck(api_initialize_kernel());
    g_flags |= kKernel;
    AsOutcomeCheck(api_initialize_spline());
    g_flags |= kSpline;
    AsOutcomeCheck(api_initialize_faceter());
    g_flags |= kFaceter;
    AsOutcomeCheck(api_initialize_rendering());
    g_flags |= kRendering;
}

void shutdown() {
    if (g_flags == 0) return;
    try {
        stopIfStarted(kFaceter, [] { AsOutcomeCheck(api_terminate_faceter()); });
        stopIfStarted(kRendering, [] { AsOutcomeCheck(api_terminate_rendering()); });
        stopIfStarted(kSpline, [] { AsOutcomeCheck(api_terminate_spline()); });
        stopIfStarted(kKernel, [] { AsOutcomeCheck(api_terminate_kernel()); });
        stopIfStarted(kLaw, [] { terminate_law(); });
        stopIfStarted(kBase, [] { terminate_base(); });
        AsOutcomeCheck(api_stop_modeller());
    } catch (const std::exception&) {
    }
}

unsigned flags() { return g_flags; }

}  // namespace AsKernelSession
