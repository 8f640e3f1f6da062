// Where the editor's rules take their texts from: the resource library's string table in
// the editor, a fixed table in tests.
#pragma once

#include <string>

namespace quellon {

class Strings {
public:
    virtual ~Strings() = default;
    // String `id`; empty when there is none.
    virtual std::string text(unsigned id) const = 0;
};

}  // namespace quellon
