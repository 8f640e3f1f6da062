// Integer options, logging state, save version and file information.
#include "KernelState.h"
#include "solidkernel/errors.h"
#include "solidkernel/options.h"

#include <cstring>

namespace {

using namespace kernel_errors;

struct OptionRule {
    const char* name;
    int low;
    int high;
    int initial;
};

constexpr OptionRule kOptions[] = {
    {"check_level", 0, 70, 20},
    {"compress_bb", 0, 1, 0},
    {"annotations", 0, 1, 1},
    {"sequence_save_files", 0, 1, 0},
    {"tolerant_restore", 0, 1, 1},
};

const OptionRule* findOption(const char* name) {
    if (!name) return nullptr;
    for (const OptionRule& rule : kOptions)
        if (std::strcmp(rule.name, name) == 0) return &rule;
    return nullptr;
}

}  // namespace

outcome api_set_int_option(const char* name, int value) {
    if (err_mess_type injected = takeInjectedFailure("api_set_int_option")) return outcome(injected);
    const OptionRule* rule = findOption(name);
    if (!rule) return outcome(kUnknownOption);
    if (value < rule->low || value > rule->high) return outcome(kBadOptionValue);
    kernelState().intOptions[rule->name] = value;
    return outcome();
}

outcome api_get_int_option(const char* name, int& value) {
    const OptionRule* rule = findOption(name);
    if (!rule) return outcome(kUnknownOption);
    auto it = kernelState().intOptions.find(rule->name);
    value = it == kernelState().intOptions.end() ? rule->initial : it->second;
    return outcome();
}

outcome api_logging(logical on) {
    if (err_mess_type injected = takeInjectedFailure("api_logging")) return outcome(injected);
    kernelState().logging = on ? 1 : 0;
    return outcome();
}

logical logging_opt_on() { return kernelState().logging; }
void set_logging(logical on) { kernelState().logging = on ? 1 : 0; }

outcome api_save_version(int major, int minor) {
    if (err_mess_type injected = takeInjectedFailure("api_save_version")) return outcome(injected);
    // Text versions the writer knows: 1.x to 7.x, and 13.0 onwards up to 40.
    bool known = (major >= 1 && major <= 7) || (major >= 13 && major <= 40);
    if (!known || minor < 0 || minor > 99) return outcome(kBadSaveVersion);
    kernelState().saveMajor = major;
    kernelState().saveMinor = minor;
    return outcome();
}

void get_save_version(int& major, int& minor) {
    major = kernelState().saveMajor;
    minor = kernelState().saveMinor;
}

outcome api_set_file_info(unsigned long mask, const FileInfo& info) {
    if (err_mess_type injected = takeInjectedFailure("api_set_file_info")) return outcome(injected);
    if (mask & ~(FileInfo::kProductId | FileInfo::kUnits)) return outcome(kBadFileInfo);
    if ((mask & FileInfo::kUnits) && !(info.units() > 0.0)) return outcome(kBadFileInfo);
    FileInfo& stored = kernelState().fileInfo;
    if (mask & FileInfo::kProductId) stored.set_product_id(info.product_id());
    if (mask & FileInfo::kUnits) stored.set_units(info.units());
    return outcome();
}

outcome api_get_file_info(FileInfo& info) {
    info = kernelState().fileInfo;
    return outcome();
}
