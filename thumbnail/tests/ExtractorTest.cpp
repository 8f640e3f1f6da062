// The extractor through Vistrel.dll as the shell drives it: Load, GetLocation, Extract and
// GetDateStamp. Every shared drawing's bitmap equals renderThumbnail's pixel for pixel;
// sizes, paths and dates that cannot be used are refused; nothing opens a window.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "PreviewFixtures.h"
#include "RenderThumbnail.h"
#include "VistrelDll_win.h"

namespace {

struct Extractor {
    IPersistFile* file = nullptr;
    IExtractImage2* image = nullptr;
    Extractor() {
        file = newExtractor<IPersistFile>(IID_IPersistFile);
        if (file) file->QueryInterface(IID_IExtractImage2, reinterpret_cast<void**>(&image));
    }
    ~Extractor() {
        if (image) image->Release();
        if (file) file->Release();
    }
    HRESULT location(long width, long height, DWORD flags = 0) {
        SIZE size{width, height};
        DWORD priority = 0;
        return image->GetLocation(nullptr, 0, &priority, &size, 24, &flags);
    }
    // Extract's result; the bitmap's pixels, the bitmap deleted.
    HRESULT extract(Pixels* pixels = nullptr) {
        HBITMAP bitmap = reinterpret_cast<HBITMAP>(static_cast<std::uintptr_t>(0x5A5A));
        const HRESULT hr = image->Extract(&bitmap);
        if (SUCCEEDED(hr) && pixels) *pixels = readPixels(bitmap);
        if (FAILED(hr)) {
            EXPECT_EQ(bitmap, nullptr) << "a failed Extract hands out no bitmap";
        } else {
            EXPECT_TRUE(DeleteObject(bitmap)) << "the bitmap is the caller's";
        }
        return hr;
    }
};

Pixels noThumbnail(int width, int height) {
    HBITMAP bitmap = vistrel::drawNoThumbnail(width, height);
    Pixels p = readPixels(bitmap);
    DeleteObject(bitmap);
    return p;
}

std::wstring sample(const char* name) { return windowsPath(sharedDrawing(name)); }

std::wstring scratchFolder() {
    const std::wstring folder = windowsPath(std::string(KIVRA_TEST_BINARY_DIR) + "/vistrel-extractor-files");
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

}  // namespace

TEST(VistrelExtractor, EveryDrawingGivesRenderThumbnailsPicture) {
    const std::vector<std::wstring> drawings = sharedDrawings();
    ASSERT_GE(drawings.size(), 19u);
    for (const std::wstring& path : drawings) {
        for (SIZE size : {SIZE{96, 96}, SIZE{131, 77}}) {
            SCOPED_TRACE(narrow(path) + " at " + std::to_string(size.cx) + " x " + std::to_string(size.cy));
            Extractor e;
            ASSERT_TRUE(e.image);
            ASSERT_EQ(e.file->Load(path.c_str(), STGM_READ), S_OK);
            ASSERT_EQ(e.location(size.cx, size.cy), S_OK);
            Pixels got;
            ASSERT_EQ(e.extract(&got), S_OK);
            EXPECT_EQ(got.width, size.cx);
            EXPECT_EQ(got.height, size.cy);
            const Pixels want = renderedPixels(path, size.cx, size.cy);
            ASSERT_EQ(want.width, size.cx);
            EXPECT_TRUE(got.rgb == want.rgb) << "pixels differ from renderThumbnail's";
        }
    }
    EXPECT_EQ(vistrelDll().canUnloadNow(), S_OK);
}

TEST(VistrelExtractor, GetLocationStoresTheSizeAndAnswersAsynchronousRequests) {
    Extractor e;
    ASSERT_TRUE(e.image);
    ASSERT_EQ(e.file->Load(sample("AC1015_libredwg_sample_2000.dwg").c_str(), STGM_READ), S_OK);
    SIZE size{40, 30};
    DWORD priority = 77, flags = IEIFLAG_ASYNC | IEIFLAG_ORIGSIZE;
    wchar_t location[8] = L"keep";
    EXPECT_EQ(e.image->GetLocation(location, 8, &priority, &size, 32, &flags), E_PENDING);
    EXPECT_EQ(std::wstring(location), L"keep");
    EXPECT_EQ(priority, 77u);
    EXPECT_EQ(flags, static_cast<DWORD>(IEIFLAG_ASYNC | IEIFLAG_ORIGSIZE)) << "flags are read, not written";
    Pixels p;
    ASSERT_EQ(e.extract(&p), S_OK) << "the size was stored all the same";
    EXPECT_EQ(p.width, 40);
    EXPECT_EQ(p.height, 30);
    // A second GetLocation replaces the size; flags 0 or none at all are not asynchronous.
    EXPECT_EQ(e.location(25, 20, 0), S_OK);
    ASSERT_EQ(e.extract(&p), S_OK);
    EXPECT_EQ(p.width, 25);
    size = SIZE{12, 10};
    EXPECT_EQ(e.image->GetLocation(nullptr, 0, nullptr, &size, 0, nullptr), S_OK);
    EXPECT_EQ(e.image->GetLocation(nullptr, 0, nullptr, nullptr, 0, nullptr), E_INVALIDARG);
    ASSERT_EQ(e.extract(&p), S_OK) << "a refused GetLocation keeps the size before it";
    EXPECT_EQ(p.width, 12);
}

TEST(VistrelExtractor, EachExtractMakesANewBitmap) {
    Extractor e;
    ASSERT_TRUE(e.image);
    ASSERT_EQ(e.file->Load(sample("AC1018_libredwg_2004_Line.dwg").c_str(), STGM_READ), S_OK);
    ASSERT_EQ(e.location(96, 96), S_OK);
    HBITMAP first = nullptr, second = nullptr;
    ASSERT_EQ(e.image->Extract(&first), S_OK);
    ASSERT_EQ(e.image->Extract(&second), S_OK);
    EXPECT_NE(first, second);
    e.image->Release();
    e.image = nullptr;
    e.file->Release();
    e.file = nullptr;
    // Both outlive the extractor: they are the caller's.
    EXPECT_EQ(readPixels(first).rgb, readPixels(second).rgb);
    EXPECT_TRUE(DeleteObject(first));
    EXPECT_TRUE(DeleteObject(second));
}

TEST(VistrelExtractor, ExtractWithoutAUsableSizeFails) {
    Extractor e;
    ASSERT_TRUE(e.image);
    ASSERT_EQ(e.file->Load(sample("AC1018_libredwg_2004_Line.dwg").c_str(), STGM_READ), S_OK);
    EXPECT_EQ(e.extract(), E_FAIL) << "before any GetLocation";
    for (SIZE size : {SIZE{0, 96}, SIZE{96, 0}, SIZE{-5, 20}, SIZE{20, -1}}) {
        ASSERT_EQ(e.location(size.cx, size.cy), S_OK);
        EXPECT_EQ(e.extract(), E_FAIL) << size.cx << " x " << size.cy;
    }
    // A bitmap too large to be made: failure, not success with nothing.
    ASSERT_EQ(e.location(0x7FFFFFFF, 0x7FFFFFFF), S_OK);
    EXPECT_EQ(e.extract(), E_FAIL);
    EXPECT_EQ(e.image->Extract(nullptr), E_POINTER);
}

TEST(VistrelExtractor, DrawingsWithoutAPreviewGetTheNoThumbnailPicture) {
    const std::wstring missing = scratchFolder() + L"\\no such drawing.dwg";
    for (const std::wstring& path : {missing, std::wstring(), sample("AC1032_libredwg_2018_Line.dwg")}) {
        SCOPED_TRACE(narrow(path));
        Extractor e;
        ASSERT_TRUE(e.image);
        ASSERT_EQ(e.file->Load(path.c_str(), STGM_READ), S_OK);
        ASSERT_EQ(e.location(96, 96), S_OK);
        Pixels p;
        ASSERT_EQ(e.extract(&p), S_OK);
        EXPECT_TRUE(p.rgb == noThumbnail(96, 96).rgb);
    }
    // Without any Load at all.
    Extractor e;
    ASSERT_EQ(e.location(50, 40), S_OK);
    Pixels p;
    ASSERT_EQ(e.extract(&p), S_OK);
    EXPECT_TRUE(p.rgb == noThumbnail(50, 40).rgb);
}

TEST(VistrelExtractor, LoadRefusesNullAndOverlongPathsAndForgetsTheLastOne) {
    const std::wstring good = sample("AC1018_libredwg_2004_Line.dwg");
    Extractor e;
    ASSERT_TRUE(e.image);
    ASSERT_EQ(e.location(96, 96), S_OK);
    const Pixels real = renderedPixels(good, 96, 96);
    const Pixels none = noThumbnail(96, 96);
    ASSERT_NE(real.rgb, none.rgb);

    // A 600-character path.
    std::wstring longPath = scratchFolder() + L"\\";
    longPath += std::wstring(600 - longPath.size() - 4, L'x') + L".dwg";
    ASSERT_EQ(longPath.size(), 600u);
    ASSERT_EQ(e.file->Load(good.c_str(), STGM_READ), S_OK);
    EXPECT_EQ(e.file->Load(longPath.c_str(), STGM_READ), HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE));
    Pixels p;
    ASSERT_EQ(e.extract(&p), S_OK);
    EXPECT_TRUE(p.rgb == none.rgb) << "the refused Load left no path behind";

