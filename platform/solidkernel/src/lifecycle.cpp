// Start-up and shutdown of the modeller and its components, with the call log and the
// failure injection that tests use.
#include "KernelState.h"
#include "solidkernel/errors.h"
#include "solidkernel/lifecycle.h"
#include "solidkernel/testhooks.h"

namespace {

using namespace kernel_errors;

int& count(const char* component) { return kernelState().components[component]; }

bool initialised(const char* component) { return count(component) > 0; }

// Shared shape of every component call: injected failure, prerequisites, count change.
err_mess_type initialiseComponent(const char* call, const char* component,
                                  std::initializer_list<const char*> needs) {
    if (err_mess_type injected = takeInjectedFailure(call)) return injected;
    if (kernelState().modellerStarts == 0) return kNotStarted;
    for (const char* need : needs)
        if (!initialised(need)) return kComponentNotInitialised;
    count(component) = 1;  // starting a started component again is harmless
    return kNone;
}

err_mess_type terminateComponent(const char* call, const char* component) {
    if (err_mess_type injected = takeInjectedFailure(call)) return injected;
    if (!initialised(component)) return kComponentNotInitialised;
    count(component) = 0;
    return kNone;
}

}  // namespace

KernelState& kernelState() {
    static KernelState state;
    return state;
}

err_mess_type takeInjectedFailure(const char* call) {
    KernelState& state = kernelState();
    auto failing = state.failingCalls.find(call);
    if (failing != state.failingCalls.end()) {
        err_mess_type errorNumber = failing->second;
        state.failingCalls.erase(failing);
        state.callLog.push_back(std::string(call) + "!");
        return errorNumber;
    }
    state.callLog.push_back(call);
    return kNone;
}

err_mess_type takeArmedFailure(const char* call) {
    if (kernelState().failingCalls.empty() || !kernelState().failingCalls.count(call)) return kNone;
    return takeInjectedFailure(call);
}

outcome api_start_modeller(int /*logSize*/) {
    if (err_mess_type injected = takeInjectedFailure("api_start_modeller")) return outcome(injected);
    kernelState().modellerStarts = 1;
    return outcome();
}

outcome api_stop_modeller() {
    if (err_mess_type injected = takeInjectedFailure("api_stop_modeller")) return outcome(injected);
    KernelState& state = kernelState();
    if (state.modellerStarts == 0) return outcome(kAlreadyStopped);
    state.modellerStarts = 0;
    return outcome();
}

logical initialize_base(base_configuration*) {
    return initialiseComponent("initialize_base", "base", {}) == kNone;
}
logical terminate_base() { return terminateComponent("terminate_base", "base") == kNone; }
logical initialize_law() { return initialiseComponent("initialize_law", "law", {"base"}) == kNone; }
logical terminate_law() { return terminateComponent("terminate_law", "law") == kNone; }

outcome api_initialize_kernel() {
    return outcome(initialiseComponent("api_initialize_kernel", "kernel", {"base"}));
}
outcome api_terminate_kernel() { return outcome(terminateComponent("api_terminate_kernel", "kernel")); }
outcome api_initialize_spline() {
    return outcome(initialiseComponent("api_initialize_spline", "spline", {"kernel"}));
}
outcome api_terminate_spline() { return outcome(terminateComponent("api_terminate_spline", "spline")); }
outcome api_initialize_faceter() {
    return outcome(initialiseComponent("api_initialize_faceter", "faceter", {"kernel"}));
}
outcome api_terminate_faceter() {
    return outcome(terminateComponent("api_terminate_faceter", "faceter"));
}
outcome api_initialize_rendering() {
    return outcome(initialiseComponent("api_initialize_rendering", "rendering", {"faceter"}));
}
outcome api_terminate_rendering() {
    return outcome(terminateComponent("api_terminate_rendering", "rendering"));
}

logical kernel_is_running() { return kernelState().modellerStarts > 0 && initialised("kernel"); }

namespace kernel_test {

std::vector<std::string> callLog() { return kernelState().callLog; }
void resetCallLog() { kernelState().callLog.clear(); }

void failNextCall(const std::string& name, err_mess_type errorNumber) {
    if (name.empty())
        kernelState().failingCalls.clear();
    else
        kernelState().failingCalls[name] = errorNumber;
}

int initialisationCount(const std::string& component) {
    if (component == "modeller") return kernelState().modellerStarts;
    auto it = kernelState().components.find(component);
    return it == kernelState().components.end() ? 0 : it->second;
}

}  // namespace kernel_test
