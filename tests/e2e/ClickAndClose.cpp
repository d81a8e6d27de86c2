// Clicks a point of one window with the X test extension and, in the same flush, asks a window
// to close as a window manager does (WM_DELETE_WINDOW): both reach the program back to back.
//   huevra_click_and_close CLICK_WINDOW X Y CLOSE_WINDOW
// Window ids are decimal or 0x-hex; X and Y are relative to CLICK_WINDOW.

#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace {

xcb_atom_t Atom(xcb_connection_t* objConnection, const char* strName) {
    const xcb_intern_atom_cookie_t objCookie = xcb_intern_atom(
        objConnection, 0, static_cast<std::uint16_t>(std::strlen(strName)), strName);
    std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> objReply(
        xcb_intern_atom_reply(objConnection, objCookie, nullptr), &std::free);
    return objReply ? objReply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s CLICK_WINDOW X Y CLOSE_WINDOW\n", argv[0]);
        return 2;
    }
    const auto lngClickWindow = static_cast<xcb_window_t>(std::stoul(argv[1], nullptr, 0));
    const auto intX = static_cast<std::int16_t>(std::stoi(argv[2]));
    const auto intY = static_cast<std::int16_t>(std::stoi(argv[3]));
    const auto lngCloseWindow = static_cast<xcb_window_t>(std::stoul(argv[4], nullptr, 0));

    int intScreen = 0;
    xcb_connection_t* objConnection = xcb_connect(nullptr, &intScreen);
    if (xcb_connection_has_error(objConnection)) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    const xcb_screen_t* objScreen = xcb_setup_roots_iterator(xcb_get_setup(objConnection)).data;
    std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&std::free)> objPoint(
        xcb_translate_coordinates_reply(
            objConnection,
            xcb_translate_coordinates(objConnection, lngClickWindow, objScreen->root, intX, intY),
            nullptr),
        &std::free);
    if (!objPoint) {
        std::fprintf(stderr, "no such window: %s\n", argv[1]);
        return 1;
    }
    const xcb_atom_t lngProtocols = Atom(objConnection, "WM_PROTOCOLS");
    const xcb_atom_t lngDelete = Atom(objConnection, "WM_DELETE_WINDOW");

    xcb_test_fake_input(objConnection, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, objScreen->root,
                        objPoint->dst_x, objPoint->dst_y, 0);
    xcb_test_fake_input(objConnection, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(objConnection, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_client_message_event_t objClose{};
    objClose.response_type = XCB_CLIENT_MESSAGE;
    objClose.format = 32;
    objClose.window = lngCloseWindow;
    objClose.type = lngProtocols;
    objClose.data.data32[0] = lngDelete;
    objClose.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(objConnection, 0, lngCloseWindow, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&objClose));
    xcb_flush(objConnection);
    // A round trip makes sure the server has taken all of it before the connection goes.
    std::free(
        xcb_get_input_focus_reply(objConnection, xcb_get_input_focus(objConnection), nullptr));
    xcb_disconnect(objConnection);
    return 0;
}
