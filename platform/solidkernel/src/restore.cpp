// Restoring entity text: header, records by type name through the restore registry,
// pointer fix-up, and the top-level entities handed back. Any failure deletes everything
// restored so far.
#include "KernelClasses.h"
#include "solidkernel/attrib.h"
#include "solidkernel/errors.h"
#include "solidkernel/kernelapi.h"
#include "solidkernel/testhooks.h"

#include <cstring>
#include <memory>
#include <new>
#include <string>

using namespace kernel_errors;

namespace {

constexpr long kMaxRecords = 1L << 24;

// Type names are ASCII; these run once per record, so they avoid the locale's classifiers.
char lowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool isAsciiLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }

bool startsWithNoCase(const char* text, const char* prefix) {
    for (; *prefix; ++text, ++prefix)
        if (lowerAscii(*text) != lowerAscii(*prefix)) return false;
    return true;
}

// The registered restore function for a type chain ("color-adesk-attrib"), or null.
RESTORE_FN findRestore(const char* chain) {
    const subclass_list* list = &entity_subclasses();
    const restore_def* def = nullptr;
    std::size_t end = std::strlen(chain);
    while (end > 0) {
        std::size_t start = end;
        while (start > 0 && chain[start - 1] != '-') --start;
        if (!list) return nullptr;
        def = list->find(chain + start, end - start);
        if (!def) return nullptr;
        list = def->subclasses();
        end = start > 0 ? start - 1 : 0;
        if (start == 0) break;
    }
    return def ? def->restore() : nullptr;
}

// Type names are words of letters, digits and '_' joined by '-', starting with a letter.
// A lone "T" is refused: followed by a string it reads as the preamble line of newer texts,
// so such a record would be skipped when its saved text is read again.
bool isTypeName(const char* chain) {
    if (!isAsciiLetter(chain[0])) return false;
    if (chain[0] == 'T' && chain[1] == '\0') return false;
    for (const char* c = chain; *c; ++c)
        if (!isAsciiLetter(*c) && !isAsciiDigit(*c) && *c != '_' && *c != '-') return false;
    return true;
}

bool isAttribChain(const char* chain) {
    std::size_t n = std::strlen(chain);
    return n >= 6 && std::strcmp(chain + n - 6, "attrib") == 0 && (n == 6 || chain[n - 7] == '-');
}

ENTITY* restoreUnknown(const char* chain) {
    ENTITY* entity;
    if (isAttribChain(chain)) {
        ATTRIB_GENERIC* attrib = new ATTRIB_GENERIC();
        attrib->set_type_chain(chain);
        entity = attrib;
    } else {
        UNKNOWN_ENTITY* unknown = new UNKNOWN_ENTITY();
        unknown->set_type_chain(chain);
        entity = unknown;
    }
    try {
        FieldIo reader = FieldIo::reader(*current_restore());
        entity->io(reader);
    } catch (...) {
        delete entity;
        throw;
    }
    return entity;
}

void checkFile(FileInterface* file) {
    if (file->failure()) kernel_fail(file->failure());
}

// A string of the header's second line: "@n text" or "n text".
void skipHeaderString(FileInterface* file) {
    FilePosition mark = file->set_mark();
    int c;
    do {
        c = file->read_char();
    } while (c == ' ' || c == '\t' || c == '\r' || c == '\n');
    if (c != '@') file->goto_mark(mark);
    int length = 0;
    acis_discard(file->read_string(length));
    checkFile(file);
}

bool atEnd(FileInterface* file) {
    FilePosition mark = file->set_mark();
    int c;
    do {
        c = file->read_char();
    } while (c == ' ' || c == '\t' || c == '\r' || c == '\n');
    if (c == EOF) return true;
    file->goto_mark(mark);
    return false;
}

// Entities restored so far; deletes them all unless released.
struct Restored {
    std::vector<ENTITY*> created;
    ~Restored() {
        for (ENTITY* e : created) delete e;
    }
};

void readHeader(RestoreContext& context, long& records, long& topLevel) {
    FileInterface* file = context.file;
    long version = 0, flags = 0;
    logical more = file->read_header(version, records, topLevel, flags);
    checkFile(file);
    if (!more) kernel_fail(kBadHeader);
    if (version < 100 || version > 100000 || records < 0 || topLevel < 0 || records > kMaxRecords)
        kernel_fail(kBadHeader);
    context.version = static_cast<int>(version);
    context.asmText = version >= 20000;
    if (version >= 200) {
        for (int i = 0; i < 3; ++i) skipHeaderString(file);
        for (int i = 0; i < 3; ++i) file->read_double();
        checkFile(file);
        // Newer writers may add a "T @n key" line before the records: "T" then a counted string.
        FilePosition mark = file->set_mark();
        char word[8];
        int c = EOF;
        if (!atEnd(file) && file->read_id(word, sizeof word) && std::strcmp(word, "T") == 0) {
            do {
                c = file->read_char();
            } while (c == ' ' || c == '\t');
        }
        if (c == '@') {
            while (c != '\n' && c != EOF) c = file->read_char();
        } else {
            file->clear_failure();
            file->goto_mark(mark);
        }
    }
}

}  // namespace