    ASSERT_EQ(e.file->Load(good.c_str(), STGM_READ), S_OK);
    ASSERT_EQ(e.extract(&p), S_OK);
    EXPECT_TRUE(p.rgb == real.rgb);
    EXPECT_EQ(e.file->Load(nullptr, STGM_READ), E_INVALIDARG);
    ASSERT_EQ(e.extract(&p), S_OK);
    EXPECT_TRUE(p.rgb == none.rgb);

    // The field holds 499 characters and the NUL.
    EXPECT_EQ(e.file->Load(std::wstring(499, L'a').c_str(), STGM_READ), S_OK);
    EXPECT_EQ(e.file->Load(std::wstring(500, L'a').c_str(), STGM_READ), HRESULT_FROM_WIN32(ERROR_FILENAME_EXCED_RANGE));
}

TEST(VistrelExtractor, NamesOutsideTheCodePageAreReadByTheirWideName) {
    const std::wstring name = scratchFolder() + L"\\\x0394\x03C1\x03AC\x03C3\x03B7 \x4E2D\x6587.dwg";
    BOOL lossy = FALSE;
    WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, nullptr, 0, nullptr, &lossy);
    if (!lossy) GTEST_SKIP() << "the ANSI code page " << GetACP() << " spells the name";
    const std::wstring original = sample("AC1024_libredwg_2010_Line.dwg");
    ASSERT_TRUE(CopyFileW(original.c_str(), name.c_str(), FALSE));
    Extractor e;
    ASSERT_TRUE(e.image);
    ASSERT_EQ(e.file->Load(name.c_str(), STGM_READ), S_OK);
    ASSERT_EQ(e.location(96, 96), S_OK);
    Pixels p;
    ASSERT_EQ(e.extract(&p), S_OK);
    EXPECT_TRUE(p.rgb == renderedPixels(original, 96, 96).rgb) << "the drawing's own thumbnail";
    EXPECT_TRUE(p.rgb != noThumbnail(96, 96).rgb);
    DeleteFileW(name.c_str());
}

