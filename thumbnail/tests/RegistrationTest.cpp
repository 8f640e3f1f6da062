// Registration through the system's regsvr32 in the Wine prefix, and a shell-like client
// of the registered class: the keys written are exactly the script's, twice gives the same,
// unregistering takes out ours and leaves other handlers, a failed registration rolls
// back, the type library comes and goes with the class, and CoCreateInstance serves
// thumbnails from the registered file. Each test leaves the classes as it found them.
#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include "RegistryDump_win.h"
#include "VistrelDll_win.h"
#include "VistrelIds.h"

namespace {

const std::wstring kClassKey = L"CLSID\\{22C88570-8419-4CD6-B37A-5350D847AAF0}";
const std::wstring kHandlerKey = L".dwg\\shellex\\{BB2E617C-0920-11d1-9A0B-00C04FC2D6C1}";
const std::wstring kTypeLibKey = L"TypeLib\\{4C207FB9-04D1-422A-9157-D7858EAE8D83}";
const std::wstring kInterfaceKey = L"Interface\\{749E7AA9-29C4-42D1-AD64-6C91A7FC2BB3}";
const std::wstring kForeignHandler = L".dwg\\shellex\\{E357FCCD-A995-4576-B01F-234630154E96}";
const std::wstring kClassText = L"sz:{22C88570-8419-4CD6-B37A-5350D847AAF0}";

// regsvr32's exit code, or -1 when it could not be run.
long regsvr32(const std::wstring& arguments) {
    std::wstring command = L"regsvr32.exe /s " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) return -1;
    WaitForSingleObject(process.hProcess, 60000);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<long>(code);
}

std::wstring quoted(const std::wstring& path) { return L"\"" + path + L"\""; }

// Our keys and every key beside them that registration may touch.
RegistryDump classesDump() {
    RegistryDump dump;
    for (const wchar_t* root : {L"ThumbVistrel.Extractor.1", L"ThumbVistrel.Extractor", L".dwg"})
        dumpKey(HKEY_CLASSES_ROOT, root, dump);
    dumpKey(HKEY_CLASSES_ROOT, kClassKey, dump);
    return dump;
}

// What the script writes, key by key and value by value (.dwg as the shell finds it).
RegistryDump expectedDump(const std::wstring& module) {
    return RegistryDump{
        {L"ThumbVistrel.Extractor.1", {{L"", L"sz:Vistrel Thumbnail Extractor Class"}}},
        {L"ThumbVistrel.Extractor.1\\CLSID", {{L"", kClassText}}},
        {L"ThumbVistrel.Extractor", {{L"", L"sz:Vistrel Thumbnail Extractor Class"}}},
        {L"ThumbVistrel.Extractor\\CLSID", {{L"", kClassText}}},
        {L"ThumbVistrel.Extractor\\CurVer", {{L"", L"sz:ThumbVistrel.Extractor.1"}}},
        {kClassKey, {{L"", L"sz:Extractor Class"}}},
        {kClassKey + L"\\ProgID", {{L"", L"sz:ThumbVistrel.Extractor.1"}}},
        {kClassKey + L"\\VersionIndependentProgID", {{L"", L"sz:ThumbVistrel.Extractor"}}},
        {kClassKey + L"\\Programmable", {}},
        {kClassKey + L"\\InprocServer32", {{L"", L"sz:" + module}, {L"ThreadingModel", L"sz:Apartment"}}},
        {kClassKey + L"\\TypeLib", {{L"", L"sz:{4C207FB9-04D1-422A-9157-D7858EAE8D83}"}}},
        {L".dwg", {}},
        {L".dwg\\shellex", {}},
        {kHandlerKey, {{L"", kClassText}}},
    };
}

#ifdef _WIN64
const wchar_t* const kTypeLibPlatform = L"win64";
#else
const wchar_t* const kTypeLibPlatform = L"win32";
#endif

void expectTypeLibraryRegistered(const std::wstring& module) {
    EXPECT_EQ(stringValue(HKEY_CLASSES_ROOT, kTypeLibKey + L"\\1.0"), L"ThumbVistrel 1.0 Type Library");
    EXPECT_EQ(stringValue(HKEY_CLASSES_ROOT, kTypeLibKey + L"\\1.0\\0\\" + kTypeLibPlatform), module);
    EXPECT_EQ(stringValue(HKEY_CLASSES_ROOT, kTypeLibKey + L"\\1.0\\HELPDIR"), module.substr(0, module.rfind(L'\\')));
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, kInterfaceKey)) << "the dual interface is registered with it";
}

void expectNothingOfOursRegistered() {
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, L"ThumbVistrel.Extractor.1"));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, L"ThumbVistrel.Extractor"));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, kClassKey));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, kHandlerKey));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, kTypeLibKey + L"\\1.0"));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, kInterfaceKey));
}

// Starts and ends each test with nothing of ours, nor a .dwg key, in the classes.
class Registration : public testing::Test {
protected:
    void SetUp() override { clean(); }
    void TearDown() override { clean(); }
    static void clean() {
        regsvr32(L"/u " + quoted(vistrelDllPath()));
        RegDeleteTreeW(HKEY_CLASSES_ROOT, L".dwg");
        RegDeleteKeyW(HKEY_CLASSES_ROOT, L".dwg");
    }
    const std::wstring module = vistrelDllPath();
};

void setString(const std::wstring& path, const std::wstring& text, DWORD options = REG_OPTION_NON_VOLATILE) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, options, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    if (!text.empty())
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                       static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

}  // namespace

