// The wizards' rules: flow, texts, the making methods, edit and finish.
#include "TableWizard.h"

#include "EditorText.h"
#include "QuellonIds.h"
#include "WizardNames.h"

#include "dialogs/Text.h"

namespace quellon {

TableWizard::TableWizard(const WizardSetup& setup, const Strings& strings, WizardHost& host)
    : kind_(setup.kind),
      directory_(wizardDirectory(setup.directory)),
      pens_(setup.pens),
      penFlag_(setup.penFlag),
      method_(MakeMethod::PenSettings),
      colorDependent_(setup.kind == WizardKind::New ? setup.colorDependent : true),
      strings_(strings),
      host_(host) {
    if (kind_ == WizardKind::Add)
        pages_ = {kMethodPage, kTypePage, kSourcePage, kNamePage, kFinishPage};
    else
        pages_ = {kMethodPage, kSourcePage, kNamePage, kFinishPage};
}

void TableWizard::open() {
    if (!pens_) method_ = kind_ == WizardKind::Add ? MakeMethod::Scratch : MakeMethod::Pcp;
}

void TableWizard::setMethod(MakeMethod method) {
    if (method == method_) return;
    method_ = method;
    changed();
}

void TableWizard::setColorDependent(bool colorDependent) {
    if (colorDependent == colorDependent_) return;
    colorDependent_ = colorDependent;
    changed();
}

void TableWizard::setSourcePath(const std::string& path) {
    if (path == sourcePath_) return;
    sourcePath_ = path;
    changed();
}

void TableWizard::setNameText(const std::string& text) {
    if (text == nameText_) return;
    nameText_ = text;
    changed();
}

TableWizard::Page TableWizard::nextPage(Page page) const {
    const bool typeFromSource = method_ == MakeMethod::Existing;
    const bool needsSource = method_ == MakeMethod::Existing || method_ == MakeMethod::Pcp;
    switch (page) {
        case kMethodPage:
            if (kind_ == WizardKind::New) return needsSource ? kSourcePage : kNamePage;
            return typeFromSource ? kSourcePage : kTypePage;
        case kTypePage:
            return needsSource ? kSourcePage : kNamePage;
        case kSourcePage:
            return kNamePage;
        default:
            return kFinishPage;
    }
}

TableWizard::Page TableWizard::backPage(Page page) const {
    const bool typeFromSource = method_ == MakeMethod::Existing;
    const bool needsSource = method_ == MakeMethod::Existing || method_ == MakeMethod::Pcp;
    switch (page) {
        case kFinishPage:
            return kNamePage;
        case kNamePage:
            if (needsSource) return kSourcePage;
            return kind_ == WizardKind::Add ? kTypePage : kMethodPage;
        case kSourcePage:
            return kind_ == WizardKind::Add && !typeFromSource ? kTypePage : kMethodPage;
        default:
            return kMethodPage;
    }
}

bool TableWizard::canGoOn(Page page) const {
    if (page == kSourcePage) return !sourcePath_.empty() && host_.fileExists(sourcePath_);
    if (page == kNamePage) return !dlg::trim(nameText_).empty();
    return true;
}

WizardButtons TableWizard::buttons(Page page) const {
    WizardButtons b;
    if (page == pages_.front()) {
        b.next = true;
    } else if (isLastPage(page)) {
        b.back = b.finish = true;
    } else {
        b.back = true;
        b.next = canGoOn(page);
    }
    return b;
}

std::string TableWizard::caption(Page page) const {
    unsigned prefix = IDS_WIZ_ADD_PREFIX;
    if (kind_ == WizardKind::New)
        prefix = colorDependent_ ? IDS_WIZ_NEW_COLOR_PREFIX : IDS_WIZ_NEW_NAMED_PREFIX;
    unsigned title = IDS_WIZ_TITLE_BEGIN;
    switch (page) {
        case kTypePage: title = IDS_WIZ_TITLE_TYPE; break;
        case kSourcePage: title = IDS_WIZ_TITLE_BROWSE; break;
        case kNamePage: title = IDS_WIZ_TITLE_NAME; break;
        case kFinishPage: title = IDS_WIZ_TITLE_FINISH; break;
        default: break;
    }
    return strings_.text(prefix) + strings_.text(title);
}

std::array<bool, 5> TableWizard::steps() const {
    std::array<bool, 5> enabled = {true, true, true, true, true};
    // The second step chooses the type, the third the file a table is made from.
    if (method_ == MakeMethod::Existing) enabled[1] = false;
    if (method_ == MakeMethod::Scratch || method_ == MakeMethod::PenSettings) enabled[2] = false;
    return enabled;
}

std::string TableWizard::sourceLabel() const {
    return strings_.text(method_ == MakeMethod::Pcp ? IDS_WIZ_PCP_LABEL
                                                    : IDS_WIZ_SOURCE_TABLE_LABEL);
}

std::string TableWizard::summary() const {
    const std::string& name = fileName_;
    switch (method_) {
        case MakeMethod::PenSettings:
        case MakeMethod::Pcp:
            return fillFormat(strings_.text(IDS_WIZ_MADE_SUMMARY), {name});
        case MakeMethod::Existing:
            return strings_.text(IDS_WIZ_COPY_SUMMARY_START) + name +
                   strings_.text(IDS_WIZ_COPY_SUMMARY_MIDDLE) + name +
                   strings_.text(IDS_WIZ_COPY_SUMMARY_END);
        case MakeMethod::Scratch:
        default:
            if (!colorDependent_)
                return fillFormat(strings_.text(IDS_WIZ_SCRATCH_NAMED_SUMMARY), {name});
            return fillFormat(strings_.text(IDS_WIZ_SCRATCH_COLOR_SUMMARY), {name, kProductName});
    }
}

std::string TableWizard::note() const {
    if (colorDependent_) return std::string();
    return strings_.text(IDS_WIZ_NAMED_NOTE_START) + strings_.text(IDS_WIZ_NAMED_NOTE_END);
}

bool TableWizard::leaveSourcePage() {
    if (kind_ != WizardKind::Add || method_ != MakeMethod::Existing) return true;
    // The type page is skipped for a copy, so the copy takes the type of its source before
    // its name gets an extension.
    TablePtr source(CPlotStyleTable::read(sourcePath_.c_str()));
    if (!source) {
        message(fillFormat(strings_.text(IDS_WIZ_SOURCE_UNREADABLE), {sourcePath_}));
        return false;
    }
    setColorDependent(source->colorDependent);
    return true;
}

bool TableWizard::acceptName() {
    const TableName name = checkTableName(nameText_, colorDependent_);
    if (name.result == TableName::Invalid)
        message(fillFormat(strings_.text(IDS_WIZ_BAD_NAME), {directory_ + name.trimmed}));
    if (name.result != TableName::Ok) return false;
    fileName_ = name.fileName;
    return true;
}

std::string TableWizard::descriptionForNewTable() const {
    return strings_.text(colorDependent_ ? IDS_WIZ_COLOR_DESCRIPTION : IDS_WIZ_NAMED_DESCRIPTION);
}

TablePtr TableWizard::makeTable() {
    bool warn = false;
    const std::string description = descriptionForNewTable();
    switch (method_) {
        case MakeMethod::Scratch:
            return TablePtr(CPlotStyleTable::create(colorDependent_, nullptr));
        case MakeMethod::Existing:
            return TablePtr(CPlotStyleTable::read(sourcePath_.c_str()));
        case MakeMethod::PenSettings: {
            TablePtr table(CPlotStyleTable::createPlotStyleTable(colorDependent_, penFlag_, pens_,
                                                                 warn, description.c_str()));
            if (!table)
                message(strings_.text(IDS_WIZ_PENS_FAILED));
            else if (warn)
                message(fillFormat(strings_.text(IDS_WIZ_PENS_WARNING), {kProductName}));
            return table;
        }
        case MakeMethod::Pcp:
        default: {
            TablePtr table(CPlotStyleTable::importPCP(sourcePath_.c_str(), colorDependent_, warn,
                                                      description.c_str()));
            if (!table)
                message(fillFormat(strings_.text(IDS_WIZ_PCP_UNREADABLE), {sourcePath_}));
            else if (warn)
                message(fillFormat(strings_.text(IDS_WIZ_PCP_WARNING), {sourcePath_, kProductName}));
            return table;
        }
    }
}

void TableWizard::edit() {
    // The name first: a refused name makes no table.
    if (!acceptName()) return;
    const std::string target = directory_ + fileName_;
    TablePtr table;
    // Once written (by an earlier save in the editor), the file is what the user edits on.
    if (written_) table.reset(CPlotStyleTable::read(target.c_str()));
    if (!table) table = makeTable();
    if (!table) return;
    const WizardHost::EditorOutcome outcome = host_.runEditor(std::move(table), target);
    // A save as to some other file does not make the wizard's own file.
    for (const std::string& path : outcome.writtenPaths)
        if (samePath(path, target)) written_ = true;
}

bool TableWizard::finish() {
    if (written_) return true;
    if (!acceptName()) return false;
    TablePtr table = makeTable();
    if (!table) return false;
    const bool ok = table->write((directory_ + fileName_).c_str());
    table.reset();
    written_ = ok;
    if (!ok) message(strings_.text(IDS_WRITE_FAILED));
    return ok;
}

std::string TableWizard::result() const {
    if (kind_ == WizardKind::New && !returnName_) return std::string();
    return fileName_;
}

}  // namespace quellon
