// The lineweight dialog: the table's 27 lineweights in a list whose labels are edited in
// place, with a mark beside each one some style uses, the units of the list, and sorting.
// The rules are in LineweightModel; after OK the caller applies the model to the table.
#pragma once

#include "LineweightModel.h"
#include "Strings.h"

#include "dialogs/Dialog.h"
#include "dialogs/Window.h"

namespace quellon {

class LineweightDialog : public dlg::Dialog {
public:
    LineweightDialog(const CPlotStyleTable& table, const Strings& strings);
    ~LineweightDialog() override;

    LineweightModel& model() { return model_; }
    dlg::ListView& list() { return list_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    bool onNotify(NMHDR& header, LRESULT& result) override;
    bool onMessage(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;

private:
    // Shows every row's text and mark as the model has them.
    void showRows();
    void showRow(int row);
    // The end of an in-place edit; shows the range message (after the edit has gone) when
    // the value was refused.
    void finishEdit(int row, const char* text);

    LineweightModel model_;
    const Strings& strings_;
    dlg::ListView list_;
    HICON helpIcon_ = nullptr;
};

}  // namespace quellon