TEST_F(Registration, Regsvr32WritesExactlyTheScriptsKeysTwiceAlike) {
    ASSERT_EQ(regsvr32(quoted(module)), 0);
    const RegistryDump once = classesDump();
    EXPECT_EQ(once, expectedDump(module)) << describe(once);
    expectTypeLibraryRegistered(module);
    ASSERT_EQ(regsvr32(quoted(module)), 0);
    EXPECT_EQ(classesDump(), once);
    expectTypeLibraryRegistered(module);

    ASSERT_EQ(regsvr32(L"/u " + quoted(module)), 0);
    expectNothingOfOursRegistered();
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, L"CLSID"));
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, L".dwg")) << "NoRemove";
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, L".dwg\\shellex")) << "empty once our handler is gone";
}

TEST_F(Registration, UnregisteringLeavesOtherHandlersAndRemovesAllOfOurs) {
    ASSERT_EQ(regsvr32(quoted(module)), 0);
    setString(kForeignHandler, L"{11111111-2222-3333-4444-555555555555}");
    ASSERT_EQ(regsvr32(L"/u " + quoted(module)), 0);
    expectNothingOfOursRegistered();
    EXPECT_EQ(stringValue(HKEY_CLASSES_ROOT, kForeignHandler), L"{11111111-2222-3333-4444-555555555555}");
}

TEST_F(Registration, UnregisteringWhatIsNotRegisteredChangesNothing) {
    setString(kForeignHandler, L"theirs");
    const RegistryDump before = classesDump();
    EXPECT_EQ(regsvr32(L"/u " + quoted(module)), 0);
    EXPECT_EQ(classesDump(), before);
    ASSERT_EQ(vistrelDll().unregisterServer(), S_OK);
    EXPECT_EQ(classesDump(), before);
}

TEST_F(Registration, AFailedRegistrationRollsBack) {
    // A volatile .dwg\shellex takes no lasting subkey: the script's last key fails.
    setString(L".dwg\\shellex", L"", REG_OPTION_VOLATILE);
    EXPECT_NE(regsvr32(quoted(module)), 0);
    expectNothingOfOursRegistered();
    // And through the export itself: the first failure comes back.
    setString(L".dwg\\shellex", L"", REG_OPTION_VOLATILE);
    EXPECT_EQ(vistrelDll().registerServer(), HRESULT_FROM_WIN32(ERROR_CHILD_MUST_BE_VOLATILE));
    expectNothingOfOursRegistered();
}

TEST_F(Registration, APathWithApostrophesIsWrittenAsItIs) {
    const std::wstring folder = windowsPath(std::string(KIVRA_TEST_BINARY_DIR) + "/Bob's 'thumbnails'");
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"\\Vistrel.dll";
    const std::wstring common = folder + L"\\VexoCommon.dll";
    ASSERT_TRUE(CopyFileW(module.c_str(), copy.c_str(), FALSE));
    ASSERT_TRUE(CopyFileW(windowsPath(KIVRA_VEXOCOMMON_DLL).c_str(), common.c_str(), FALSE));
    ASSERT_EQ(regsvr32(quoted(copy)), 0);
    EXPECT_EQ(classesDump(), expectedDump(copy));
    expectTypeLibraryRegistered(copy);
    ASSERT_EQ(regsvr32(L"/u " + quoted(copy)), 0);
    expectNothingOfOursRegistered();
    DeleteFileW(copy.c_str());
    DeleteFileW(common.c_str());
    RemoveDirectoryW(folder.c_str());
}

TEST_F(Registration, AShellLikeClientGetsThumbnailsFromTheRegisteredServer) {
    ASSERT_EQ(regsvr32(quoted(module)), 0);
    ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    CLSID byProgId{};
    EXPECT_EQ(CLSIDFromProgID(L"ThumbVistrel.Extractor", &byProgId), S_OK);
    EXPECT_TRUE(IsEqualCLSID(byProgId, vistrel::kExtractorClassId));
    IPersistFile* file = nullptr;
    ASSERT_EQ(CoCreateInstance(vistrel::kExtractorClassId, nullptr, CLSCTX_INPROC_SERVER, IID_IPersistFile,
                               reinterpret_cast<void**>(&file)),
              S_OK);
    // Served by the registered file.
    HMODULE server = nullptr;
    ASSERT_TRUE(GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                   *reinterpret_cast<LPCWSTR*>(file), &server));
    wchar_t serverPath[MAX_PATH] = L"";
    GetModuleFileNameW(server, serverPath, MAX_PATH);
    EXPECT_EQ(lstrcmpiW(serverPath, module.c_str()), 0) << narrow(serverPath);
    for (const char* name : {"AC1014_libredwg_r14_Leader.dwg", "AC1027_libredwg_2013_Line.dwg", "AC1009_libredwg_r11_entities-2d.dwg"}) {
        SCOPED_TRACE(name);
        const std::wstring path = windowsPath(sharedDrawing(name));
        HRESULT hr = E_FAIL;
        const Pixels got = extractPixels(file, path, 96, 96, &hr);
        EXPECT_EQ(hr, S_OK);
        EXPECT_TRUE(got.rgb == renderedPixels(path, 96, 96).rgb);
    }
    file->Release();
    CoUninitialize();
}

#ifdef _WIN64
TEST_F(Registration, The64BitServerIsRegisteredInThe64BitView) {
    ASSERT_EQ(regsvr32(quoted(module)), 0);
    EXPECT_EQ(stringValue(HKEY_CLASSES_ROOT, kClassKey + L"\\InprocServer32", L"", KEY_WOW64_64KEY), module);
    EXPECT_NE(stringValue(HKEY_CLASSES_ROOT, kClassKey + L"\\InprocServer32", L"", KEY_WOW64_32KEY), module)
        << "32-bit programs must not be sent to a 64-bit library";
}
#endif
