#include "rtf/RtfReader.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <string>
#include <vector>

#include "os/HexDigit.h"
#include "rtf/CodePageText.h"

namespace SOUI::rtf {

namespace {

// Destinations whose text is not part of the document's body.
constexpr std::array<std::string_view, 24> kHiddenDestinations = {"fonttbl",
                                                                  "colortbl",
                                                                  "stylesheet",
                                                                  "info",
                                                                  "pict",
                                                                  "object",
                                                                  "header",
                                                                  "headerl",
                                                                  "headerr",
                                                                  "headerf",
                                                                  "footer",
                                                                  "footerl",
                                                                  "footerr",
                                                                  "footerf",
                                                                  "footnote",
                                                                  "filetbl",
                                                                  "revtbl",
                                                                  "listtable",
                                                                  "listoverridetable",
                                                                  "xe",
                                                                  "tc",
                                                                  "themedata",
                                                                  "datastore",
                                                                  "latentstyles"};

struct Group {
    int unicodeSkip = 1;     // \ucN: characters that stand in for each \uN
    bool hidden = false;     // text of this group is dropped
    bool fontTable = false;  // inside \fonttbl: \fN \fcharsetN define fonts
    unsigned codePage = 0;   // of the current font; 0: the document's
};

class Reader {
public:
    explicit Reader(std::string_view doc) : doc_(doc) {}

    RtfText Read() {
        RtfText result;
        if (doc_.substr(0, 5) != "{\\rtf") {
            result.status = RtfStatus::kNotRtf;
            return result;
        }
        bool balanced = true;
        while (pos_ < doc_.size()) {
            const char c = doc_[pos_];
            if (c == '{') {
                ++pos_;
                Flush();
                groups_.push_back(groups_.empty() ? Group{} : groups_.back());
                skipPending_ = 0;
            } else if (c == '}') {
                ++pos_;
                Flush();
                skipPending_ = 0;
                if (groups_.empty()) {
                    balanced = false;
                    break;
                }
                groups_.pop_back();
                if (groups_.empty()) break;  // the document's closing brace
            } else if (c == '\\') {
                ControlSequence();
            } else if (c == '\r' || c == '\n') {
                ++pos_;
            } else {
                ++pos_;
                Character(c);
            }
        }
        Flush();
        if (!groups_.empty()) balanced = false;
        result.status = balanced ? RtfStatus::kOk : RtfStatus::kUnbalanced;
        result.text = std::move(text_);
        return result;
    }

private:
    Group& Current() { return groups_.back(); }

    bool Hidden() const { return groups_.empty() || groups_.back().hidden; }

    // One byte of narrow text, raw or from \'hh.
    void Character(char byte) {
        if (SkipOne() || Hidden()) return;
        pendingBytes_.push_back(byte);
    }

    void Wide(wchar_t ch) {
        if (Hidden()) return;
        Flush();
        text_.push_back(ch);
    }

    // The characters after \uN that stand in for it are dropped.
    bool SkipOne() {
        if (skipPending_ == 0) return false;
        --skipPending_;
        return true;
    }

    // Narrow bytes are decoded together, so that the two bytes of a GBK
    // character written as two \'hh escapes make one character.
    void Flush() {
        if (pendingBytes_.empty()) return;
        unsigned page = groups_.empty() ? 0 : groups_.back().codePage;
        if (page == 0) page = documentCodePage_;
        text_ += DecodeCodePage(page, pendingBytes_);
        pendingBytes_.clear();
    }

    void ControlSequence() {
        ++pos_;  // the backslash
        if (pos_ >= doc_.size()) return;
        const char c = doc_[pos_];
        // Bytes so far belong to the font before any change that follows;
        // escaped bytes and literal symbols continue the run.
        if (c != '\'' && c != '\\' && c != '{' && c != '}') Flush();
        if (std::isalpha(static_cast<unsigned char>(c))) {
            ControlWord();
            return;
        }
        ++pos_;
        switch (c) {
            case '\'':
                HexByte();
                return;
            case '\\':
            case '{':
            case '}':
                Character(c);
                return;
            case '*':
                if (!groups_.empty()) Current().hidden = true;
                return;
            case '~':
                Symbol(0x00A0);
                return;
            case '_':
                Symbol(0x2011);
                return;
            case '-':
                SkipOne();
                return;  // optional hyphen: not shown
            case '\r':
            case '\n':
                Symbol(L'\n');
                return;  // same as \par
            default:
                SkipOne();
                return;
        }
    }

    void HexByte() {
        int value = 0;
        for (int i = 0; i < 2; ++i) {
            const int digit = pos_ < doc_.size() ? os::HexDigitValue(doc_[pos_]) : -1;
            if (digit < 0) return;  // malformed escape: dropped
            value = value * 16 + digit;
            ++pos_;
        }
        Character(static_cast<char>(value));
    }

