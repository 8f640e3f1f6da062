// Thumbnails per second through the shell's road: Vistrel.dll registered, then for each
// thumbnail CoCreateInstance, Load, GetLocation, Extract and Release, as an Explorer
// window does per file. Also how many bytes of each drawing one extraction reads, counted
// in the stream of the same extractor code linked into this program. Prints JSON.
//   vistrel-com-bench VISTREL.DLL ROUNDS WIDTH HEIGHT FILE.dwg...
// The library is unregistered again at the end unless the class was registered before.
#include <objbase.h>
#include <shobjidl.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FileStreams.h"
#include "VistrelExtractor.h"
#include "VistrelIds.h"

namespace {

double seconds() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

std::wstring wide(const char* text) {
    const int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n > 0 ? n - 1 : 0), L'\0');
    if (n > 1) MultiByteToWideChar(CP_ACP, 0, text, -1, &out[0], n);
    return out;
}

std::string jsonText(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        if (static_cast<unsigned char>(c) >= 0x20) out += c;
    }
    return out;
}

std::string processorName() {
    char name[256] = "";
    DWORD bytes = sizeof name - 1;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "HARDWARE\\DESCRIPTION\\System\\CentralProcessor\\0", 0, KEY_READ, &key) ==
        ERROR_SUCCESS) {
        RegQueryValueExA(key, "ProcessorNameString", nullptr, nullptr, reinterpret_cast<BYTE*>(name), &bytes);
        RegCloseKey(key);
    }
    return name;
}

bool classRegistered() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, "CLSID\\{22C88570-8419-4CD6-B37A-5350D847AAF0}\\InprocServer32", 0, KEY_READ,
                      &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

// One thumbnail the way the shell asks for it; false when a step failed.
bool thumbnail(const std::wstring& path, SIZE size) {
    IPersistFile* file = nullptr;
    if (FAILED(CoCreateInstance(vistrel::kExtractorClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistFile,
                                reinterpret_cast<void**>(&file))))
        return false;
    IExtractImage* image = nullptr;
    HBITMAP bitmap = nullptr;
    bool ok = SUCCEEDED(file->Load(path.c_str(), STGM_READ)) &&
              SUCCEEDED(file->QueryInterface(IID_IExtractImage, reinterpret_cast<void**>(&image)));
    if (ok) {
        DWORD priority = 0, flags = IEIFLAG_ORIGSIZE;
        ok = SUCCEEDED(image->GetLocation(nullptr, 0, &priority, &size, 32, &flags)) && SUCCEEDED(image->Extract(&bitmap));
        image->Release();
    }
    if (bitmap) DeleteObject(bitmap);
    file->Release();
    return ok && bitmap;
}

// What one extraction reads through the stream, in this program's copy of the extractor.
vistrel::StreamReadCounts bytesRead(const std::wstring& path, SIZE size) {
    vistrel::resetStreamReadCounts();
    IPersistFile* file = nullptr;
    if (SUCCEEDED(vistrel::VistrelExtractor::create(nullptr, IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        IExtractImage* image = nullptr;
        if (SUCCEEDED(file->Load(path.c_str(), STGM_READ)) &&
            SUCCEEDED(file->QueryInterface(IID_IExtractImage, reinterpret_cast<void**>(&image)))) {
            DWORD flags = 0;
            HBITMAP bitmap = nullptr;
            if (SUCCEEDED(image->GetLocation(nullptr, 0, nullptr, &size, 32, &flags)) && SUCCEEDED(image->Extract(&bitmap)))
                DeleteObject(bitmap);
            image->Release();
        }
        file->Release();
    }
    return vistrel::streamReadCounts();
}

long long fileBytes(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return static_cast<long long>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 6) {
        std::fprintf(stderr, "usage: vistrel-com-bench VISTREL.DLL ROUNDS WIDTH HEIGHT FILE.dwg...\n");
        return 2;
    }
    const std::wstring dllPath = wide(argv[1]);
    const int rounds = std::atoi(argv[2]);
    const SIZE size{std::atoi(argv[3]), std::atoi(argv[4])};
    if (rounds <= 0 || size.cx <= 0 || size.cy <= 0) {
        std::fprintf(stderr, "vistrel-com-bench: ROUNDS, WIDTH and HEIGHT must be positive\n");
        return 2;
    }
    HMODULE dll = LoadLibraryExW(dllPath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
    if (!dll) {
        std::fprintf(stderr, "vistrel-com-bench: cannot load %s (error %lu)\n", argv[1], GetLastError());
        return 1;
    }
    using ServerCall = HRESULT(STDAPICALLTYPE*)();
    auto registerServer = reinterpret_cast<ServerCall>(reinterpret_cast<void*>(GetProcAddress(dll, "DllRegisterServer")));
    auto unregisterServer = reinterpret_cast<ServerCall>(reinterpret_cast<void*>(GetProcAddress(dll, "DllUnregisterServer")));
    const bool wasRegistered = classRegistered();
    if (!registerServer || FAILED(registerServer())) {
        std::fprintf(stderr, "vistrel-com-bench: DllRegisterServer failed\n");
        return 1;
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);

    SYSTEM_INFO system;
    GetNativeSystemInfo(&system);
    std::printf("{\"machine\": \"%s, %lu processors\", \"pointer_bits\": %d, \"rounds\": %d, \"size\": [%ld, %ld],\n",
                jsonText(processorName()).c_str(), system.dwNumberOfProcessors, static_cast<int>(sizeof(void*) * 8),
                rounds, size.cx, size.cy);
    std::printf(" \"drawings\": [\n");
    int status = 0, thumbnails = 0;
    double total = 0;
    for (int i = 5; i < argc; ++i) {
        const std::wstring path = wide(argv[i]);
        if (!thumbnail(path, size)) status = 1;  // warms the caches, checks the road
        const double start = seconds();
        for (int r = 0; r < rounds; ++r)
            if (!thumbnail(path, size)) status = 1;
        const double spent = seconds() - start;
        total += spent;
        thumbnails += rounds;
        const vistrel::StreamReadCounts read = bytesRead(path, size);
        std::string name = argv[i];
        const std::size_t slash = name.find_last_of("\\/");
        if (slash != std::string::npos) name.erase(0, slash + 1);
        std::printf("  {\"name\": \"%s\", \"file_bytes\": %lld, \"bytes_read\": %llu, \"bytes_asked\": %llu, "
                    "\"us_per_thumbnail\": %.1f}%s\n",
                    jsonText(name).c_str(), fileBytes(path), static_cast<unsigned long long>(read.bytesFromFiles),
                    static_cast<unsigned long long>(read.bytesDelivered), spent * 1e6 / rounds, i + 1 < argc ? "," : "");
    }
    std::printf(" ],\n \"thumbnails\": %d, \"seconds\": %.3f, \"thumbnails_per_second\": %.1f}\n", thumbnails, total,
                total > 0 ? thumbnails / total : 0.0);
    CoFreeUnusedLibraries();
    CoUninitialize();
    if (!wasRegistered && unregisterServer) unregisterServer();
    return status;
}
