#pragma once

#include <optional>

#include "Base/Uuid.h"

namespace WaylarkKit {

// What the checklist tab asks of the checklist editor: open it on one
// checklist, or create a new checklist and open it on that.
struct EditorRequest {
    enum class Kind { edit, create };
    Kind kind = Kind::create;
    Base::Uuid templateID;  // the checklist to edit; unused for create

    static EditorRequest edit(const Base::Uuid& id) { return {Kind::edit, id}; }
    static EditorRequest create() { return {Kind::create, {}}; }

    bool operator==(const EditorRequest& other) const {
        return kind == other.kind && (kind == Kind::create || templateID == other.templateID);
    }
};

}  // namespace WaylarkKit
