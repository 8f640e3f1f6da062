// The rules of the editor's general page: the facts it shows about the file, and taking
// what the user typed (description, scale factor, apply check) into the table.
#pragma once

#include "EditorSession.h"
#include "Strings.h"

#include <string>

namespace quellon {

constexpr double kMinScaleFactor = 0.01;
constexpr double kMaxScaleFactor = 10.0;

// The texts the page shows, worked out from the table and its path.
struct GeneralFacts {
    std::string fileName;      // name and extension of the path
    std::string fileNameText;  // text 1006: label, line break, file name
    std::string factsText;     // text 1007: location, version, style count and kind
};

GeneralFacts generalFacts(const CPlotStyleTable& table, const std::string& path,
                          const Strings& strings);

// The kind line: colour-dependent, named with a colour mapping, or named.
unsigned tableKindString(const CPlotStyleTable& table);

// What the page's controls hold when its data is taken.
struct GeneralInput {
    std::string description;
    bool applyScale = false;
    std::string scaleText;
};

// The outcome of taking the data: either taken, or refused with the message to show.
struct TakeResult {
    bool ok = true;
    std::string message;  // when refused
};

// The scale factor as the edit shows it.
std::string scaleFactorText(double scale);

// Checks the scale factor (0.01 to 10, both included) and stores the page's values into
// the session's table; a different scale or description sets the modified flag. A scale
// text that still shows the table's own value is taken as it is, so a table read with a
// factor outside the range can still be saved when the user did not touch it.
TakeResult takeGeneralInput(const GeneralInput& input, EditorSession& session,
                            const Strings& strings);

}  // namespace quellon