namespace {
long g_restoreCalls = 0;
}

long kernel_test::restoreCalls() { return g_restoreCalls; }

outcome api_restore_entity_list_file(FileInterface* file, ENTITY_LIST& list) {
    ++g_restoreCalls;
    if (!file) return outcome(kNullEntity);
    RestoreContext context;
    context.file = file;
    RestoreContext* previous = current_restore();
    set_current_restore(&context);
    Restored restored;
    err_mess_type result = kNone;
    try {
        long records = 0, topLevel = 0;
        readHeader(context, records, topLevel);
        std::vector<ENTITY*> byIndex;
        std::vector<bool> present;
        long next = 0, read = 0;
        char type[256];
        while (records == 0 || read < records) {
            if (atEnd(file)) break;
            long sequence = file->read_sequence_number();
            checkFile(file);
            if (sequence >= 0) next = sequence;
            if (!file->read_id(type, sizeof type)) checkFile(file), kernel_fail(kReadFailed);
            checkFile(file);
            if (startsWithNoCase(type, "End-of-") || startsWithNoCase(type, "Begin-of-")) break;
            if (!isTypeName(type)) kernel_fail(kUnknownEntityType);
            if (next < 0 || next >= kMaxRecords) kernel_fail(kBadPointer);
            context.recordEnded = false;
            RESTORE_FN restore = findRestore(type);
            ENTITY* entity = restore ? restore() : restoreUnknown(type);
            if (entity) restored.created.push_back(entity);
            checkFile(file);
            if (context.failure) kernel_fail(context.failure);
            if (!context.recordEnded) {
                RawData rest;  // what a known record adds in newer versions (boxes, ...)
                FieldIo reader = FieldIo::reader(context);
                reader.rest(rest);
            }
            if (static_cast<std::size_t>(next) >= byIndex.size()) {
                byIndex.resize(next + 1, nullptr);
                present.resize(next + 1, false);
            }
            if (present[next]) kernel_fail(kBadPointer);  // two records with one number
            present[next] = true;
            byIndex[next] = entity;
            ++next;
            ++read;
        }
        // Fix-up turns indices into entities and notes, record by record, where each points.
        int count = static_cast<int>(byIndex.size());
        std::vector<long> edges;
        std::vector<std::size_t> firstEdge(static_cast<std::size_t>(count) + 1, 0);
        context.fixEdges = &edges;
        for (int i = 0; i < count; ++i) {
            firstEdge[i] = edges.size();
            if (byIndex[i]) byIndex[i]->fix_common(byIndex.data(), count);
        }
        firstEdge[count] = edges.size();
        context.fixEdges = nullptr;
        // Edges (and any subclass) by the kernel's type identity, which costs far less per
        // record than a dynamic_cast.
        for (ENTITY* e : byIndex)
            if (e && e->identity(1) == EDGE_TYPE) static_cast<EDGE*>(e)->finish_restore();

        // The top-level entities are the first records. Each owns what it reaches; two that
        // share anything would be deleted twice, so such text is refused. What no top-level
        // entity reaches goes.
        ENTITY_LIST top;
        long first = std::max<long>(topLevel, 1);
        std::vector<int> owner(static_cast<std::size_t>(count), -1);
        std::vector<long> queue;
        for (long i = 0; i < first && i < count; ++i) {
            if (!byIndex[i]) continue;
            int t = top.count();
            top.add(byIndex[i]);
            if (owner[i] >= 0) kernel_fail(kBadPointer);
            owner[i] = t;
            queue.assign(1, i);
            long reached = 0;
            while (!queue.empty()) {
                long at = queue.back();
                queue.pop_back();
                for (std::size_t k = firstEdge[at]; k < firstEdge[at + 1]; ++k) {
                    long to = edges[k];
                    if (owner[to] == t) continue;
                    if (owner[to] >= 0) kernel_fail(kBadPointer);
                    owner[to] = t;
                    queue.push_back(to);
                    ++reached;
                }
            }
            // Deleting an attribute frees the attribute alone, so what a top-level attribute
            // reaches would never be freed: such text is refused too.
            if (reached > 0 && dynamic_cast<ATTRIB*>(byIndex[i])) kernel_fail(kBadPointer);
        }
        if (top.count() == 0) kernel_fail(kReadFailed);
        for (int i = 0; i < count; ++i)
            if (owner[i] < 0) delete byIndex[i];
        restored.created.clear();
        for (int i = 0; i < top.count(); ++i) list.add(top[i]);
    } catch (const kernel_failure& failure) {
        result = failure.number ? failure.number : kReadFailed;
    } catch (const std::bad_alloc&) {
        result = kReadFailed;
    } catch (...) {
        result = kReadFailed;
    }
    set_current_restore(previous);
    return outcome(result);
}
