#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace WaylarkKit {

// The rules of the shared single-line text field that need no toolkit, so the
// editors' formatters and caret rules are tested without a window. Caret
// positions count UTF-16 code units, as the field's own cursor does.

// Both sides of the value a field edits: written on every change the user
// makes, read on every refresh and again after every write, so that the field
// shows what the model kept. A getter gives back exactly what was just set
// whenever the model keeps all of it; anything else rewrites the field.
struct TextBinding {
    std::function<std::string()> get;
    std::function<void(const std::string&)> set;
    // Which value the field edits now, for a field that edits one value after
    // another (the selected instrument's, a risk in dollars or in percent):
    // its undo history belongs to one value and never reaches the next, even
    // where both show the same text. None: one value for the field's life.
    std::function<std::string()> identity;
};

// Rewrites the raw text after every keystroke (grouping digits, say).
using LiveFormatter = std::function<std::string(const std::string& raw)>;
// Where the caret goes once the formatter changed the text, given the raw
// text, the caret in it and the formatted text.
using CaretRule = std::function<int(const std::string& raw, int caret, const std::string& formatted)>;

// What one keystroke leaves in a field that has a live formatter.
struct FormattedEdit {
    std::string text;            // what the field shows and publishes
    bool replaced = false;       // the formatter changed the raw text
    std::optional<int> caret;    // none: the caret stays where replacing the text put it
};

FormattedEdit formatEdit(const std::string& raw, int caret, const LiveFormatter& formatter, const CaretRule& rule);

// Length of UTF-8 text in UTF-16 code units.
int utf16Length(std::string_view utf8);

// A caret rule may answer anything; the field only takes a position inside
// the text, and never one between the two halves of a surrogate pair.
int boundedCaret(int caret, std::string_view utf8);

// Where the caret goes once the model kept `kept` of the `typed` text, the
// caret at `caret` in it. What stood after the caret still ends the kept text
// when the model only cleaned characters out: the caret stays just before it,
// after what was inserted. Otherwise the model cut the end away, and the
// caret goes as far as the kept text reaches.
int caretAfterKeeping(std::string_view typed, int caret, std::string_view kept);

}  // namespace WaylarkKit
