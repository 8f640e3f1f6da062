// Saving entity text: the header with the file information, every entity reachable from
// the list (top-level ones first) in discovery order, and the end marker.
#include "KernelState.h"
#include "SatContext.h"
#include "solidkernel/errors.h"
#include "solidkernel/kernelapi.h"
#include "solidkernel/options.h"

#include <cstring>
#include <new>
#include <string>

using namespace kernel_errors;

namespace {

void writeHeaderString(FileInterface* file, int version, const std::string& text) {
    if (version >= 700) file->write_char('@');
    file->write_long(static_cast<long>(text.size()));
    file->write_literal_string(text.data(), text.size());
}

void check(SaveContext& context) {
    if (context.failure) kernel_fail(context.failure);
    if (context.file->failure()) kernel_fail(context.file->failure());
}

}  // namespace

outcome api_save_entity_list_file(FileInterface* file, ENTITY_LIST& list) {
    if (!file) return outcome(kNullEntity);
    SaveContext context;
    context.file = file;
    int major = 0, minor = 0;
    get_save_version(major, minor);
    // Newer layouts than 7.0 are written as 7.0.
    context.version = std::min(major * 100 + minor, 700);
    SaveContext* previous = current_save();
    set_current_save(&context);
    err_mess_type result = kNone;
    try {
        ENTITY_LIST all;
        for (int i = 0; i < list.count(); ++i)
            if (list[i]) all.add(list[i]);
        if (all.count() == 0) kernel_fail(kNullEntity);
        int topLevel = all.count();
        for (int i = 0; i < all.count(); ++i) all[i]->copy_scan(all, SCAN_SAVE);
        context.index.reserve(static_cast<std::size_t>(all.count()));
        for (int i = 0; i < all.count(); ++i) context.index.emplace(all[i], i);

        file->write_header(context.version, 0, topLevel, 0);
        if (context.version >= 200) {
            const FileInfo& info = kernelState().fileInfo;
            char kernelText[32];
            std::snprintf(kernelText, sizeof kernelText, "SolidKernel %d.%d", major, minor);
            writeHeaderString(file, context.version, info.product_id());
            writeHeaderString(file, context.version, kernelText);
            writeHeaderString(file, context.version, "");  // no date: equal models give equal text
            file->write_newline(1);
            file->write_double(info.units());
            file->write_double(1e-06);
            file->write_double(1e-10);
            file->write_newline(1);
        }
        check(context);
        for (int i = 0; i < all.count(); ++i) {
            all[i]->save();
            check(context);
        }
        const char marker[] = "End-of-ACIS-data";
        file->write_literal_string(marker, sizeof marker - 1);
        file->write_newline(1);
        check(context);
        if (!file->final_query()) kernel_fail(kWriteFailed);
    } catch (const kernel_failure& failure) {
        result = failure.number ? failure.number : kWriteFailed;
    } catch (const std::bad_alloc&) {
        result = kWriteFailed;
    } catch (...) {
        result = kWriteFailed;
    }
    set_current_save(previous);
    return outcome(result);
}
