// The editor's general page: the file's name, location, version, style count and kind, the
// table's description, and the scale factor with its apply check. Its rules are in
// GeneralPageModel; the page moves values between them and its controls.
#pragma once

#include "EditorPage.h"
#include "GeneralPageModel.h"

namespace quellon {

class GeneralPage : public EditorPage {
public:
    explicit GeneralPage(TableEditorDialog& editor);
    ~GeneralPage() override;

    bool hasPendingEdits() const override;
    // Works the file facts out again (after a save as) and reloads the controls.
    void recompute();
    const GeneralFacts& facts() const { return facts_; }

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    void doDataExchange(dlg::DataExchange& dx) override;

private:
    void loadControls();

    GeneralFacts facts_;
    HICON tableIcon_ = nullptr;
};

}  // namespace quellon
