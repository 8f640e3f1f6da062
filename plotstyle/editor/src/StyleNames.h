// Names of the styles of a named table: the free numbered name a new style is offered, the
// characters a name may not hold, and what the name dialog and in-place renaming make of a
// typed name. No window here; the dialogs show what these rules decide.
#pragma once

#include "Strings.h"

#include "vexoutils/PlotStyleTable.h"

#include <cstdint>
#include <string>
#include <vector>

namespace quellon {

// A name pattern: a text with one integer placeholder ("%d", "%i" or "%u"; "%%" is a
// percent sign), used both to read numbers from names and to write a name for a number.
class NamePattern {
public:
    explicit NamePattern(const std::string& pattern);

    // False when the pattern has no integer placeholder or more than one: it then reads
    // no number and writes itself.
    bool valid() const { return valid_; }
    // Reads `name` as the pattern with a number in place of the placeholder, as scanf
    // would (blanks in the pattern match any run of blanks, the number may be signed and
    // preceded by blanks), but only a name that the pattern covers to its end counts.
    // Numbers are 32-bit: a negative number is read as its unsigned value, one that does
    // not fit in 32 bits is no number.
    bool read(const std::string& name, std::uint32_t& number) const;
    // The pattern with `number` in place of the placeholder ("%d"/"%i" print it signed).
    std::string write(std::uint32_t number) const;

private:
    std::string prefix_, suffix_;
    char kind_ = 'd';
    bool valid_ = false;
};

// The number a new style is offered, from the numbers the pattern reads in the existing
// names (duplicates kept, compared as unsigned 32-bit values): none gives 1; a single n
// gives n - 1 above 1, else n + 1; several whose smallest is above 1 give smallest - 1;
// otherwise the first gap above a number, else (or when that would be all bits set) one
// above the largest.
std::uint32_t proposeNumber(std::vector<std::uint32_t> numbers);
// The name offered for a new style of `table`.
std::string proposeStyleName(const CPlotStyleTable& table, const NamePattern& pattern);

// `text` without blanks (space, tab, line breaks) at either end.
std::string trimmed(const std::string& text);
// True when `name` holds one of < > / \ " : ? * | , = ` ;
bool hasForbiddenStyleNameCharacter(const std::string& name);

// What the name dialog makes of the text typed so far.
struct NameVerdict {
    std::string name;     // the text trimmed: what OK hands back
    std::string message;  // what the dialog says of it; empty when nothing is wrong
    bool acceptable;      // OK may be pressed
};
NameVerdict judgeNewStyleName(const CPlotStyleTable& table, const std::string& text,
                              const Strings& strings);

// What in-place renaming makes of the text a style's label was edited to.
struct RenameVerdict {
    enum Kind {
        kRefused,    // `message` says why (stop icon)
        kUnchanged,  // the very same name: nothing to do, nothing to say
        kRename,     // hand `name` to the table
    } kind;
    std::string name;
    std::string message;
};
RenameVerdict judgeRename(const std::string& currentName, const std::string& text,
                          const Strings& strings);

}  // namespace quellon
