// General page rules: file facts and taking the typed values.
#include "GeneralPageModel.h"

#include "EditorText.h"
#include "QuellonIds.h"

namespace quellon {
namespace {
// The dialog framework's "Enter a number." (its standard message for text that is no number).
constexpr unsigned kIdsParseNumber = 0xF112;
constexpr const char* kVersion = "1.0";
}  // namespace

unsigned tableKindString(const CPlotStyleTable& table) {
    if (table.colorDependent) return IDS_COLOR_TABLE;
    return table.colorMapping ? IDS_NAMED_TABLE_MAPPED : IDS_NAMED_TABLE;
}

GeneralFacts generalFacts(const CPlotStyleTable& table, const std::string& path,
                          const Strings& strings) {
    GeneralFacts facts;
    facts.fileName = fileNameOf(path);
    facts.fileNameText = strings.text(IDS_FILE_NAME_LABEL) + "\r\n" + facts.fileName;
    const std::string location = strings.text(IDS_LOCATION) + path;
    const std::string version = strings.text(IDS_VERSION) + kVersion;
    const std::string count =
        fillFormat(strings.text(IDS_STYLE_COUNT), {std::to_string(table.size())});
    const std::string kind = strings.text(tableKindString(table));
    facts.factsText =
        location + "\r\n\r\n" + version + "\r\n\r\n" + count + "\r\n\r\n" + kind;
    return facts;
}

std::string scaleFactorText(double scale) {
    return significantDigits(scale);
}

TakeResult takeGeneralInput(const GeneralInput& input, EditorSession& session,
                            const Strings& strings) {
    CPlotStyleTable& table = session.table();
    double scale = table.scaleFactor;
    const bool untouched = input.scaleText == scaleFactorText(table.scaleFactor);
    if (!untouched) {
        if (!parseReal(input.scaleText, scale)) return {false, strings.text(kIdsParseNumber)};
        if (scale < kMinScaleFactor || scale > kMaxScaleFactor)
            return {false, fillFormat(strings.text(IDS_SCALE_RANGE),
                                      {significantDigits(kMinScaleFactor),
                                       significantDigits(kMaxScaleFactor)})};
    }
    table.applyFactor = input.applyScale;
    if (scale != table.scaleFactor) {
        table.scaleFactor = scale;
        session.setModified();
    }
    if (input.description != table.description) {
        table.setDesc(input.description.c_str());
        session.setModified();
    }
    return {};
}

}  // namespace quellon
