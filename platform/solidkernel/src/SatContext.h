// The state of the restore or save that is running: the file interface, the text version,
// subtype definitions seen so far (restore) and the index of every saved entity (save).
#pragma once

#include "solidkernel/fieldio.h"
#include "solidkernel/fileif.h"

#include <unordered_map>
#include <vector>

struct RestoreContext {
    FileInterface* file = nullptr;
    int version = 0;
    bool asmText = false;          // the forked kernel's texts (20000 and later)
    bool recordEnded = false;      // the current record's terminator was read
    err_mess_type failure = 0;     // set by helpers that must not throw
    std::vector<RawData> subtypes; // definitions in file order, for "{ ref n }"
    // Items of subtype data read from the text, and items copied by definitions and
    // "{ ref n }" expansions: copies may only grow in proportion to what was read, so
    // nested references cannot blow a small text up exponentially.
    std::size_t subtypeItemsRead = 0;
    std::size_t subtypeItemsCopied = 0;
    std::vector<long>* fixEdges = nullptr;  // during fix-up: the record indices pointed to
};

struct SaveContext {
    FileInterface* file = nullptr;
    int version = 600;
    err_mess_type failure = 0;
    std::unordered_map<const ENTITY*, long> index;
};

RestoreContext* current_restore();
SaveContext* current_save();
void set_current_restore(RestoreContext* context);
void set_current_save(SaveContext* context);

// Version rules of entity text.
inline bool has_entity_id(int version) { return version >= 700; }
inline bool has_extra_int(int version) { return version >= 1300 && version < 20000; }
inline bool has_subtype_index(int version) { return version >= 2500 && version < 20000; }
inline bool has_at_strings(int version) { return version >= 700; }
