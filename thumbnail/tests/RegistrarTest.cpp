// The registrar on the real registry, its roots redirected into a scratch key of the
// current user: scripts written and taken out through the platform calls, and the HRESULTs
// a script that cannot be run gives.
#include <gtest/gtest.h>

#include <string>

#include "Registrar_win.h"
#include "RegistryDump_win.h"

namespace {

class Registrar : public testing::Test {
protected:
    void SetUp() override {
        path_ = L"Software\\KivraTests\\VistrelRegistrar-" + std::to_wstring(GetCurrentProcessId());
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch_, nullptr),
                  ERROR_SUCCESS);
        registry_.redirect(vistrel::RootKey::kClassesRoot, scratch_);
    }
    void TearDown() override {
        RegCloseKey(scratch_);
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, path_.c_str());
    }
    HRESULT run(const std::string& script, bool registering, const std::string& module = "C:\\Kivra\\Vistrel.dll") {
        return vistrel::runScriptText(script, vistrel::moduleBindings(std::wstring(module.begin(), module.end())),
                                      registering, registry_);
    }
    RegistryDump dump() {
        RegistryDump d;
        dumpKey(HKEY_CURRENT_USER, path_, d);
        RegistryDump relative;
        for (auto& k : d) relative[k.first.size() > path_.size() ? k.first.substr(path_.size() + 1) : L""] = k.second;
        return relative;
    }

    std::wstring path_;
    HKEY scratch_ = nullptr;
    vistrel::Win32Registry registry_;
};

}  // namespace

TEST_F(Registrar, WritesAndTakesOutAScriptThroughThePlatform) {
    const std::string script =
        "HKCR { NoRemove Shared { Mine = s '%MODULE%' { val Model = s 'Apartment' Deeper } } "
        "ForceRemove Whole = s 'x' { Part } }";
    // Something of someone else's inside the ForceRemove key goes, beside the NoRemove one stays.
    HKEY other = nullptr;
    RegCreateKeyExW(scratch_, L"Whole\\Stale", 0, nullptr, 0, KEY_WRITE, nullptr, &other, nullptr);
    RegCloseKey(other);
    RegCreateKeyExW(scratch_, L"Shared\\Theirs", 0, nullptr, 0, KEY_WRITE, nullptr, &other, nullptr);
    RegCloseKey(other);

    ASSERT_EQ(run(script, true, "C:\\Bob's\\Vistrel.dll"), S_OK);
    const RegistryDump expected = {
        {L"", {}},
        {L"Shared", {}},
        {L"Shared\\Theirs", {}},
        {L"Shared\\Mine", {{L"", L"sz:C:\\Bob's\\Vistrel.dll"}, {L"Model", L"sz:Apartment"}}},
        {L"Shared\\Mine\\Deeper", {}},
        {L"Whole", {{L"", L"sz:x"}}},
        {L"Whole\\Part", {}},
    };
    EXPECT_EQ(dump(), expected) << describe(dump());

    ASSERT_EQ(run(script, false), S_OK);
    EXPECT_EQ(dump(), (RegistryDump{{L"", {}}, {L"Shared", {}}, {L"Shared\\Theirs", {}}})) << describe(dump());
    ASSERT_EQ(run(script, false), S_OK) << "nothing left to take out";
}

TEST_F(Registrar, ScriptsThatCannotBeRunGiveTheirHresults) {
    EXPECT_EQ(run("HKCR { K = s '%" + std::string(32, 'A') + "%' }", true), E_FAIL);
    EXPECT_EQ(run("HKCR { K = s '%NOBODY%' }", true), DISP_E_EXCEPTION);
    EXPECT_EQ(run("HKCR { K = d '1' }", true), DISP_E_EXCEPTION);
    EXPECT_EQ(run("HKCR { K = s '100%% sure' }", true), S_OK);
    EXPECT_EQ(stringValue(HKEY_CURRENT_USER, path_ + L"\\K"), L"100% sure");
    EXPECT_EQ(dump().size(), 2u) << "nothing written by the refused scripts";
    // A failure of the registry itself comes back as a facility-Win32 HRESULT, after the
    // roll-back took out what the script had written.
    HKEY shellex = nullptr;
    ASSERT_EQ(RegCreateKeyExW(scratch_, L"Volatile", 0, nullptr, REG_OPTION_VOLATILE, KEY_WRITE, nullptr, &shellex, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(shellex);
    EXPECT_EQ(run("HKCR { First = s '1' NoRemove Volatile { Lasting } }", true),
              HRESULT_FROM_WIN32(ERROR_CHILD_MUST_BE_VOLATILE));
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, path_ + L"\\First"));
    EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, path_ + L"\\Volatile"));
}
