// Reading, writing and visiting record fields, raw data and subtypes.
#include "SatContext.h"
#include "solidkernel/errors.h"
#include "solidkernel/fieldio.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

using namespace kernel_errors;

void kernel_fail(err_mess_type number) { throw kernel_failure{number}; }

FieldIo FieldIo::reader(RestoreContext& context) {
    FieldIo io(kRead);
    io.restore_ = &context;
    io.version_ = context.version;
    return io;
}
FieldIo FieldIo::writer(SaveContext& context) {
    FieldIo io(kWrite);
    io.save_ = &context;
    io.version_ = context.version;
    return io;
}
FieldIo FieldIo::fixer(ENTITY* array[], int count) {
    FieldIo io(kFix);
    io.array_ = array;
    io.count_ = count;
    return io;
}
FieldIo FieldIo::scanner(ENTITY_LIST& list) {
    FieldIo io(kScan);
    io.list_ = &list;
    return io;
}
FieldIo FieldIo::unfixer(ENTITY_LIST& list) {
    FieldIo io(kUnfix);
    io.list_ = &list;
    return io;
}

bool FieldIo::isAsm() const { return restore_ && restore_->asmText; }

void FieldIo::check() {
    FileInterface* file = restore_ ? restore_->file : save_ ? save_->file : nullptr;
    if (file && file->failure()) kernel_fail(file->failure());
}

void FieldIo::entity(ENTITY*& field) {
    switch (mode_) {
    case kRead:
        field = index_to_entity(restore_->file->read_pointer());
        check();
        break;
    case kWrite: {
        long index = -1;
        if (field) {
            auto it = save_->index.find(field);
            if (it == save_->index.end()) kernel_fail(kWriteFailed);
            index = it->second;
        }
        save_->file->write_pointer(index);
        break;
    }
    case kFix: {
        long index = field ? entity_to_index(field) : -1;
        field = resolve_index(field, array_, count_);
        RestoreContext* restore = current_restore();
        if (field && restore && restore->fixEdges) restore->fixEdges->push_back(index);
        break;
    }
    case kScan:
        if (field) list_->add(field);
        break;
    case kUnfix:
        field = field ? index_to_entity(list_->lookup(field)) : nullptr;
        break;
    }
}

void FieldIo::skipPointer() {
    if (mode_ == kRead) {
        restore_->file->read_pointer();
        check();
    } else if (mode_ == kWrite) {
        save_->file->write_pointer(-1);
    }
}

void FieldIo::integer(int& value) {
    long v = value;
    longint(v);
    value = static_cast<int>(v);
}

void FieldIo::longint(long& value) {
    if (mode_ == kRead) {
        value = restore_->file->read_long();
        check();
    } else if (mode_ == kWrite) {
        save_->file->write_long(value);
    }
}

void FieldIo::real(double& value) {
    if (mode_ == kRead) {
        value = restore_->file->read_double();
        check();
    } else if (mode_ == kWrite) {
        save_->file->write_double(value);
    }
}

void FieldIo::logical(bool& value, const char* falseText, const char* trueText) {
    if (mode_ == kRead) {
        value = restore_->file->read_logical(falseText, trueText) != 0;
        check();
    } else if (mode_ == kWrite) {
        save_->file->write_logical(value, falseText, trueText);
    }
}

void FieldIo::interval(Interval& range) {
    logical(range.lowFinite, "I", "F");
    if (range.lowFinite) real(range.low);
    logical(range.highFinite, "I", "F");
    if (range.highFinite) real(range.high);
}

void FieldIo::position(SPAvector& p) {
    real(p.x);
    real(p.y);
    real(p.z);
}

void FieldIo::vector(SPAvector& v) { position(v); }

void FieldIo::string(std::string& text) {
    if (mode_ == kRead) {
        FileInterface* file = restore_->file;
        if (has_at_strings(version_)) {
            // Skip blanks up to the '@' that introduces the length.
            int c;
            do {
                c = file->read_char();
            } while (c == ' ' || c == '\t' || c == '\r' || c == '\n');
            if (c != '@') kernel_fail(kBadToken);
        }
        int length = 0;
        char* block = file->read_string(length);
        check();
        text.assign(block ? block : "", block ? static_cast<std::size_t>(length) : 0);
        acis_discard(block);
    } else if (mode_ == kWrite) {
        FileInterface* file = save_->file;
        if (has_at_strings(version_)) file->write_char('@');
        file->write_long(static_cast<long>(text.size()));
        file->write_literal_string(text.data(), text.size());
    }
}

