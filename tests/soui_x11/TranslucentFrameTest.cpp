// A window framed by a translucent shadow, on a real X display. Without a
// compositing manager the X server shows alpha as black: there the frame
// must show what lies under it instead. With one, the window keeps its alpha.
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "soui/SHostWnd.h"
#include "soui/STestApi.h"
#include "tests/app_x11/VirtualDisplay.h"
#include "tests/soui/TestFramework.h"
#include "tests/support/TempFolder.h"

namespace souitest {
namespace {

namespace fs = std::filesystem;
using namespace SOUI;

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;
constexpr std::uint32_t kBackdrop = 0x3c8c3c;
constexpr std::uint32_t kBody = 0xffffff;
// Where the framed window lies; its shadow margin is 5 pixels on each side.
constexpr int kLeft = 100;
constexpr int kTop = 80;
constexpr int kWidth = 200;
constexpr int kHeight = 120;
constexpr int kMargin = 5;

// The screen as the X server shows it.
struct Screen {
    std::vector<unsigned char> rgb;
    std::uint32_t At(int x, int y) const {
        const std::size_t i = (static_cast<std::size_t>(y) * kScreenWidth + x) * 3;
        return (std::uint32_t{rgb[i]} << 16) | (std::uint32_t{rgb[i + 1]} << 8) | rgb[i + 2];
    }
};

// One X client that announces itself as the screen's compositing manager,
// as a real one does, for as long as it lives.
class AnnouncedCompositor {
public:
    AnnouncedCompositor() {
        int screen = 0;
        connection_ = xcb_connect(nullptr, &screen);
        if (xcb_connection_has_error(connection_)) return;
        const xcb_screen_t* root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data;
        const xcb_window_t window = xcb_generate_id(connection_);
        xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        const std::string name = "_NET_WM_CM_S" + std::to_string(screen);
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> atom(
            xcb_intern_atom_reply(
                connection_,
                xcb_intern_atom(connection_, 0, static_cast<uint16_t>(name.size()), name.c_str()), nullptr),
            &std::free);
        if (!atom) return;
        xcb_set_selection_owner(connection_, window, atom->atom, XCB_CURRENT_TIME);
        std::unique_ptr<xcb_get_selection_owner_reply_t, decltype(&std::free)> owner(
            xcb_get_selection_owner_reply(connection_, xcb_get_selection_owner(connection_, atom->atom),
                                          nullptr),
            &std::free);
        announced_ = owner && owner->owner == window;
    }
    ~AnnouncedCompositor() { xcb_disconnect(connection_); }
    AnnouncedCompositor(const AnnouncedCompositor&) = delete;
    AnnouncedCompositor& operator=(const AnnouncedCompositor&) = delete;

    bool Announced() const { return announced_; }

private:
    xcb_connection_t* connection_ = nullptr;
    bool announced_ = false;
};

class TranslucentFrame : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        try {
            display = std::make_unique<x11test::VirtualDisplay>(kScreenWidth, kScreenHeight);
        } catch (const std::exception& error) {
            startError = error.what();
            return;
        }
        ::setenv("DISPLAY", display->Name().c_str(), 1);
        ::setenv("QT_QPA_PLATFORM", "xcb", 1);
    }
    static void TearDownTestSuite() { display.reset(); }

    void SetUp() override {
        ASSERT_NE(display, nullptr) << startError;
        framework = std::make_unique<TestFramework>();
        folder = std::make_unique<pelltest::TempFolder>("soui_x11_");
        dir = folder->Path();
    }
    void TearDown() override {
        framed.reset();
        backdrop.reset();
        framework.reset();
        folder.reset();
    }

    void Open() {
        backdrop = std::make_unique<SHostWnd>(L"LAYOUT:TEST_BACKDROP");
        ASSERT_NE(backdrop->Create(nullptr, 0, 0, kScreenWidth, kScreenHeight), nullptr);
        backdrop->ShowWindow(SW_SHOWNORMAL);
        framed = std::make_unique<SHostWnd>(L"LAYOUT:TEST_FRAMED");
        ASSERT_NE(framed->Create(nullptr, kLeft, kTop, kWidth, kHeight), nullptr);
        framed->ShowWindow(SW_SHOWNORMAL);
    }

