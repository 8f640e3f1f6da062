// The style clipboard on the system clipboard.
#include "ClipboardStyle_win.h"

#include <cstring>

namespace quellon {
namespace {

// The clipboard open for the life of the object, when it could be opened.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope() {
        if (open_) CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool open() const { return open_; }

private:
    bool open_;
};

// A global memory block locked for the life of the object.
class LockedMemory {
public:
    explicit LockedMemory(HGLOBAL memory)
        : memory_(memory), bytes_(memory ? static_cast<unsigned char*>(GlobalLock(memory)) : nullptr) {}
    ~LockedMemory() {
        if (bytes_) GlobalUnlock(memory_);
    }
    LockedMemory(const LockedMemory&) = delete;
    LockedMemory& operator=(const LockedMemory&) = delete;
    unsigned char* bytes() const { return bytes_; }

private:
    HGLOBAL memory_;
    unsigned char* bytes_;
};

}  // namespace

unsigned SystemStyleClipboard::registerFormat(const std::string& name) {
    return name.empty() ? 0 : RegisterClipboardFormatA(name.c_str());
}

bool SystemStyleClipboard::holds(unsigned format) {
    const OpenClipboardScope clipboard(owner_);
    return clipboard.open() && IsClipboardFormatAvailable(format);
}

bool SystemStyleClipboard::put(unsigned format, const std::vector<unsigned char>& block) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, block.size());
    if (!memory) return false;
    {
        const LockedMemory locked(memory);
        if (!locked.bytes()) {
            GlobalFree(memory);
            return false;
        }
        std::memcpy(locked.bytes(), block.data(), block.size());
    }
    const OpenClipboardScope clipboard(owner_);
    // Once set, the block belongs to the clipboard.
    if (clipboard.open() && EmptyClipboard() && SetClipboardData(format, memory)) return true;
    GlobalFree(memory);
    return false;
}

bool SystemStyleClipboard::read(unsigned format, const Reader& reader) {
    const OpenClipboardScope clipboard(owner_);
    if (!clipboard.open()) return false;
    HGLOBAL data = static_cast<HGLOBAL>(GetClipboardData(format));
    if (!data) return false;
    // The size of the memory, not what the block says of itself: the block may come from
    // any process.
    const SIZE_T size = GlobalSize(data);
    const LockedMemory locked(data);
    if (!locked.bytes()) return false;
    reader(locked.bytes(), std::size_t(size));
    return true;
}

}  // namespace quellon
