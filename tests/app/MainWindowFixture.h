#pragma once
// The program's framework and main window on Qt's offscreen platform, talking
// to the shared local service. One framework per test process.
#include <gtest/gtest.h>

#include <memory>

#include "app/ProgramFramework.h"
#include "app/mainwnd/MainWnd.h"
#include "tests/support/LocalService.h"

namespace apptest {

// The framework as the program starts it, made on first use.
ProgramFramework& Framework();

// The shared local service; the deliverables are pointed at it (and told to
// trust its certificate) before their first request.
pelltest::LocalService& Service();

// A main window created, initialised and shown as the program does it, with
// the service reset first. The start-up network check has answered when
// SetUp returns.
class MainWindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    CMainWnd& Wnd() { return *wnd; }

    std::unique_ptr<CMainWnd> wnd;
};

}  // namespace apptest