    void Symbol(wchar_t ch) {
        if (SkipOne()) return;
        Wide(ch);
    }

    void ControlWord() {
        const size_t start = pos_;
        while (pos_ < doc_.size() && std::isalpha(static_cast<unsigned char>(doc_[pos_]))) ++pos_;
        const std::string_view word = doc_.substr(start, pos_ - start);
        bool hasParam = false;
        long param = 0;
        bool negative = false;
        if (pos_ < doc_.size() && doc_[pos_] == '-') {
            negative = true;
            ++pos_;
        }
        while (pos_ < doc_.size() && std::isdigit(static_cast<unsigned char>(doc_[pos_]))) {
            hasParam = true;
            if (param < 100000000) param = param * 10 + (doc_[pos_] - '0');
            ++pos_;
        }
        if (negative) param = -param;
        if (pos_ < doc_.size() && doc_[pos_] == ' ') ++pos_;  // the delimiter
        if (groups_.empty()) return;
        Apply(word, hasParam, param);
    }

    void Apply(std::string_view word, bool hasParam, long param) {
        Group& group = Current();
        if (word == "bin") {
            // Binary data follows the word; never text.
            pos_ = std::min(doc_.size(), pos_ + static_cast<size_t>(std::max(0L, param)));
            return;
        }
        if (word == "u" && hasParam) {
            Unicode(param);
            return;
        }
        if (SkipOne()) return;
        if (word == "uc" && hasParam) {
            group.unicodeSkip = static_cast<int>(std::max(0L, param));
        } else if (word == "ansicpg" && hasParam) {
            documentCodePage_ = static_cast<unsigned>(param);
        } else if (word == "fonttbl") {
            group.hidden = true;
            group.fontTable = true;
        } else if (group.fontTable) {
            FontTableWord(word, param);
        } else if (word == "f" && hasParam) {
            const auto font = fontCodePages_.find(param);
            group.codePage = font != fontCodePages_.end() ? font->second : 0;
        } else if (IsHiddenDestination(word)) {
            group.hidden = true;
        } else if (word == "par" || word == "line" || word == "sect" || word == "page" || word == "row") {
            Wide(L'\n');
        } else if (word == "tab" || word == "cell") {
            Wide(L'\t');
        } else if (const wchar_t ch = NamedCharacter(word); ch != 0) {
            Wide(ch);
        }
    }

    void FontTableWord(std::string_view word, long param) {
        if (word == "f") {
            definingFont_ = param;
        } else if (word == "fcharset") {
            const unsigned page = CodePageOfCharset(static_cast<int>(param));
            if (page != 0) fontCodePages_[definingFont_] = page;
        } else if (word == "cpg") {
            fontCodePages_[definingFont_] = static_cast<unsigned>(param);
        }
    }

    void Unicode(long param) {
        if (SkipOne()) return;
        // Values above 32767 are written as negative 16-bit numbers.
        const unsigned unit = static_cast<unsigned>(param < 0 ? param + 65536 : param) & 0xFFFF;
        if (unit >= 0xD800 && unit < 0xDC00) {
            highSurrogate_ = unit;
        } else if (unit >= 0xDC00 && unit < 0xE000 && highSurrogate_ != 0) {
            Wide(static_cast<wchar_t>(0x10000 + ((highSurrogate_ - 0xD800) << 10) + (unit - 0xDC00)));
            highSurrogate_ = 0;
        } else {
            Wide(static_cast<wchar_t>(unit >= 0xD800 && unit < 0xE000 ? 0xFFFD : unit));
            highSurrogate_ = 0;
        }
        skipPending_ = Current().unicodeSkip;
    }

    static bool IsHiddenDestination(std::string_view word) {
        for (std::string_view name : kHiddenDestinations) {
            if (name == word) return true;
        }
        return false;
    }

    static wchar_t NamedCharacter(std::string_view word) {
        static const std::map<std::string_view, wchar_t> kNames = {
            {"emdash", 0x2014},    {"endash", 0x2013},    {"lquote", 0x2018}, {"rquote", 0x2019},
            {"ldblquote", 0x201C}, {"rdblquote", 0x201D}, {"bullet", 0x2022}, {"emspace", 0x2003},
            {"enspace", 0x2002},   {"qmspace", 0x2005},
        };
        const auto it = kNames.find(word);
        return it != kNames.end() ? it->second : 0;
    }

    std::string_view doc_;
    size_t pos_ = 0;
    std::vector<Group> groups_;
    std::map<long, unsigned> fontCodePages_;
    long definingFont_ = 0;
    unsigned documentCodePage_ = 1252;
    int skipPending_ = 0;
    unsigned highSurrogate_ = 0;
    std::string pendingBytes_;
    std::wstring text_;
};

}  // namespace

RtfText ReadRtf(std::string_view document) {
    return Reader(document).Read();
}

}  // namespace SOUI::rtf
