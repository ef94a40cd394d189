#pragma once
// The framework's message box, built from the template of SetMsgTemplate.
#include "soui/SXml.h"
#include "soui/Win32Defs.h"

namespace SOUI {

// The template: a host-window layout with a text "msgtext", a title
// "msgtitle" and a tab control "btnSwitch" whose pages 0, 1 and 2 hold the
// buttons "button1st", "button2nd", "button3rd". A child <buttonText> of the
// template may name the texts: ok, cancel, yes, no, retry, ignore, abort.
// FALSE for an empty node.
BOOL SetMsgTemplate(SXmlNode node);

// Modal; returns the id of the button pressed (IDOK, IDCANCEL, ...). Without
// a template the system's message box stands in.
int SMessageBox(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type, int scale = 100);

}  // namespace SOUI
