#include "ChecklistKit/FileChecklistStore.h"

#include "Base/DocumentFile.h"
#include "ChecklistKit/ChecklistJson.h"
#include "ChecklistKit/ChecklistLimits.h"

namespace ChecklistKit {

namespace {

Base::Result<ChecklistState> decodeCurrentVersion(const Base::Json& json) {
    BASE_TRY(state, fromJson<ChecklistState>(json));
    // A file of another version is set aside rather than half understood.
    if (state.version != ChecklistState::currentVersion) {
        return Base::makeError("checklists: version " + std::to_string(state.version) + " is not supported");
    }
    return state;
}

}  // namespace

FileChecklistStore::FileChecklistStore(std::filesystem::path url)
    : file_(std::move(url), ChecklistLimits::maxFileBytes) {}

std::filesystem::path FileChecklistStore::defaultURL(const std::filesystem::path& root) {
    return root / "Checklists" / "checklists.json";
}

std::filesystem::path FileChecklistStore::quarantineURL() const { return file_.quarantinePath(); }

std::optional<ChecklistState> FileChecklistStore::load() {
    std::optional<ChecklistState> state = file_.load<ChecklistState>(decodeCurrentVersion);
    if (!state) return std::nullopt;
    return state->validated();
}

Base::Status FileChecklistStore::save(const ChecklistState& state) { return file_.save(toJson(state)); }

}  // namespace ChecklistKit