namespace {

std::string trimmed(const char* text) {
    const char* begin = text;
    while (*begin && std::isspace(static_cast<unsigned char>(*begin))) ++begin;
    const char* end = begin + std::strlen(begin);
    while (end > begin && std::isspace(static_cast<unsigned char>(end[-1]))) --end;
    return std::string(begin, end);
}

// Text of a newer version written for an older one: "@7 unknown" becomes "7 unknown".
std::string withoutAtStrings(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    std::size_t i = 0;
    while (i < text.size()) {
        bool tokenStart = i == 0 || std::isspace(static_cast<unsigned char>(text[i - 1]));
        if (tokenStart && text[i] == '@' && i + 1 < text.size() &&
            std::isdigit(static_cast<unsigned char>(text[i + 1]))) {
            std::size_t j = i + 1;
            std::size_t n = 0;
            while (j < text.size() && std::isdigit(static_cast<unsigned char>(text[j])) && n < 1000000)
                n = n * 10 + static_cast<std::size_t>(text[j++] - '0');
            std::size_t stringEnd = std::min(text.size(), j + 1 + n);
            out.append(text, i + 1, stringEnd - (i + 1));
            i = stringEnd;
            continue;
        }
        out += text[i++];
    }
    return out;
}

void writeItems(SaveContext& save, const RawData& data, std::size_t from, std::size_t to) {
    FileInterface* file = save.file;
    for (std::size_t i = from; i < to; ++i) {
        const RawItem& item = data[i];
        switch (item.kind) {
        case RawItem::kText: {
            std::string text = has_at_strings(save.version) ? item.text : withoutAtStrings(item.text);
            file->write_literal_string(text.data(), text.size());
            break;
        }
        case RawItem::kPointer: {
            long index = -1;
            if (item.ptr) {
                auto it = save.index.find(item.ptr);
                if (it == save.index.end()) kernel_fail(kWriteFailed);
                index = it->second;
            }
            file->write_pointer(index);
            break;
        }
        case RawItem::kOpen: file->write_subtype_start(); break;
        case RawItem::kClose: file->write_subtype_end(); break;
        }
    }
}

void visitItems(FieldIo& io, RawData& data) {
    for (RawItem& item : data)
        if (item.kind == RawItem::kPointer) io.entity(item.ptr);
}

}  // namespace

void FieldIo::rest(RawData& data) {
    if (mode_ == kRead) {
        data.clear();
        FileInterface* file = restore_->file;
        for (;;) {
            TaggedData* item = file->read_tagged_data();
            check();
            if (!item) break;
            RawItem raw;
            switch (item->kind()) {
            case TaggedData::kPointer:
                raw.kind = RawItem::kPointer;
                raw.ptr = index_to_entity(item->value());
                break;
            case TaggedData::kSubtypeStart: raw.kind = RawItem::kOpen; break;
            case TaggedData::kSubtypeEnd: raw.kind = RawItem::kClose; break;
            default:
                if (!item->text()) {  // the data ended inside the record
                    delete item;
                    kernel_fail(kUnexpectedEnd);
                }
                raw.text = trimmed(item->text());
                break;
            }
            delete item;
            if (raw.kind == RawItem::kText && raw.text.empty()) continue;
            data.push_back(std::move(raw));
        }
        restore_->recordEnded = true;
    } else if (mode_ == kWrite) {
        writeItems(*save_, data, 0, data.size());
    } else {
        visitItems(*this, data);
    }
}

