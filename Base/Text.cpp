#include "Base/Text.h"

#include <unicode/brkiter.h>
#include <unicode/normalizer2.h>
#include <unicode/uchar.h>
#include <unicode/unistr.h>
#include <unicode/utext.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace Base::Text {

std::string utf8FromCodePoints(std::u32string_view cps);

namespace {

// One character iterator for the whole process, made on first use and never
// destroyed: the text rules also run inside exit(), in the save of a run whose
// display went away, after the thread_local objects and the statics made after
// the exit handler are gone. The lock keeps it to one thread at a time, only
// for the length of one text.
struct SharedIterator {
    std::mutex mutex;
    std::unique_ptr<icu::BreakIterator> iterator;  // none when ICU could not make one
};

SharedIterator& characterIterator() {
    static SharedIterator* const shared = [] {
        UErrorCode status = U_ZERO_ERROR;
        std::unique_ptr<icu::BreakIterator> it(
            icu::BreakIterator::createCharacterInstance(icu::Locale::getRoot(), status));
        if (U_FAILURE(status)) it.reset();
        return new SharedIterator{{}, std::move(it)};
    }();
    return *shared;
}

// Byte offsets of the grapheme boundaries of valid UTF-8 text, 0 and size included.
template <class Visit>
void forEachBoundary(std::string_view utf8, Visit visit) {
    visit(std::size_t{0});
    if (utf8.empty()) return;
    SharedIterator& shared = characterIterator();
    const std::lock_guard lock(shared.mutex);
    icu::BreakIterator* it = shared.iterator.get();
    UErrorCode status = U_ZERO_ERROR;
    UText* text = utext_openUTF8(nullptr, utf8.data(), static_cast<int64_t>(utf8.size()), &status);
    if (!it || U_FAILURE(status)) {
        utext_close(text);
        visit(utf8.size());
        return;
    }
    it->setText(text, status);
    for (int32_t b = it->next(); b != icu::BreakIterator::DONE; b = it->next()) {
        if (!visit(static_cast<std::size_t>(b))) break;
    }
    // Leave the iterator on an empty text before the UText goes away.
    it->setText(icu::UnicodeString());
    utext_close(text);
}

// ICU reads malformed UTF-8 as U+FFFD; make the bytes match what it saw.
std::string sanitized(std::string_view utf8) {
    return isValidUtf8(utf8) ? std::string(utf8) : utf8FromCodePoints(codePoints(utf8));
}

}  // namespace

bool isPrintableAscii(std::string_view text) {
    for (const char ch : text) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c > 0x7E) return false;
    }
    return true;
}

std::size_t graphemeCount(std::string_view utf8) {
    if (isPrintableAscii(utf8)) return utf8.size();
    const std::string text = sanitized(utf8);
    std::size_t count = 0;
    forEachBoundary(text, [&](std::size_t b) {
        if (b > 0) ++count;
        return true;
    });
    return count;
}

std::string graphemePrefix(std::string_view utf8, std::size_t count) {
    if (count == 0) return std::string();
    if (isPrintableAscii(utf8)) return std::string(utf8.substr(0, count));
    const std::string text = sanitized(utf8);
    std::size_t seen = 0;
    std::size_t cut = 0;
    forEachBoundary(text, [&](std::size_t b) {
        if (b == 0) return true;
        cut = b;
        return ++seen < count;
    });
    return text.substr(0, cut);
}

std::vector<std::string> graphemes(std::string_view utf8) {
    if (isPrintableAscii(utf8)) {
        std::vector<std::string> bytes;
        bytes.reserve(utf8.size());
        for (const char ch : utf8) bytes.emplace_back(1, ch);
        return bytes;
    }
    const std::string text = sanitized(utf8);
    std::vector<std::string> result;
    std::size_t last = 0;
    forEachBoundary(text, [&](std::size_t b) {
        if (b > last) result.push_back(text.substr(last, b - last));
        last = b;
        return true;
    });
    return result;
}