TEST(VistrelExtractor, DateStampIsTheFilesLastWriteTime) {
    const std::wstring copy = scratchFolder() + L"\\dated.dwg";
    ASSERT_TRUE(CopyFileW(sample("AC1015_libredwg_sample_2000.dwg").c_str(), copy.c_str(), FALSE));
    SYSTEMTIME when{2001, 2, 6, 3, 4, 5, 6, 0};
    FILETIME written{};
    ASSERT_TRUE(SystemTimeToFileTime(&when, &written));
    HANDLE handle = CreateFileW(copy.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(SetFileTime(handle, nullptr, nullptr, &written));
    CloseHandle(handle);

    Extractor e;
    ASSERT_TRUE(e.image);
    FILETIME stamp{0x1234, 0x5678};
    EXPECT_TRUE(FAILED(e.image->GetDateStamp(&stamp))) << "nothing loaded";
    EXPECT_EQ(stamp.dwLowDateTime, 0x1234u) << "left as it was";
    ASSERT_EQ(e.file->Load(copy.c_str(), STGM_READ), S_OK);
    ASSERT_EQ(e.image->GetDateStamp(&stamp), S_OK);
    EXPECT_EQ(stamp.dwLowDateTime, written.dwLowDateTime);
    EXPECT_EQ(stamp.dwHighDateTime, written.dwHighDateTime);
    EXPECT_EQ(e.image->GetDateStamp(nullptr), E_POINTER);

    ASSERT_EQ(e.file->Load((scratchFolder() + L"\\gone.dwg").c_str(), STGM_READ), S_OK);
    stamp = FILETIME{0x1234, 0x5678};
    EXPECT_EQ(e.image->GetDateStamp(&stamp), HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(stamp.dwLowDateTime, 0x1234u);
    DeleteFileW(copy.c_str());
}

namespace {
int g_windowsMade = 0;
LRESULT CALLBACK refuseWindows(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        ++g_windowsMade;
        return 1;  // the window is not made, so a box would return at once
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
}  // namespace

TEST(VistrelExtractor, UnsupportedPersistFileOperationsOpenNoWindow) {
    HHOOK hook = SetWindowsHookExW(WH_CBT, refuseWindows, nullptr, GetCurrentThreadId());
    ASSERT_TRUE(hook);
    // The hook sees a message box (so it would see one from the extractor).
    g_windowsMade = 0;
    MessageBoxW(nullptr, L"probe", L"", MB_OK);
    const int probe = g_windowsMade;

    g_windowsMade = 0;
    Extractor e;
    CLSID classId = IID_IPersist;
    LPOLESTR current = reinterpret_cast<LPOLESTR>(static_cast<std::uintptr_t>(0x5A5A));
    const bool made = e.file != nullptr;
    HRESULT results[5] = {};
    if (made) {
        results[0] = e.file->GetClassID(&classId);
        results[1] = e.file->IsDirty();
        results[2] = e.file->Save(L"C:\\x.dwg", TRUE);
        results[3] = e.file->SaveCompleted(L"C:\\x.dwg");
        results[4] = e.file->GetCurFile(&current);
    }
    const int windows = g_windowsMade;
    UnhookWindowsHookEx(hook);

    EXPECT_GE(probe, 1);
    ASSERT_TRUE(made);
    EXPECT_EQ(windows, 0);
    for (HRESULT hr : results) EXPECT_EQ(hr, E_NOTIMPL);
    EXPECT_TRUE(IsEqualGUID(classId, IID_IPersist)) << "arguments are not touched";
    EXPECT_EQ(current, reinterpret_cast<LPOLESTR>(static_cast<std::uintptr_t>(0x5A5A)));
}
