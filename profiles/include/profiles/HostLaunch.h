// Starting a CAD program with a profile: the host kind comes from the profiles key path,
// the program file from the system's search for executables.
#pragma once

#include "profiles/CommandLines.h"

#include <string>

namespace profiles {

struct LaunchResult {
    HostKind kind = HostKind::None;
    std::string program;     // the file found, empty when none was
    std::string parameters;  // what it was started with
    bool started = false;
};

// Starts the host of `root`'s kind with `profile` and returns at once. Nothing happens for
// a root of no host kind or an empty profile name; a program that cannot be found shows the
// system's error text after the program's name.
LaunchResult launchHost(const std::string& root, const std::string& profile);

}  // namespace profiles
