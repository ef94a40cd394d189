#include "Compositing.h"

#include <xcb/xcb.h>
#include <QGuiApplication>
#include <QString>

#include <cstdlib>
#include <memory>
#include <string>

namespace SOUI::detail {

namespace {

struct FreeReply {
    void operator()(void* reply) const { std::free(reply); }
};

// The screen Qt connected to: the one the display name gives, as xcb_connect
// reads it.
int ScreenNumber() {
    char* host = nullptr;
    int display = 0;
    int screen = 0;
    if (!xcb_parse_display(nullptr, &host, &display, &screen)) screen = 0;
    std::free(host);
    return screen;
}

bool CompositorOwnsScreen(xcb_connection_t* connection) {
    const std::string name = "_NET_WM_CM_S" + std::to_string(ScreenNumber());
    // Asked only if it exists: a name nobody ever made has no owner.
    const std::unique_ptr<xcb_intern_atom_reply_t, FreeReply> atom(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 1, static_cast<uint16_t>(name.size()), name.c_str()),
        nullptr));
    if (!atom || atom->atom == XCB_ATOM_NONE) return false;
    const std::unique_ptr<xcb_get_selection_owner_reply_t, FreeReply> owner(
        xcb_get_selection_owner_reply(connection, xcb_get_selection_owner(connection, atom->atom), nullptr));
    return owner && owner->owner != XCB_NONE;
}

}  // namespace

bool DisplayBlendsWindows() {
    if (QGuiApplication::platformName() != QLatin1String("xcb")) return true;
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t* connection = x11 != nullptr ? x11->connection() : nullptr;
    return connection != nullptr && CompositorOwnsScreen(connection);
}

}  // namespace SOUI::detail
