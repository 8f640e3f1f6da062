// The API bracket: the frame a caller opens around direct kernel work so that failures
// are collected into one outcome. Roll-back is not kept (callers switch logging off),
// so ending a failed bracket only closes it.
#pragma once

#include "solidkernel/outcome.h"

#include <stdexcept>

class error_info_base;

// Clears (or sets) the error information of the last failed operation.
void set_global_error_info(error_info_base* info = nullptr);

void api_bb_begin(logical linear = 1);
void api_bb_end(outcome& result, logical linear = 1, logical alreadyEnded = 0);
void update_from_bb();

// Raises a pending asynchronous failure of the named API frame; none is pending unless a
// test or an interrupt set one.
void ACISExceptionCheck(const char* frame);

// A request to interrupt long kernel work (set by kernel_interrupt, cleared when read
// through acis_interrupted's caller raising it).
logical acis_interrupted();
void kernel_interrupt(logical on);

// A system error raised in the caller's own module: kernel errors never unwind across a
// module boundary, so callers that want one raised as an exception build it here.
class kernel_error : public std::runtime_error {
public:
    explicit kernel_error(err_mess_type number)
        : std::runtime_error("kernel error"), number_(number) {}
    err_mess_type error_number() const { return number_; }

private:
    err_mess_type number_;
};

[[noreturn]] inline void sys_error(err_mess_type number) { throw kernel_error(number); }
