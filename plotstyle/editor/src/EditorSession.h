// What the table editor holds while it runs: the table (owned, deleted with the session),
// the path it belongs to, whether any page changed it and whether it was written. Saving
// lives here too, so the rules of save and save as are tested without a window.
#pragma once

#include "vexoutils/PlotStyleTable.h"

#include <memory>
#include <string>
#include <vector>

namespace quellon {

struct TableDeleter {
    void operator()(CPlotStyleTable* table) const { delete table; }
};
using TablePtr = std::unique_ptr<CPlotStyleTable, TableDeleter>;

class EditorSession {
public:
    // Takes the table over; `path` is the file it was read from or is to be written to.
    EditorSession(TablePtr table, std::string path);

    // The table being edited. Pages ask for it each time rather than keep it: a failed
    // save-as puts a restored copy in its place.
    CPlotStyleTable& table() { return *table_; }
    const CPlotStyleTable& table() const { return *table_; }
    const std::string& path() const { return path_; }

    // Set by every change a page makes to the table; cleared only by a successful save-as.
    bool modified() const { return modified_; }
    void setModified() { modified_ = true; }
    // Set once a write succeeded: what the editor reports when it closes.
    bool saved() const { return saved_; }
    // Every path a write succeeded to, in order.
    const std::vector<std::string>& writtenPaths() const { return writtenPaths_; }

    // Writes the table to `path`; on success the saved flag is set. The modified flag stays.
    bool save(const std::string& path);
    // Writes the table to a new path, first removing the colour mapping when asked. On
    // success the path becomes `path` and the modified flag is cleared. On failure the table
    // is as it was before the call (mapping included) and the path is unchanged.
    bool saveAs(const std::string& path, bool removeMapping);

private:
    TablePtr table_;
    std::string path_;
    bool modified_ = false;
    bool saved_ = false;
    std::vector<std::string> writtenPaths_;
};

}  // namespace quellon
