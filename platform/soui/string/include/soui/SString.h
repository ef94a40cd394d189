#pragma once
#include <cstdarg>
#include <string>

namespace SOUI {

// The framework's string type. Format takes the Windows printf forms:
// "%s" is a string of the string's own character type.
template <typename T>
class TStringT {
public:
    TStringT() = default;
    TStringT(const T* text) : text_(text != nullptr ? text : std::basic_string<T>()) {}
    TStringT(const T* text, int length) : text_(text, static_cast<size_t>(length)) {}
    explicit TStringT(std::basic_string<T> text) : text_(std::move(text)) {}

    // Replaces the contents with the formatted text; false (and empty) when
    // the format or an argument cannot be formatted.
    bool Format(const T* format, ...);

    int GetLength() const { return static_cast<int>(text_.size()); }
    bool IsEmpty() const { return text_.empty(); }
    void Empty() { text_.clear(); }
    const T* c_str() const { return text_.c_str(); }
    operator const T*() const { return text_.c_str(); }

    TStringT& operator+=(const TStringT& other) {
        text_ += other.text_;
        return *this;
    }
    friend TStringT operator+(TStringT left, const TStringT& right) { return left += right; }

    friend bool operator==(const TStringT& a, const TStringT& b) { return a.text_ == b.text_; }
    friend bool operator==(const TStringT& a, const T* b) {
        return a.text_ == (b != nullptr ? b : std::basic_string<T>());
    }
    friend bool operator<(const TStringT& a, const TStringT& b) { return a.text_ < b.text_; }

private:
    std::basic_string<T> text_;
};

template <>
bool TStringT<wchar_t>::Format(const wchar_t* format, ...);

using SStringW = TStringT<wchar_t>;

}  // namespace SOUI
