// The registration script's notation and replacements: %NAME% rules, quoting, layouts,
// and the texts that must be refused with their place. (What the shipped script writes is
// checked by the walk's tests and, through regsvr32, by the registration tests.)
#include <gtest/gtest.h>

#include "RegistrationScript.h"

using namespace vistrel;

namespace {

std::vector<ScriptRoot> parse(const std::string& text) {
    std::vector<ScriptRoot> roots;
    ScriptProblem problem;
    EXPECT_TRUE(parseScript(text, roots, problem)) << problem.detail << " at " << problem.position;
    return roots;
}

ScriptProblem problemOf(const std::string& text) {
    std::vector<ScriptRoot> roots;
    ScriptProblem problem;
    EXPECT_FALSE(parseScript(text, roots, problem)) << text;
    EXPECT_TRUE(roots.empty());
    return problem;
}

std::string replaced(const std::string& text, const std::vector<ScriptBinding>& bindings, ScriptProblem* problem = nullptr) {
    std::string out;
    ScriptProblem local;
    const bool ok = applyReplacements(text, bindings, out, problem ? *problem : local);
    if (!problem) {
        EXPECT_TRUE(ok) << local.detail;
    }
    return out;
}

}  // namespace

TEST(RegistrationScript, ReplacementNamesIgnoreCaseAndPercentPercentIsPercent) {
    const std::vector<ScriptBinding> b = {{"Module", "A"}, {"Module_Raw", "B"}};
    EXPECT_EQ(replaced("%MODULE%|%module_raw%|%Module%", b), "A|B|A");
    EXPECT_EQ(replaced("100%% of %%MODULE%%", b), "100% of %MODULE%");
    EXPECT_EQ(replaced("no names", b), "no names");
    // A binding's text is not looked at again.
    EXPECT_EQ(replaced("%MODULE%", {{"Module", "50%x%"}}), "50%x%");
}

TEST(RegistrationScript, ReplacementNamesOf32CharactersOrUnknownFail) {
    const std::vector<ScriptBinding> b = {{std::string(31, 'n'), "ok"}};
    EXPECT_EQ(replaced("%" + std::string(31, 'N') + "%", b), "ok");
    ScriptProblem problem;
    replaced("x %" + std::string(32, 'n') + "%", b, &problem);
    EXPECT_EQ(problem.error, ScriptError::kNameTooLong);
    EXPECT_EQ(problem.position, 2u);
    replaced("%" + std::string(100, 'n'), b, &problem);
    EXPECT_EQ(problem.error, ScriptError::kNameTooLong);
    replaced("%OTHER%", b, &problem);
    EXPECT_EQ(problem.error, ScriptError::kUnknownName);
    replaced("50% off", b, &problem);
    EXPECT_EQ(problem.error, ScriptError::kUnclosedName);
}

TEST(RegistrationScript, ApostrophesAreDoubledAndReadBackAsOne) {
    const std::string path = "C:\\Bob's 'CAD'\\Vistrel.dll";
    EXPECT_EQ(doubleApostrophes(path), "C:\\Bob''s ''CAD''\\Vistrel.dll");
    const auto roots = parse(replaced("HKCR { K = s '%MODULE%' }", {{"Module", doubleApostrophes(path)}}));
    EXPECT_EQ(roots.at(0).keys.at(0).defaultValue, path);
    // Quoted names, values and empty texts.
    const auto quoted = parse("HKCU { 'Key With Spaces' = s '' { val 'It''s' = s 'x' 'val' } }");
    const ScriptKey& k = quoted.at(0).keys.at(0);
    EXPECT_EQ(quoted.at(0).root, RootKey::kCurrentUser);
    EXPECT_EQ(k.name, "Key With Spaces");
    EXPECT_TRUE(k.hasDefault);
    EXPECT_EQ(k.defaultValue, "");
    EXPECT_EQ(k.values.at(0).name, "It's");
    EXPECT_EQ(k.subkeys.at(0).name, "val") << "a quoted word is a name, never a keyword";
}

TEST(RegistrationScript, NotationAcrossLayoutsAndRoots) {
    // Line breaks, tabs, long root names, several roots, keywords in any case.
    const auto roots = parse("HKEY_LOCAL_MACHINE\r\n{\r\n\tnoremove Software\r\n\t{\r\n\t\tA=s'1'\r\n\t}\r\n}\n"
                             "HKU { forceremove B { val V = s 'w' C } }");
    ASSERT_EQ(roots.size(), 2u);
    EXPECT_EQ(roots[0].root, RootKey::kLocalMachine);
    EXPECT_EQ(roots[0].keys.at(0).marker, KeyMarker::kNoRemove);
    EXPECT_EQ(roots[0].keys.at(0).subkeys.at(0).defaultValue, "1");
    EXPECT_EQ(roots[1].root, RootKey::kUsers);
    EXPECT_EQ(roots[1].keys.at(0).marker, KeyMarker::kForceRemove);
    EXPECT_EQ(roots[1].keys.at(0).subkeys.at(0).name, "C");
    EXPECT_TRUE(parse("").empty());
}

TEST(RegistrationScript, TextsThatDoNotReadAreRefusedWithTheirPlace) {
    struct Case { const char* text; std::size_t position; };
    const Case cases[] = {
        {"HKXX { }", 0},                         // unknown root
        {"HKCR K", 5},                           // no block
        {"HKCR { K = d '1' }", 11},              // only string values
        {"HKCR { K = s 1 }", 13},                // text not quoted
        {"HKCR { K = s '1 }", 13},               // text not closed
        {"HKCR { K { val = s 'x' } }", 15},      // value without a name
        {"HKCR { K { val V s 'x' } }", 17},      // value without '='
        {"HKCR { K { }", 12},                    // block not closed
        {"HKCR { '' }", 7},                      // empty key name
        {"HKCR { NoRemove }", 16},               // marker without a name
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const ScriptProblem p = problemOf(c.text);
        EXPECT_EQ(p.error, ScriptError::kSyntax);
        EXPECT_EQ(p.position, c.position);
        EXPECT_FALSE(p.detail.empty());
    }
}