void FieldIo::subtype(RawData& data) {
    if (mode_ == kWrite) {
        writeItems(*save_, data, 0, data.size());
        return;
    }
    if (mode_ != kRead) {
        visitItems(*this, data);
        return;
    }
    data.clear();
    FileInterface* file = restore_->file;
    if (!file->read_subtype_start()) {
        check();
        kernel_fail(kBadSubtype);
    }
    // Definitions open in this subtype, innermost last: (index in subtypes, start in data).
    // Every '{' is followed by a name (or "ref n"); the subtype ends when its '{' closes.
    std::vector<std::pair<std::size_t, std::size_t>> open;
    auto countCopied = [this](std::size_t items) {
        constexpr std::size_t kFreeCopies = 200000, kCopiesPerItemRead = 64;
        restore_->subtypeItemsCopied += items;
        if (restore_->subtypeItemsCopied > kFreeCopies + kCopiesPerItemRead * restore_->subtypeItemsRead)
            kernel_fail(kBadSubtype);
    };
    data.push_back(RawItem{RawItem::kOpen, nullptr, {}});
    bool justOpened = true;
    for (;;) {
        std::size_t openAt = data.size() - 1;
        TaggedData* item = file->read_tagged_data();
        check();
        if (!item) kernel_fail(kBadSubtype);  // record ended inside the subtype
        ++restore_->subtypeItemsRead;
        TaggedData::Kind kind = item->kind();
        bool ended = kind == TaggedData::kText && !item->text();
        std::string text = item->text() ? trimmed(item->text()) : std::string();
        long value = item->value();
        delete item;
        if (ended) kernel_fail(kUnexpectedEnd);
        if (justOpened) {
            justOpened = false;
            if (kind != TaggedData::kText || text.empty()) kernel_fail(kBadSubtype);  // no name
            if (text.compare(0, 3, "ref") == 0 && (text.size() == 3 || std::isspace(static_cast<unsigned char>(text[3])))) {
                // "{ ref n }": the n-th definition of the file, copied whole.
                char* end = nullptr;
                long n = std::strtol(text.c_str() + 3, &end, 10);
                if (end == text.c_str() + 3 || n < 0 || static_cast<std::size_t>(n) >= restore_->subtypes.size() ||
                    restore_->subtypes[n].empty())
                    kernel_fail(kBadSubtype);
                TaggedData* close = file->read_tagged_data();
                check();
                bool closes = close && close->kind() == TaggedData::kSubtypeEnd;
                delete close;
                if (!closes) kernel_fail(kBadSubtype);
                data.pop_back();  // the '{' is part of the copied definition
                const RawData& def = restore_->subtypes[n];
                countCopied(def.size());
                data.insert(data.end(), def.begin(), def.end());
                if (open.empty()) return;
                continue;
            }
            if (has_subtype_index(version_)) {
                // "{ exactsur 0 full ...": the definition's index is implied by its order.
                std::size_t nameEnd = text.find_first_of(" \t\r\n");
                if (nameEnd != std::string::npos) {
                    std::size_t numberStart = text.find_first_not_of(" \t\r\n", nameEnd);
                    std::size_t numberEnd = text.find_first_of(" \t\r\n", numberStart);
                    std::string number = text.substr(numberStart, numberEnd - numberStart);
                    if (!number.empty() && number.find_first_not_of("-0123456789") == std::string::npos)
                        text = text.substr(0, nameEnd) +
                               (numberEnd == std::string::npos ? "" : text.substr(numberEnd));
                }
            }
            open.emplace_back(restore_->subtypes.size(), openAt);
            restore_->subtypes.emplace_back();
            if (restore_->subtypes.size() > 1000000) kernel_fail(kBadSubtype);
        }
        if (kind == TaggedData::kSubtypeStart) {
            data.push_back(RawItem{RawItem::kOpen, nullptr, {}});
            justOpened = true;
        } else if (kind == TaggedData::kSubtypeEnd) {
            data.push_back(RawItem{RawItem::kClose, nullptr, {}});
            auto [defIndex, start] = open.back();
            open.pop_back();
            countCopied(data.size() - start);
            restore_->subtypes[defIndex].assign(data.begin() + static_cast<long>(start), data.end());
            if (open.empty()) return;
        } else if (kind == TaggedData::kPointer) {
            data.push_back(RawItem{RawItem::kPointer, index_to_entity(value), {}});
        } else if (!text.empty()) {
            data.push_back(RawItem{RawItem::kText, nullptr, std::move(text)});
        }
        if (data.size() > 10000000) kernel_fail(kBadSubtype);
    }
}

std::vector<std::string> raw_tokens(const RawData& data) {
    std::vector<std::string> tokens;
    for (const RawItem& item : data) {
        if (item.kind == RawItem::kOpen) { tokens.emplace_back("{"); continue; }
        if (item.kind == RawItem::kClose) { tokens.emplace_back("}"); continue; }
        if (item.kind == RawItem::kPointer) { tokens.emplace_back("$"); continue; }
        const std::string& t = item.text;
        std::size_t i = 0;
        while (i < t.size()) {
            while (i < t.size() && std::isspace(static_cast<unsigned char>(t[i]))) ++i;
            if (i >= t.size()) break;
            std::size_t j = i;
            while (j < t.size() && !std::isspace(static_cast<unsigned char>(t[j]))) ++j;
            if (t[i] == '@' && j > i + 1) {
                unsigned long n = std::strtoul(t.c_str() + i + 1, nullptr, 10);
                std::size_t start = std::min(t.size(), j + 1);
                // Clamped before adding: a huge count must not wrap the end below start.
                std::size_t end = start + std::min<std::size_t>(n, t.size() - start);
                tokens.emplace_back(t, start, end - start);
                i = end;
                continue;
            }
            tokens.emplace_back(t, i, j - i);
            i = j;
        }
    }
    return tokens;
}
