// Compiled into every program and test that runs Qt (soui_qt_suppressions).

// Fontconfig, which Qt's font database loads, keeps parts of its parsed
// configuration unreachable for good, and on a real X display Qt's D-Bus
// thread still holds a libdbus read buffer when the process ends (only Qt
// links libdbus here); leak checks of sanitizer builds skip what they
// allocated.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}

// Qt's raster engine spreads large fills and blits over a thread pool that
// synchronises in uninstrumented code; thread checks of sanitizer builds
// skip races found inside Qt's own allocations.
extern "C" __attribute__((visibility("default"), used)) const char* __tsan_default_suppressions() {
    return "race:libQt6Core.so\nrace:libQt6Gui.so\n";
}
