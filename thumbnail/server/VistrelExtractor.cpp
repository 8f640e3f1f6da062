// The extractor's operations. No exception leaves a method: each one that can meet one
// (allocation, the drawing library's start) turns it into an HRESULT. Nothing here opens a
// window: the shell calls on its own thread, and a box there would stop it.
#include "VistrelExtractor.h"

#include <cwchar>
#include <new>

#include "ConversionCodePage.h"
#include "RenderThumbnail.h"
#include "ServerModule.h"
#include "dialogs/ModuleState.h"
#include "dwg/OdString.h"

namespace vistrel {

// ---------------------------------------------------------------- life and identity

HRESULT VistrelExtractor::create(IUnknown* outer, REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    VistrelExtractor* object = new (std::nothrow) VistrelExtractor(outer);
    if (!object) return E_OUTOFMEMORY;
    object->addRefOwn();  // held while asked for the interface; a refusal destroys it
    const HRESULT hr = outer ? object->inner_.QueryInterface(iid, out) : object->findInterface(iid, out);
    object->releaseOwn();
    return hr;
}

VistrelExtractor::VistrelExtractor(IUnknown* outer) : outer_(outer), inner_(*this) { serverModule().lock(); }

VistrelExtractor::~VistrelExtractor() { serverModule().unlock(); }

HRESULT VistrelExtractor::findInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IPersistFile)) *out = static_cast<IPersistFile*>(this);
    else if (IsEqualIID(iid, IID_IExtractImage) || IsEqualIID(iid, IID_IExtractImage2))
        *out = static_cast<IExtractImage2*>(this);
    else return E_NOINTERFACE;
    static_cast<IUnknown*>(*out)->AddRef();
    return S_OK;
}

ULONG VistrelExtractor::addRefOwn() { return static_cast<ULONG>(++refs_); }

ULONG VistrelExtractor::releaseOwn() {
    const long count = --refs_;
    if (count == 0) delete this;
    return static_cast<ULONG>(count);
}

STDMETHODIMP VistrelExtractor::QueryInterface(REFIID iid, void** out) {
    return outer_ ? outer_->QueryInterface(iid, out) : findInterface(iid, out);
}
STDMETHODIMP_(ULONG) VistrelExtractor::AddRef() { return outer_ ? outer_->AddRef() : addRefOwn(); }
STDMETHODIMP_(ULONG) VistrelExtractor::Release() { return outer_ ? outer_->Release() : releaseOwn(); }

STDMETHODIMP VistrelExtractor::InnerUnknown::QueryInterface(REFIID iid, void** out) {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (IsEqualIID(iid, IID_IUnknown)) {
        *out = static_cast<IUnknown*>(this);
        AddRef();
        return S_OK;
    }
    return owner_.findInterface(iid, out);
}
STDMETHODIMP_(ULONG) VistrelExtractor::InnerUnknown::AddRef() { return owner_.addRefOwn(); }
STDMETHODIMP_(ULONG) VistrelExtractor::InnerUnknown::Release() { return owner_.releaseOwn(); }

// ---------------------------------------------------------------- IPersistFile

// Saving and naming the file are not the extractor's business.
STDMETHODIMP VistrelExtractor::GetClassID(CLSID*) { return E_NOTIMPL; }
STDMETHODIMP VistrelExtractor::IsDirty() { return E_NOTIMPL; }
STDMETHODIMP VistrelExtractor::Save(LPCOLESTR, BOOL) { return E_NOTIMPL; }
STDMETHODIMP VistrelExtractor::SaveCompleted(LPCOLESTR) { return E_NOTIMPL; }
STDMETHODIMP VistrelExtractor::GetCurFile(LPOLESTR*) { return E_NOTIMPL; }

// Keeps the path twice: as ANSI text in the conversion code page, and as given, which is
// what the file is opened with (so that names outside the code page work too). A path
// that does not fit either field is refused and both are left empty.
STDMETHODIMP VistrelExtractor::Load(LPCOLESTR path, DWORD) {
    try {
        dlg::ModuleStateScope state;
        path_[0] = '\0';
        widePath_[0] = L'\0';
        if (!path) return E_INVALIDARG;
        const std::size_t length = std::wcslen(path);
        if (length + 1 > static_cast<std::size_t>(kPathField)) return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
        const UINT codePage = conversionCodePage();
        const int bytes = WideCharToMultiByte(codePage, 0, path, -1, nullptr, 0, nullptr, nullptr);
        if (bytes > kPathField) return HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE);
        if (bytes <= 0 || WideCharToMultiByte(codePage, 0, path, -1, path_, kPathField, nullptr, nullptr) <= 0) {
            path_[0] = '\0';
            const DWORD error = GetLastError();
            return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
        }
        std::wmemcpy(widePath_, path, length + 1);
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// ---------------------------------------------------------------- IExtractImage2

STDMETHODIMP VistrelExtractor::GetLocation(LPWSTR, DWORD, DWORD*, const SIZE* size, DWORD, DWORD* flags) {
    try {
        dlg::ModuleStateScope state;
        if (!size) return E_INVALIDARG;
        width_ = size->cx;
        height_ = size->cy;
        return flags && (*flags & IEIFLAG_ASYNC) ? E_PENDING : S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

// The thumbnail of the stored path at the stored size; the no-thumbnail picture when the
// drawing gives none. Fails, with a null bitmap, when no bitmap of that size can be made.
STDMETHODIMP VistrelExtractor::Extract(HBITMAP* bitmap) {
    if (!bitmap) return E_POINTER;
    *bitmap = nullptr;
    if (width_ <= 0 || height_ <= 0) return E_FAIL;
    try {
        dlg::ModuleStateScope state;
        HBITMAP made = renderThumbnail(static_cast<int>(width_), static_cast<int>(height_), OdString(widePath_));
        if (!made) return E_FAIL;
        bitmap_ = made;
        *bitmap = made;
        return S_OK;
    } catch (const std::bad_alloc&) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_FAIL;
    }
}

// The file's last write time, which the shell's thumbnail cache compares.
STDMETHODIMP VistrelExtractor::GetDateStamp(FILETIME* stamp) {
    if (!stamp) return E_POINTER;
    try {
        dlg::ModuleStateScope state;
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!widePath_[0] || !GetFileAttributesExW(widePath_, GetFileExInfoStandard, &data)) {
            const DWORD error = widePath_[0] ? GetLastError() : ERROR_FILE_NOT_FOUND;
            return error ? HRESULT_FROM_WIN32(error) : E_FAIL;
        }
        *stamp = data.ftLastWriteTime;
        return S_OK;
    } catch (...) {
        return E_UNEXPECTED;
    }
}

}  // namespace vistrel
