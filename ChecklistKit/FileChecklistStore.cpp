#include "ChecklistKit/FileChecklistStore.h"

#include "Base/DocumentFile.h"
#include "ChecklistKit/ChecklistJson.h"
#include "ChecklistKit/ChecklistLimits.h"

namespace ChecklistKit {

namespace {

Base::DocumentFile documentFile(const std::filesystem::path& url) {
    return Base::DocumentFile(url, ChecklistLimits::maxFileBytes);
}

Base::Result<ChecklistState> decodeCurrentVersion(const Base::Json& json) {
    BASE_TRY(state, fromJson<ChecklistState>(json));
    // A file of another version is set aside rather than half understood.
    if (state.version != ChecklistState::currentVersion) {
        return Base::makeError("checklists: version " + std::to_string(state.version) + " is not supported");
    }
    return state;
}

}  // namespace

std::filesystem::path FileChecklistStore::defaultURL(const std::filesystem::path& root) {
    return root / "Checklists" / "checklists.json";
}

std::filesystem::path FileChecklistStore::quarantineURL() const { return documentFile(url_).quarantinePath(); }

std::optional<ChecklistState> FileChecklistStore::load() {
    std::optional<ChecklistState> state = documentFile(url_).load<ChecklistState>(decodeCurrentVersion);
    if (!state) return std::nullopt;
    return state->validated();
}

Base::Status FileChecklistStore::save(const ChecklistState& state) { return documentFile(url_).save(toJson(state)); }

}  // namespace ChecklistKit
