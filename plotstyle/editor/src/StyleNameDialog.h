// The name of a new style (added or pasted): an edit that starts with the proposed name, a
// line that says what is wrong with the text typed, and OK only for a name the table can
// take. Data in: the table and the proposal; data out: the trimmed name.
#pragma once

#include "Strings.h"

#include "dialogs/Dialog.h"

#include "vexoutils/PlotStyleTable.h"

#include <string>

namespace quellon {

class StyleNameDialog : public dlg::Dialog {
public:
    StyleNameDialog(const CPlotStyleTable& table, const Strings& strings, std::string proposed);

    // After OK: the name typed, without blanks at either end.
    const std::string& name() const { return name_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    void onOK() override;

private:
    // Judges the edit's text, shows what is wrong with it and enables OK; true when OK may
    // be pressed, with `name_` set to the trimmed text.
    bool judge();

    const CPlotStyleTable& table_;
    const Strings& strings_;
    std::string name_;
};

}  // namespace quellon
