// Kernel options, roll-back logging, the save version and the file information written
// into the header of saved entity text.
#pragma once

#include "solidkernel/outcome.h"

#include <string>

// Integer options by name. Known names: "check_level", "compress_bb", "annotations",
// "sequence_save_files", "tolerant_restore".
outcome api_set_int_option(const char* name, int value);
outcome api_get_int_option(const char* name, int& value);

// Roll-back logging on or off; logging_opt_on reads the state, set_logging restores it.
outcome api_logging(logical on);
logical logging_opt_on();
void set_logging(logical on);

// The version entity text is saved in, as major and minor numbers (6, 0 for "600").
outcome api_save_version(int major, int minor);
void get_save_version(int& major, int& minor);

// Product id and units of the save header. api_set_file_info copies the parts named by
// the mask (bit 1 product id, bit 2 units).
class FileInfo {
public:
    enum : unsigned long { kProductId = 1, kUnits = 2 };

    void set_product_id(const char* id) { productId_ = id ? id : ""; }
    void set_units(double units) { units_ = units; }
    const char* product_id() const { return productId_.c_str(); }
    double units() const { return units_; }

private:
    std::string productId_;
    double units_ = -1.0;  // unset
};

outcome api_set_file_info(unsigned long mask, const FileInfo& info);
outcome api_get_file_info(FileInfo& info);
