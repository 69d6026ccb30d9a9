#pragma once

#include <filesystem>

#include "Base/DocumentFile.h"
#include "Base/FileSystem.h"
#include "ChecklistKit/ChecklistStore.h"

namespace ChecklistKit {

// The checklists in their JSON file. A file that cannot be used (unreadable,
// over 1,000,000 bytes, not a checklist document, another version) is moved
// aside as "checklists.corrupt.json" (or the next free numbered name when
// that is taken), and load gives nothing; a missing file is no error and
// moves nothing. A file changed by another hand since the last load or save
// is moved aside the same way before a save replaces it.
class FileChecklistStore final : public ChecklistStore {
public:
    explicit FileChecklistStore(std::filesystem::path url);

    // "Checklists/checklists.json" in the application's folder, or in `root`.
    static std::filesystem::path defaultURL(
        const std::filesystem::path& root = Base::FileSystem::applicationSupportFolder());

    const std::filesystem::path& url() const { return file_.path(); }
    std::filesystem::path quarantineURL() const;

    // The repaired document. The repair stays in memory: the file is rewritten
    // only when the model saves.
    std::optional<ChecklistState> load() override;
    // Writes the document as given, atomically, into a folder of mode 0700,
    // and gives the file mode 0600.
    Base::Status save(const ChecklistState& state) override;

private:
    Base::DocumentFile file_;
};

}  // namespace ChecklistKit
