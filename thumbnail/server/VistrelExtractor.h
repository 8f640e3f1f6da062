// The thumbnail extractor, the server's one class. The shell loads a drawing's path into
// it (IPersistFile), tells it the size it wants (IExtractImage::GetLocation) and asks for
// the bitmap (Extract); the drawing is read and drawn by renderThumbnail. Created plain or
// aggregated; apartment-threaded, so its reference count is a plain counter.
#pragma once

#include <objbase.h>
#include <shobjidl.h>

namespace vistrel {

// Bytes of the ANSI path field, its NUL included; the UTF-16 path kept beside it has the
// same limit in characters.
constexpr int kPathField = 500;

class VistrelExtractor final : public IPersistFile, public IExtractImage2 {
public:
    // The class table's instance creator: plain without an outer object, else aggregated
    // (the factory lets only IID_IUnknown through for that).
    static HRESULT create(IUnknown* outer, REFIID iid, void** out);

    // IUnknown: the object's own, or the outer object's when aggregated.
    STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
    STDMETHODIMP_(ULONG) AddRef() override;
    STDMETHODIMP_(ULONG) Release() override;

    // IPersist, IPersistFile: only Load is supported.
    STDMETHODIMP GetClassID(CLSID* classId) override;
    STDMETHODIMP IsDirty() override;
    STDMETHODIMP Load(LPCOLESTR path, DWORD mode) override;
    STDMETHODIMP Save(LPCOLESTR path, BOOL remember) override;
    STDMETHODIMP SaveCompleted(LPCOLESTR path) override;
    STDMETHODIMP GetCurFile(LPOLESTR* path) override;

    // IExtractImage, IExtractImage2.
    STDMETHODIMP GetLocation(LPWSTR pathBuffer, DWORD pathLength, DWORD* priority, const SIZE* size, DWORD colourDepth,
                             DWORD* flags) override;
    STDMETHODIMP Extract(HBITMAP* bitmap) override;
    STDMETHODIMP GetDateStamp(FILETIME* stamp) override;

private:
    // The unknown an outer object holds: it answers IID_IUnknown with itself and owns the
    // reference count.
    class InnerUnknown final : public IUnknown {
    public:
        explicit InnerUnknown(VistrelExtractor& owner) : owner_(owner) {}
        STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
        STDMETHODIMP_(ULONG) AddRef() override;
        STDMETHODIMP_(ULONG) Release() override;

    private:
        VistrelExtractor& owner_;
    };

    explicit VistrelExtractor(IUnknown* outer);
    ~VistrelExtractor();
    VistrelExtractor(const VistrelExtractor&) = delete;
    VistrelExtractor& operator=(const VistrelExtractor&) = delete;

    // The interface map: IPersistFile, IExtractImage, IExtractImage2, in this order.
    HRESULT findInterface(REFIID iid, void** out);
    ULONG addRefOwn();
    ULONG releaseOwn();

    long refs_ = 0;
    long width_ = 0;
    long height_ = 0;
    HBITMAP bitmap_ = nullptr;  // the last one handed out; the caller's, never deleted here
    char path_[kPathField] = {};
    wchar_t widePath_[kPathField] = {};
    IUnknown* outer_;  // null for a plain object
    InnerUnknown inner_;
};

}  // namespace vistrel
