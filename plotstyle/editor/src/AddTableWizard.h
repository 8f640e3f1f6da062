// The add-table wizard: a new colour-dependent or named table made from scratch, copied
// from an existing table file, or made from pen settings or a PCP file, in five pages (the
// making method, the type, the source file, the name, the summary with Edit and Finish).
#pragma once

#include "TableWizardSheet.h"

namespace quellon {

class AddTableWizard;

// The making method: four radios, the pen settings one only with pen settings.
class CAddTblWiz1 : public WizardPage {
public:
    explicit CAddTblWiz1(TableWizardSheet& owner);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    void load() override;
};

// The table type, colour-dependent or named.
class CAddTblWiz2 : public WizardPage {
public:
    explicit CAddTblWiz2(TableWizardSheet& owner);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    void load() override;
};

// The table file to copy, or the PCP file to import.
class CAddTblWiz3 : public WizardPage {
public:
    explicit CAddTblWiz3(TableWizardSheet& owner);

protected:
    bool onCommand(int id, int code, HWND control) override;
    void load() override;
    bool leave() override;
};

// The new file's name.
class CAddTblWiz4 : public WizardPage {
public:
    explicit CAddTblWiz4(TableWizardSheet& owner);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    void load() override;
    bool leave() override;
};

// The summary, the editor, Finish.
class CAddTblWiz5 : public WizardPage {
public:
    explicit CAddTblWiz5(TableWizardSheet& owner);

protected:
    bool onCommand(int id, int code, HWND control) override;
    void load() override;
};

class AddTableWizard : public TableWizardSheet {
public:
    AddTableWizard(const std::string& directory, const PenSettings* pens, bool penFlag);

private:
    CAddTblWiz1 method_;
    CAddTblWiz2 type_;
    CAddTblWiz3 source_;
    CAddTblWiz4 name_;
    CAddTblWiz5 finish_;
};

// Runs the add-table wizard modally over `parent`; true with `name` set when finished.
bool runAddTableWizard(const std::string& directory, const PenSettings* pens, bool penFlag,
                       HWND parent, std::string& name);

}  // namespace quellon
