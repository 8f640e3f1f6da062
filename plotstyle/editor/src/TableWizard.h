// The rules of the add-table and new-table wizards without a window: the making methods and
// their messages, which page follows which, the buttons and captions of each page, the name
// check, and when the new file is written (Finish, or a save in the editor from the last
// page). The sheets and pages move values between these rules and their controls.
#pragma once

#include "EditorSession.h"
#include "Strings.h"

#include "vexoutils/PlotStyleTable.h"

#include <array>
#include <string>
#include <vector>

namespace quellon {

enum class WizardKind { Add, New };
enum class MakeMethod { Scratch, Existing, PenSettings, Pcp };

struct WizardButtons {
    bool back = false, next = false, finish = false;
    bool operator==(const WizardButtons& o) const {
        return back == o.back && next == o.next && finish == o.finish;
    }
};

// What the rules need from outside: message boxes, the table editor, the file system.
class WizardHost {
public:
    struct EditorOutcome {
        bool saved = false;                    // the editor wrote the table at least once
        std::vector<std::string> writtenPaths;  // every path it wrote to
    };
    virtual ~WizardHost() = default;
    // Shows `text` with the exclamation icon under the sheet's caption.
    virtual void showMessage(const std::string& text) = 0;
    // Runs the table editor modally on `table` (taken over) for the file `path`.
    virtual EditorOutcome runEditor(TablePtr table, const std::string& path) = 0;
    virtual bool fileExists(const std::string& path) = 0;
};

struct WizardSetup {
    WizardKind kind = WizardKind::Add;
    std::string directory;
    const PenSettings* pens = nullptr;  // 256 records by colour index, or none
    bool penFlag = false;               // handed on to the table component with the pens
    bool colorDependent = true;         // the new-table wizard's type, given by its caller
};

class TableWizard {
public:
    // Page numbers. The add wizard has all five; the new wizard has method, PCP file
    // (kSourcePage), name and finish.
    enum Page { kMethodPage, kTypePage, kSourcePage, kNamePage, kFinishPage };
    static constexpr const char* kProductName = "Kivra";

    TableWizard(const WizardSetup& setup, const Strings& strings, WizardHost& host);

    WizardKind kind() const { return kind_; }
    // The wizard's pages in order.
    const std::vector<Page>& pages() const { return pages_; }
    bool hasPens() const { return pens_ != nullptr; }
    const std::string& directory() const { return directory_; }

    // When the sheet opens: without pen settings the add wizard starts from scratch and the
    // new wizard from a PCP file.
    void open();

    MakeMethod method() const { return method_; }
    void setMethod(MakeMethod method);
    bool colorDependent() const { return colorDependent_; }
    void setColorDependent(bool colorDependent);
    // The existing table or the PCP file the table is made from.
    const std::string& sourcePath() const { return sourcePath_; }
    void setSourcePath(const std::string& path);
    const std::string& nameText() const { return nameText_; }
    void setNameText(const std::string& text);
    bool returnName() const { return returnName_; }
    void setReturnName(bool on) { returnName_ = on; }

    // The validated file name (empty until a name was accepted) and whether that file has
    // been written.
    const std::string& fileName() const { return fileName_; }
    bool written() const { return written_; }

    // Page flow: where Next and Back go from `page`, skipping what the method needs not.
    Page nextPage(Page page) const;
    Page backPage(Page page) const;
    // Next is offered while the page has what it needs: an existing source file, a name.
    bool canGoOn(Page page) const;
    WizardButtons buttons(Page page) const;
    std::string caption(Page page) const;
    // The add wizard's five step texts: which are enabled for the chosen method.
    std::array<bool, 5> steps() const;

    // Texts of the pages.
    std::string sourceLabel() const;  // the add wizard's source page
    std::string summary() const;      // the last page, once a name was accepted
    std::string note() const;         // the last page: a word on named tables

    // Leaving the source page of the add wizard with an existing table: its type becomes
    // the new table's. False (with a message) when it cannot be read.
    bool leaveSourcePage();
    // Leaving the name page: checks the typed name; false when it is blank or refused (the
    // message has been shown), and the page empties its edit.
    bool acceptName();

    // The edit button of the last page: the table (the written file when there is one)
    // opened in the editor; a save there to the wizard's own file counts as written.
    void edit();
    // Finish: true when the wizard may close (the file is written, now or before).
    bool finish();
    // What the caller gets on finishing: the file name, or for the new wizard with the
    // return-name box cleared an empty name.
    std::string result() const;

private:
    TablePtr makeTable();
    std::string descriptionForNewTable() const;
    bool isLastPage(Page page) const { return page == pages_.back(); }
    void message(const std::string& text) { host_.showMessage(text); }
    void changed() { written_ = false; }

    WizardKind kind_;
    std::vector<Page> pages_;
    std::string directory_;
    const PenSettings* pens_;
    bool penFlag_;
    MakeMethod method_;
    bool colorDependent_;
    std::string sourcePath_, nameText_, fileName_;
    bool returnName_ = true;
    bool written_ = false;
    const Strings& strings_;
    WizardHost& host_;
};

}  // namespace quellon
