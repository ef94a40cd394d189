#pragma once
// Reads an RTF document into its plain text: the rich edit shows licence
// texts and similar documents, so paragraphs and characters are kept and
// formatting is dropped.
#include <string>
#include <string_view>

namespace SOUI::rtf {

enum class RtfStatus {
    kOk,
    kNotRtf,      // does not start with "{\rtf"
    kUnbalanced,  // a group is closed that was never opened, or left open
};

struct RtfText {
    RtfStatus status = RtfStatus::kOk;
    // Paragraphs end with '\n' (\par, \line, \sect, \page, \row); tabs are
    // '\t'. With kUnbalanced it holds what could be read.
    std::wstring text;
};

RtfText ReadRtf(std::string_view document);

}  // namespace SOUI::rtf
