// Data exchange and the framework's standard validation messages.
#include "dialogs/DataExchange.h"

#include "dialogs/Dialog.h"
#include "dialogs/MessageBox.h"
#include "dialogs/ModuleState.h"
#include "dialogs/Text.h"
#include "dialogs/Window.h"

#include <climits>
#include <string>

namespace dlg {
namespace {
std::string frameworkString(UINT id, const char* fallback) {
    std::string text = loadString(id);
    return text.empty() ? std::string(fallback) : text;
}
}  // namespace

std::string integerMessage() {
    return frameworkString(kIdsParseInteger, "Enter an integer.");
}

std::string integerRangeMessage(long low, long high) {
    return fillPlaceholders(
        frameworkString(kIdsParseIntegerRange, "Enter an integer between %1 and %2."),
        {std::to_string(low), std::to_string(high)});
}

void DataExchange::fail(int id, const std::string& message) {
    messageBox(message, MB_OK | MB_ICONEXCLAMATION, dialog_.hwnd());
    HWND control = dialog_.item(id);
    if (control) {
        SetFocus(control);
        SendMessageA(control, EM_SETSEL, 0, -1);
    }
    throw Failure{};
}

void DataExchange::text(int id, std::string& value) {
    if (save_)
        value = dialog_.itemText(id);
    else
        dialog_.setItemText(id, value);
}

bool DataExchange::readInteger(int id, long& value) {
    if (!parseInteger(dialog_.itemText(id), value)) fail(id, integerMessage());
    return true;
}

void DataExchange::integer(int id, int& value) {
    if (!save_) return dialog_.setItemText(id, std::to_string(value));
    long read = 0;
    readInteger(id, read);
    if (read < INT_MIN || read > INT_MAX) fail(id, integerMessage());
    value = int(read);
}

void DataExchange::integer(int id, int& value, int low, int high) {
    if (!save_) return dialog_.setItemText(id, std::to_string(value));
    long read = 0;
    readInteger(id, read);
    if (read < low || read > high) fail(id, integerRangeMessage(low, high));
    value = int(read);
}

void DataExchange::integer(int id, short& value, short low, short high) {
    int wide = value;
    integer(id, wide, low, high);
    value = short(wide);
}

void DataExchange::check(int id, bool& value) {
    Button button;
    button.attach(dialog_.item(id));
    if (save_)
        value = button.checked();
    else
        button.setCheck(value);
}

}  // namespace dlg
