#pragma once

#include "Base/Json.h"
#include "Base/Result.h"
#include "ChecklistKit/ChecklistItem.h"
#include "ChecklistKit/ChecklistState.h"
#include "ChecklistKit/ChecklistTemplate.h"

namespace ChecklistKit {

// The checklist file's document. Reading is strict: a missing required member,
// a null where a value is required, a value of the wrong JSON type or an
// unparsable id fails the whole document. Only "activeTemplateID", "choices"
// and an item's "options" may be absent or null. Nothing is cleaned here.
template <class T>
Base::Result<T> fromJson(const Base::Json& json);

Base::Json toJson(const ChecklistItem& item);
Base::Json toJson(const ChecklistTemplate& checklist);
// "activeTemplateID" is written only when there is one.
Base::Json toJson(const ChecklistState& state);

template <>
Base::Result<ChecklistItem> fromJson<ChecklistItem>(const Base::Json& json);
template <>
Base::Result<ChecklistTemplate> fromJson<ChecklistTemplate>(const Base::Json& json);
// Any version reads; the store decides which versions it accepts.
template <>
Base::Result<ChecklistState> fromJson<ChecklistState>(const Base::Json& json);

}  // namespace ChecklistKit
