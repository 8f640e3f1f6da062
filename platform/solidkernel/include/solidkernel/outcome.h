// The result of a kernel API call: an error number, 0 when the call succeeded.
// Every api_ function returns one; callers read error_number() and ok().
#pragma once

typedef int logical;
typedef int err_mess_type;

class outcome {
public:
    outcome() = default;
    explicit outcome(err_mess_type errorNumber) : errorNumber_(errorNumber) {}

    err_mess_type error_number() const { return errorNumber_; }
    logical ok() const { return errorNumber_ == 0; }

private:
    err_mess_type errorNumber_ = 0;
};