    bool Grab(Screen* screen) {
        const fs::path file = dir / "screen.rgb";
        const x11test::ToolRun run =
            x11test::RunTool({"import", "-window", "root", "-depth", "8", "rgb:" + file.string()});
        if (run.exitCode != 0) {
            ADD_FAILURE() << "import: " << run.output;
            return false;
        }
        std::ifstream in(file, std::ios::binary);
        screen->rgb.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        return screen->rgb.size() == static_cast<std::size_t>(kScreenWidth) * kScreenHeight * 3;
    }

    // Both windows on the screen: the backdrop's colour beside the framed
    // window, the white body at its centre.
    bool GrabShown(Screen* screen) {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (std::chrono::steady_clock::now() < deadline) {
            test::Pump(std::chrono::milliseconds(100));
            if (!Grab(screen)) return false;
            if (screen->At(20, 20) == kBackdrop &&
                screen->At(kLeft + kWidth / 2, kTop + kHeight / 2) == kBody)
                return true;
        }
        return false;
    }

    // xwininfo's description of the window.
    std::string WindowInfo(SNativeWnd& wnd) {
        std::ostringstream id;
        id << "0x" << std::hex << test::NativeWindowId(wnd);
        const x11test::ToolRun run = x11test::RunTool({"xwininfo", "-id", id.str()});
        EXPECT_EQ(run.exitCode, 0) << run.output;
        return run.output;
    }

    static inline std::unique_ptr<x11test::VirtualDisplay> display;
    static inline std::string startError;
    std::unique_ptr<TestFramework> framework;
    std::unique_ptr<SHostWnd> backdrop;
    std::unique_ptr<SHostWnd> framed;
    std::unique_ptr<pelltest::TempFolder> folder;
    fs::path dir;
};

TEST_F(TranslucentFrame, WithoutCompositorTheShadowMarginShowsWhatLiesUnder) {
    Open();
    Screen screen;
    ASSERT_TRUE(GrabShown(&screen)) << "the windows did not show";
    int black = 0;
    int notBackdrop = 0;
    for (int y = kTop; y < kTop + kHeight; ++y) {
        for (int x = kLeft; x < kLeft + kWidth; ++x) {
            const bool inMargin = x < kLeft + kMargin || x >= kLeft + kWidth - kMargin ||
                                  y < kTop + kMargin || y >= kTop + kHeight - kMargin;
            if (!inMargin) continue;
            const std::uint32_t p = screen.At(x, y);
            if (((p >> 16) & 0xFF) < 0x30 && ((p >> 8) & 0xFF) < 0x30 && (p & 0xFF) < 0x30) ++black;
            if (p != kBackdrop) ++notBackdrop;
        }
    }
    EXPECT_EQ(black, 0) << "black pixels in the shadow margin";
    EXPECT_EQ(notBackdrop, 0) << "margin pixels that are not the window under it";
    EXPECT_EQ(screen.At(kLeft + kMargin, kTop + kHeight / 2), kBody) << "the body reaches the margin";
    EXPECT_EQ(screen.At(kLeft + kWidth - kMargin - 1, kTop + kMargin), kBody);
}

TEST_F(TranslucentFrame, WithCompositorTheWindowKeepsItsAlpha) {
    AnnouncedCompositor compositor;
    ASSERT_TRUE(compositor.Announced());
    Open();
    Screen screen;
    ASSERT_TRUE(GrabShown(&screen)) << "the windows did not show";
    EXPECT_NE(WindowInfo(*framed).find("Depth: 32"), std::string::npos) << "a window with alpha";
    EXPECT_NE(WindowInfo(*backdrop).find("Depth: 24"), std::string::npos) << "an opaque window";
}

}  // namespace
}  // namespace souitest
