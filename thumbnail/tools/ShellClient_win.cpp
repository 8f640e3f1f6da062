// A client of the registered shell extension, reaching it as Explorer does: the class found
// by its ProgID and created by its identifier through the registry (nothing loaded by path),
// each drawing's thumbnail compared pixel for pixel with the rendering linked into this
// program, and the file the registry sent it to. Prints JSON; exit status 0 when the class
// was found and every thumbnail came back equal.
//   vistrel-shell-client WIDTH HEIGHT FILE.dwg...
#include <objbase.h>
#include <shobjidl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "BitmapPixels.h"
#include "RenderThumbnail.h"
#include "VistrelIds.h"

namespace {

std::wstring wide(const char* text) {
    const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n - 1 : 0), L'\0');
    if (n > 1) MultiByteToWideChar(CP_ACP, 0, text, -1, &out[0], n);
    return out;
}

std::string jsonText(const std::wstring& text) {
    std::string out;
    for (wchar_t c : text) {
        if (c == L'"' || c == L'\\') out += '\\';
        if (c >= 0x20) out += c < 128 ? static_cast<char>(c) : '?';
    }
    return out;
}

std::wstring guidText(const GUID& guid) {
    wchar_t text[64] = L"";
    StringFromGUID2(guid, text, 64);
    return text;
}

// The file of the module whose code an interface pointer's table lies in.
std::wstring serverFile(IUnknown* object) {
    HMODULE module = nullptr;
    wchar_t path[MAX_PATH] = L"";
    if (GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           *reinterpret_cast<LPCWSTR*>(object), &module))
        GetModuleFileNameW(module, path, MAX_PATH);
    return path;
}

struct Thumbnail {
    HRESULT result = E_FAIL;
    Pixels pixels;
};

// One thumbnail the way the shell asks for it, through a new instance.
Thumbnail extract(const std::wstring& path, SIZE size, std::wstring& server) {
    Thumbnail out;
    IPersistFile* file = nullptr;
    out.result = CoCreateInstance(vistrel::kExtractorClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistFile,
                                  reinterpret_cast<void**>(&file));
    if (FAILED(out.result)) return out;
    server = serverFile(file);
    IExtractImage* image = nullptr;
    out.result = file->Load(path.c_str(), STGM_READ);
    if (SUCCEEDED(out.result))
        out.result = file->QueryInterface(IID_IExtractImage, reinterpret_cast<void**>(&image));
    if (SUCCEEDED(out.result)) {
        DWORD priority = 0, flags = 0;
        wchar_t location[MAX_PATH] = L"";
        HBITMAP bitmap = nullptr;
        out.result = image->GetLocation(location, MAX_PATH, &priority, &size, 32, &flags);
        if (SUCCEEDED(out.result)) out.result = image->Extract(&bitmap);
        if (bitmap) {
            out.pixels = readPixels(bitmap);
            DeleteObject(bitmap);
        }
        image->Release();
    }
    file->Release();
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: vistrel-shell-client WIDTH HEIGHT FILE.dwg...\n");
        return 2;
    }
    const SIZE size{std::atoi(argv[1]), std::atoi(argv[2])};
    if (size.cx <= 0 || size.cy <= 0) {
        std::fprintf(stderr, "vistrel-shell-client: WIDTH and HEIGHT must be positive\n");
        return 2;
    }
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) return 1;
    CLSID byProgId{};
    const bool found = SUCCEEDED(CLSIDFromProgID(L"ThumbVistrel.Extractor", &byProgId)) &&
                       IsEqualCLSID(byProgId, vistrel::kExtractorClassId);
    bool allEqual = true;
    std::wstring server;
    std::string rows;
    for (int i = 3; i < argc; ++i) {
        const std::wstring path = wide(argv[i]);
        const Thumbnail got = extract(path, size, server);
        HBITMAP rendered = vistrel::renderThumbnail(size.cx, size.cy, OdString(path.c_str()));
        const Pixels expected = readPixels(rendered);
        if (rendered) DeleteObject(rendered);
        const bool same = SUCCEEDED(got.result) && !got.pixels.rgb.empty() && got.pixels.width == expected.width &&
                          got.pixels.height == expected.height && got.pixels.rgb == expected.rgb;
        allEqual = allEqual && same;
        char row[1024];
        std::snprintf(row, sizeof row,
                      "  {\"file\": \"%s\", \"result\": \"0x%08lX\", \"width\": %d, \"height\": %d, "
                      "\"same_as_rendered\": %s}%s\n",
                      jsonText(path).c_str(), static_cast<unsigned long>(got.result), got.pixels.width,
                      got.pixels.height, same ? "true" : "false", i + 1 < argc ? "," : "");
        rows += row;
    }
    std::printf("{\"progid_class\": \"%s\", \"server\": \"%s\", \"pointer_bits\": %d,\n \"thumbnails\": [\n%s ]}\n",
                found ? jsonText(guidText(byProgId)).c_str() : "", jsonText(server).c_str(),
                static_cast<int>(sizeof(void*) * 8), rows.c_str());
    CoFreeUnusedLibraries();
    CoUninitialize();
    return found && allEqual ? 0 : 1;
}
