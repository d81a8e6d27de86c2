// A mouse for a headless wlroots compositor (sway), which has no input devices of its own: a
// virtual pointer (wlr-virtual-pointer-unstable-v1) that lives as long as this program, so that
// the seat offers windows a pointer. Reads commands from standard input, one a line, and
// answers each with "ok" once the compositor has handled it:
//   move X Y      moves the pointer to (X, Y) of the layout WIDTH x HEIGHT
//   press         presses the left button
//   release       releases it
//   huevra_virtual_pointer WIDTH HEIGHT
// Prints "ready" when the pointer exists; ends at the end of its input.

#include <wayland-client.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <sstream>
#include <string>

namespace {

// The protocol's two interfaces, as wayland-scanner would generate them; the protocol's XML is
// not shipped by the distribution.
extern const wl_interface objPointerInterface;

const wl_interface* arrTypes[] = {
    nullptr,        nullptr,       nullptr, nullptr, nullptr,
    &wl_seat_interface, &objPointerInterface,  // create_virtual_pointer
    &wl_seat_interface, &wl_output_interface, &objPointerInterface,  // ..._with_output
};

const wl_message arrManagerRequests[] = {
    {"create_virtual_pointer", "?on", arrTypes + 5},
    {"destroy", "", arrTypes},
    {"create_virtual_pointer_with_output", "2?o?on", arrTypes + 7},
};

const wl_message arrPointerRequests[] = {
    {"motion", "uff", arrTypes},
    {"motion_absolute", "uuuuu", arrTypes},
    {"button", "uuu", arrTypes},
    {"axis", "uuf", arrTypes},
    {"frame", "", arrTypes},
    {"axis_source", "u", arrTypes},
    {"axis_stop", "uu", arrTypes},
    {"axis_discrete", "uufi", arrTypes},
    {"destroy", "", arrTypes},
};

const wl_interface objManagerInterface = {
    "zwlr_virtual_pointer_manager_v1", 2, 3, arrManagerRequests, 0, nullptr};
const wl_interface objPointerInterface = {
    "zwlr_virtual_pointer_v1", 2, 9, arrPointerRequests, 0, nullptr};

enum PointerRequest : std::uint32_t { MotionAbsolute = 1, Button = 2, Frame = 4, Destroy = 8 };
constexpr std::uint32_t lngLeftButton = 0x110;  // BTN_LEFT

struct Globals {
    wl_seat* objSeat = nullptr;
    wl_proxy* objManager = nullptr;
};

void OnGlobal(void* ptrData, wl_registry* objRegistry, std::uint32_t lngName,
              const char* strInterface, std::uint32_t lngVersion) {
    auto* objGlobals = static_cast<Globals*>(ptrData);
    if (std::strcmp(strInterface, wl_seat_interface.name) == 0 && objGlobals->objSeat == nullptr) {
        objGlobals->objSeat =
            static_cast<wl_seat*>(wl_registry_bind(objRegistry, lngName, &wl_seat_interface, 1));
    } else if (std::strcmp(strInterface, objManagerInterface.name) == 0) {
        objGlobals->objManager = static_cast<wl_proxy*>(
            wl_registry_bind(objRegistry, lngName, &objManagerInterface, lngVersion < 2 ? 1 : 2));
    }
}

void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}

const wl_registry_listener objRegistryListener = {OnGlobal, OnGlobalRemove};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s WIDTH HEIGHT\n", argv[0]);
        return 2;
    }
    const auto lngWidth = static_cast<std::uint32_t>(std::stoul(argv[1]));
    const auto lngHeight = static_cast<std::uint32_t>(std::stoul(argv[2]));
    wl_display* objDisplay = wl_display_connect(nullptr);
    if (objDisplay == nullptr) {
        std::fprintf(stderr, "cannot connect to the Wayland display\n");
        return 1;
    }
    Globals objGlobals;
    wl_registry* objRegistry = wl_display_get_registry(objDisplay);
    wl_registry_add_listener(objRegistry, &objRegistryListener, &objGlobals);
    wl_display_roundtrip(objDisplay);
    if (objGlobals.objManager == nullptr) {
        std::fprintf(stderr, "the compositor offers no virtual pointers\n");
        return 1;
    }
    auto* objPointer = wl_proxy_marshal_constructor(objGlobals.objManager, 0,
                                                    &objPointerInterface, objGlobals.objSeat,
                                                    nullptr);
    if (objPointer == nullptr || wl_display_roundtrip(objDisplay) < 0) {
        std::fprintf(stderr, "the virtual pointer could not be created\n");
        return 1;
    }
    std::cout << "ready" << std::endl;

    std::uint32_t lngTime = 0;
    std::string strLine;
    while (std::getline(std::cin, strLine)) {
        std::istringstream objWords(strLine);
        std::string strCommand;
        objWords >> strCommand;
        lngTime += 10;
        if (strCommand == "move") {
            std::uint32_t lngX = 0;
            std::uint32_t lngY = 0;
            if (!(objWords >> lngX >> lngY) || lngX >= lngWidth || lngY >= lngHeight) {
                std::cout << "error: move X Y within " << lngWidth << "x" << lngHeight
                          << std::endl;
                continue;
            }
            wl_proxy_marshal(objPointer, MotionAbsolute, lngTime, lngX, lngY, lngWidth, lngHeight);
        } else if (strCommand == "press" || strCommand == "release") {
            wl_proxy_marshal(objPointer, Button, lngTime, lngLeftButton,
                             strCommand == "press" ? 1U : 0U);
        } else {
            std::cout << "error: unknown command " << strCommand << std::endl;
            continue;
        }
        wl_proxy_marshal(objPointer, Frame);
        if (wl_display_roundtrip(objDisplay) < 0) {
            std::fprintf(stderr, "the compositor closed the connection\n");
            return 1;
        }
        std::cout << "ok" << std::endl;
    }
    wl_proxy_marshal(objPointer, Destroy);
    wl_proxy_destroy(objPointer);
    wl_proxy_destroy(objGlobals.objManager);
    if (objGlobals.objSeat != nullptr) wl_seat_destroy(objGlobals.objSeat);
    wl_registry_destroy(objRegistry);
    wl_display_roundtrip(objDisplay);
    wl_display_disconnect(objDisplay);
    return 0;
}
