// The kernel's API bracket around work the bridge does with kernel objects directly: errors
// of the work become the bracket's outcome, the logging state is kept, and a pending
// interrupt is raised once the bracket is closed.
#pragma once

#include "AsTools.h"
#include "solidkernel/bracket.h"
#include "solidkernel/errors.h"
#include "solidkernel/options.h"

#include <exception>

template <class Work>
void AsApiBracket(Work work) {
    set_global_error_info(nullptr);
    const logical logging = logging_opt_on();
    api_bb_begin(1);
    outcome result;
    try {
        ACISExceptionCheck("API");
        work();
        update_from_bb();
    } catch (const kernel_error& error) {
        result = outcome(error.error_number());
    } catch (const std::exception&) {
        // A failed check inside the work left its number behind.
        result = outcome(asLastError() ? asLastError() : kernel_errors::kBadParameter);
    }
    api_bb_end(result, 1);
    set_logging(logging);
    if (acis_interrupted()) {
        kernel_interrupt(0);
        asSetLastError(kernel_errors::kInterrupted);
        sys_error(kernel_errors::kInterrupted);
    }
    AsOutcomeCheck(result);
}
