#pragma once

namespace os {

// The process's narrow code pages. On this platform the ANSI and the OEM code
// page are both UTF-8; wide text is UTF-32 in wchar_t.
enum class CodePage : unsigned { Ansi = 0, Oem = 1, Utf8 = 65001 };

// Narrow text in `codePage` to wide text. `srcLen` -1 reads up to and including
// the first NUL; otherwise exactly srcLen bytes. With a null `dst` and capacity
// 0 it only counts (the size pass). Returns the number of wchar_t written (or
// needed), 0 on failure with the reason in os::LastError():
// kErrorInvalidParameter (null source, empty source, bad capacity or code
// page) or kErrorInsufficientBuffer. Ill-formed sequences are not a failure:
// each becomes U+FFFD.
int NarrowToWide(CodePage codePage, const char* src, int srcLen, wchar_t* dst, int dstCapacity);

// Wide text to narrow text in `codePage`, with the same rules. Values that are
// no Unicode scalar (surrogates, beyond U+10FFFF) become U+FFFD.
int WideToNarrow(CodePage codePage, const wchar_t* src, int srcLen, char* dst, int dstCapacity);

// Narrow text from one code page to another, as NarrowToWide then
// WideToNarrow give it, without the wide text between them (a whole service
// reply passes through here). The same rules, with both pages checked.
int NarrowToNarrow(CodePage from, CodePage to, const char* src, int srcLen, char* dst, int dstCapacity);

}  // namespace os
