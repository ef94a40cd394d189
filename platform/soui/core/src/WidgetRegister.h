#pragma once
// The framework's scrolling, list, edit and drop-down classes, registered
// with the built-in controls.
namespace SOUI {
class SObjectFactoryMgr;
}

namespace SOUI::detail {

void RegisterListAndEditWindows(SObjectFactoryMgr* mgr);

}  // namespace SOUI::detail
