// The editor's form view: the list of styles and one set of property controls for the
// selected styles. The rules are in FormViewModel; the page implements its view over the
// real controls and routes their notifications to it.
#pragma once

#include "EditorPage.h"
#include "FormViewModel.h"
#include "SampleCombos.h"
#include "StyleList.h"

#include "dialogs/Window.h"

#include <memory>

namespace quellon {

class FormViewCommands;

class FormViewPage : public EditorPage, private FormView {
public:
    explicit FormViewPage(TableEditorDialog& editor);
    ~FormViewPage() override;

    bool hasPendingEdits() const override;
    // After a save as: the table may have lost its colour mapping.
    void tableReplaced();

    FormViewModel& model() { return *model_; }
    StyleList& list() { return list_; }
    // The style commands and the lineweight button (null until the page is created).
    FormViewCommands* commands() { return commands_.get(); }
    SampleCombo& comboControl(Combo which);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    bool onNotify(NMHDR& header, LRESULT& result) override;
    bool onMessage(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override;
    void doDataExchange(dlg::DataExchange& dx) override;

    // The style commands of the list's menu and buttons (cut, copy, paste, add, delete,
    // rename) and the lineweight button; they arrive here.
    virtual void onStyleCommand(int id);

private:
    // FormView
    std::vector<int> selectedStyles() const override;
    ComboList& combo(Combo which) override;
    int comboSelection(Combo which) const override;
    void selectComboItem(Combo which, int index) override;
    std::string numberText(int edit) const override;
    void setNumberText(int edit, const std::string& text) override;
    bool numberModified(int edit) const override;
    void setNumberModified(int edit, bool on) override;
    void setSpinPosition(int edit, int position) override;
    std::string descriptionText() const override;
    void setDescriptionText(const std::string& text) override;
    bool descriptionModified() const override;
    void setDescriptionModified(bool on) override;
    void enableProperties(bool on) override;
    void enableStyleButtons(bool add, bool remove) override;
    bool pickIndexColor(int start, int& index) override;
    bool pickAnyColor(bool hasStart, VxColorRef start, VxColorRef& color) override;
    void showMessage(const std::string& text) override;

    void fillList();
    void openContextMenu();
    int numberEditOf(int controlId) const;
    int numberEditOfSpin(HWND spin) const;

    StyleList list_;
    ColorCombo color_;
    TextCombo dither_, grayscale_, adaptive_;
    LinetypeCombo linetype_;
    LineweightCombo lineweight_;
    BitmapCombo end_, join_, fill_;
    std::unique_ptr<ComboItemsOf> items_[9];
    dlg::Edit numbers_[kNumberEdits];
    dlg::SpinButton spins_[kNumberEdits];
    dlg::Edit description_;
    std::unique_ptr<FormViewModel> model_;
    std::unique_ptr<FormViewCommands> commands_;
    bool ready_ = false;        // the model has opened: notifications count from now on
    bool settingText_ = false;  // text set by the page, not typed
};

}  // namespace quellon
