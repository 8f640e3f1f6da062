// Data exchange and validation between a dialog's members and its controls. A refused
// value shows the framework's standard message (by text or range), puts the focus on the
// control and stops the exchange.
#pragma once

#include <windows.h>

#include <string>

namespace dlg {

class Dialog;

// Framework string numbers; a resource library may override the built-in English texts.
constexpr UINT kIdsParseInteger = 0xF110;       // "Enter an integer."
constexpr UINT kIdsParseIntegerRange = 0xF111;  // "Enter an integer between %1 and %2."
constexpr UINT kIdsParseNumber = 0xF112;        // "Enter a number."

std::string integerMessage();
std::string integerRangeMessage(long low, long high);

class DataExchange {
public:
    struct Failure {};  // thrown to stop the exchange; caught by Dialog::updateData

    DataExchange(Dialog& dialog, bool save) : dialog_(dialog), save_(save) {}
    bool saving() const { return save_; }

    void text(int id, std::string& value);
    // A whole number; with a range, values outside low..high are refused.
    void integer(int id, int& value);
    void integer(int id, int& value, int low, int high);
    void integer(int id, short& value, short low, short high);
    void check(int id, bool& value);

    // Shows `message` (exclamation), focuses control `id`, selects its text and stops.
    [[noreturn]] void fail(int id, const std::string& message);

private:
    bool readInteger(int id, long& value);

    Dialog& dialog_;
    bool save_;
};

}  // namespace dlg