std::u32string codePoints(std::string_view s) {
    std::u32string out;
    out.reserve(s.size());
    std::size_t i = 0;
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    while (i < s.size()) {
        const unsigned char c = byte(i);
        int extra = 0;
        char32_t cp = 0;
        char32_t min = 0;
        if (c < 0x80) { cp = c; }
        else if ((c & 0xE0) == 0xC0) { cp = c & 0x1F; extra = 1; min = 0x80; }
        else if ((c & 0xF0) == 0xE0) { cp = c & 0x0F; extra = 2; min = 0x800; }
        else if ((c & 0xF8) == 0xF0) { cp = c & 0x07; extra = 3; min = 0x10000; }
        else { out.push_back(0xFFFD); ++i; continue; }
        std::size_t j = 1;
        bool good = true;
        for (; j <= static_cast<std::size_t>(extra); ++j) {
            if (i + j >= s.size() || (byte(i + j) & 0xC0) != 0x80) { good = false; break; }
            cp = (cp << 6) | (byte(i + j) & 0x3F);
        }
        if (!good) {
            out.push_back(0xFFFD);
            i += j;
            continue;
        }
        if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) {
            out.push_back(0xFFFD);
            i += static_cast<std::size_t>(extra) + 1;
            continue;
        }
        out.push_back(cp);
        i += static_cast<std::size_t>(extra) + 1;
    }
    return out;
}

void appendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

std::string utf8FromCodePoints(std::u32string_view cps) {
    std::string out;
    out.reserve(cps.size());
    for (const char32_t cp : cps) appendUtf8(out, cp);
    return out;
}

std::string utf8(std::u32string_view cps) { return utf8FromCodePoints(cps); }

bool isValidUtf8(std::string_view bytes) {
    const std::u32string decoded = codePoints(bytes);
    return utf8FromCodePoints(decoded) == bytes;
}

bool isControlOrFormat(char32_t cp) {
    const int8_t type = u_charType(static_cast<UChar32>(cp));
    return type == U_CONTROL_CHAR || type == U_FORMAT_CHAR;
}

bool isLetterOrNumber(char32_t cp) {
    const auto mask = U_GET_GC_MASK(static_cast<UChar32>(cp));
    return (mask & (U_GC_L_MASK | U_GC_N_MASK)) != 0;
}

bool isTrimmedSpace(char32_t cp) {
    return cp == U'\t' || u_charType(static_cast<UChar32>(cp)) == U_SPACE_SEPARATOR;
}

namespace {

// The full case mapping of ASCII text is plain ASCII case mapping; anything
// else goes through ICU's root locale.
template <class AsciiMap, class IcuMap>
std::string caseMapped(std::string_view s, AsciiMap ascii, IcuMap icuMap) {
    if (std::all_of(s.begin(), s.end(), [](char ch) { return static_cast<unsigned char>(ch) < 0x80; })) {
        std::string out(s);
        for (char& ch : out) ch = ascii(ch);
        return out;
    }
    icu::UnicodeString text = icu::UnicodeString::fromUTF8(icu::StringPiece(s.data(), static_cast<int32_t>(s.size())));
    icuMap(text);
    std::string out;
    text.toUTF8String(out);
    return out;
}

}  // namespace

std::string lowercased(std::string_view s) {
    return caseMapped(
        s, [](char ch) { return ch >= 'A' && ch <= 'Z' ? static_cast<char>(ch - 'A' + 'a') : ch; },
        [](icu::UnicodeString& text) { text.toLower(icu::Locale::getRoot()); });
}

std::string uppercased(std::string_view s) {
    return caseMapped(
        s, [](char ch) { return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch; },
        [](icu::UnicodeString& text) { text.toUpper(icu::Locale::getRoot()); });
}

std::string nfc(std::string_view s) {
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2* normalizer = icu::Normalizer2::getNFCInstance(status);
    const icu::UnicodeString text = icu::UnicodeString::fromUTF8(icu::StringPiece(s.data(), static_cast<int32_t>(s.size())));
    if (U_FAILURE(status)) return std::string(s);
    const icu::UnicodeString normal = normalizer->normalize(text, status);
    if (U_FAILURE(status)) return std::string(s);
    std::string out;
    normal.toUTF8String(out);
    return out;
}

std::string trimmed(std::string_view utf8) {
    const std::u32string cps = codePoints(utf8);
    std::size_t begin = 0;
    std::size_t end = cps.size();
    while (begin < end && isTrimmedSpace(cps[begin])) ++begin;
    while (end > begin && isTrimmedSpace(cps[end - 1])) --end;
    return utf8FromCodePoints(std::u32string_view(cps).substr(begin, end - begin));
}

std::string cleanUserText(std::string_view utf8, std::size_t maxLength, bool trim) {
    std::string kept;
    kept.reserve(utf8.size());
    for (const char32_t cp : codePoints(utf8)) {
        if (cp == U'\t' || cp == U'\n' || cp == U'\r') {
            kept += ' ';
        } else if (!isControlOrFormat(cp)) {
            appendUtf8(kept, cp);
        }
    }
    if (trim) kept = trimmed(kept);
    return graphemePrefix(kept, maxLength);
}

}  // namespace Base::Text
