// Texts for the editor's rule tests: the formats the rules fill, and "#<id>" for the rest,
// so a test sees which string a rule chose.
#pragma once

#include "QuellonIds.h"
#include "Strings.h"

#include <map>
#include <string>

namespace testing_support {

class FakeStrings : public quellon::Strings {
public:
    std::string text(unsigned id) const override {
        static const std::map<unsigned, std::string> known = {
            {IDS_STYLE_COUNT, "Plot styles: %d"},
            {IDS_INDEX_COLOR_ITEM, "Color %d"},
            {IDS_CUSTOM_COLOR_ITEM, "Custom Color"},
            {IDS_AUTOMATIC, "Automatic"},
            {IDS_SCALE_RANGE, "Enter a number between %s and %s."},
            {0xF112, "Enter a number."},
            {IDS_MILLIMETRES, " mm"},
            {IDS_INCHES, "\""},
            {IDS_LOCATION, "Location: "},
            {IDS_VERSION, "Version: "},
            {IDS_FILE_NAME_LABEL, "File name:"},
        };
        const auto it = known.find(id);
        return it != known.end() ? it->second : "#" + std::to_string(id);
    }
};

}  // namespace testing_support
