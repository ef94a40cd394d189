// Compiled into every program and test that runs Qt (soui_qt_suppressions),
// the build's picture generator included, so no environment is needed.

// Fontconfig, which Qt's font database loads, keeps parts of its parsed
// configuration unreachable for good, and on a real X display Qt's D-Bus
// thread still holds a libdbus read buffer when the process ends (only Qt
// links libdbus here); leak checks of sanitizer builds skip what they
// allocated.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\nleak:libdbus-1.so\n";
}

// Qt's raster engine spreads large fills and blits over a thread pool that
// synchronises in uninstrumented code (futexes, atomics), so the copies and
// allocations it makes there look like races. Only calls made from Qt's own
// code are left unchecked: a race: line would also hide every race of ours
// whose stack passes through Qt's event loop, which window code always does.
extern "C" __attribute__((visibility("default"), used)) const char* __tsan_default_suppressions() {
    return "called_from_lib:libQt6Core.so\n"
           "called_from_lib:libQt6Gui.so\n";
}
