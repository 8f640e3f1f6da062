// The editor's table, path and flags, and the two ways of saving.
#include "EditorSession.h"

#include <vector>

namespace quellon {

EditorSession::EditorSession(TablePtr table, std::string path)
    : table_(std::move(table)), path_(std::move(path)) {}

bool EditorSession::save(const std::string& path) {
    if (!table_->write(path.c_str())) return false;
    saved_ = true;
    writtenPaths_.push_back(path);
    return true;
}

bool EditorSession::saveAs(const std::string& path, bool removeMapping) {
    // Removing the mapping changes the table in memory before the write; if the write then
    // fails, a later save to the old path must not drop the mapping the file still has. The
    // table's own byte form is the snapshot that gives it back.
    std::vector<unsigned char> snapshot;
    const bool mapped = removeMapping && table_->colorMapping && !table_->colorDependent;
    if (mapped) {
        snapshot = table_->toBytes();
        if (snapshot.empty()) return false;  // no memory for the snapshot: change nothing
        table_->deleteACI();
    }
    if (save(path)) {
        path_ = path;
        modified_ = false;
        return true;
    }
    if (mapped) {
        std::string reason;
        TablePtr restored(CPlotStyleTable::readBytes(
            snapshot.data(), static_cast<unsigned long>(snapshot.size()), reason));
        if (restored) table_ = std::move(restored);
    }
    return false;
}

}  // namespace quellon
