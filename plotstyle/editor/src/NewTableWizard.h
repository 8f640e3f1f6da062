// The new-table wizard: a new table of the kind its caller asks for, made from scratch, from
// pen settings or from a PCP file, in four pages (the making method, the PCP file, the
// name, the summary with Edit, the return-name box and Finish).
#pragma once

#include "TableWizardSheet.h"

namespace quellon {

// The making method: three radios, the pen settings one only with pen settings.
class CNewTblWiz1 : public WizardPage {
public:
    explicit CNewTblWiz1(TableWizardSheet& owner);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    void load() override;
};

// The PCP file.
class CNewTblWiz2 : public WizardPage {
public:
    explicit CNewTblWiz2(TableWizardSheet& owner);

protected:
    bool onCommand(int id, int code, HWND control) override;
    void load() override;
};

// The new file's name.
class CNewTblWiz3 : public WizardPage {
public:
    explicit CNewTblWiz3(TableWizardSheet& owner);

protected:
    bool onInitDialog() override;
    bool onCommand(int id, int code, HWND control) override;
    void load() override;
    bool leave() override;
};

// The summary, the editor, the return-name box, Finish.
class CNewTblWiz4 : public WizardPage {
public:
    explicit CNewTblWiz4(TableWizardSheet& owner);

protected:
    bool onCommand(int id, int code, HWND control) override;
    void load() override;
};

class NewTableWizard : public TableWizardSheet {
public:
    NewTableWizard(bool colorDependent, const std::string& directory, const PenSettings* pens,
                   bool penFlag);

private:
    CNewTblWiz1 method_;
    CNewTblWiz2 pcp_;
    CNewTblWiz3 name_;
    CNewTblWiz4 finish_;
};

// Runs the new-table wizard modally over `parent`; true when finished, with `name` the new
// file's name, or empty when the return-name box was cleared.
bool runNewTableWizard(bool colorDependent, const std::string& directory,
                       const PenSettings* pens, bool penFlag, HWND parent, std::string& name);

}  // namespace quellon
