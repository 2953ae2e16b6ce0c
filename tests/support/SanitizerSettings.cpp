// Linked into every program of the sanitizer builds (the tests and pellow itself), so
// whoever starts one, ctest, a desktop check or a developer by hand, gets the settings
// the suite relies on: the first report ends the program with a failure. Settings given
// in the environment (ASAN_OPTIONS and the like) still win.
//
// Suppressions name only the toolkit's and the system libraries' own reports, each with
// its reason; a report about our code is a fault to mend, never to suppress.

#define PELLOW_SANITIZER_HOOK extern "C" __attribute__((visibility("default"), used))

PELLOW_SANITIZER_HOOK const char* __asan_default_options() {
    // Stack use after return catches a block handed on after its frame is gone.
    return "abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=1:"
           "check_initialization_order=1:strict_init_order=1";
}

PELLOW_SANITIZER_HOOK const char* __ubsan_default_options() {
    return "halt_on_error=1:print_stacktrace=1";
}

PELLOW_SANITIZER_HOOK const char* __tsan_default_options() {
    return "halt_on_error=1:second_deadlock_stack=1";
}

PELLOW_SANITIZER_HOOK const char* __tsan_default_suppressions() {
    // Qt is not built with ThreadSanitizer. Its own threads (the image thread pool of the
    // raster painter, the session bus connection, the X event reader) hand memory to each
    // other through Qt's futex-based locks, which the detector cannot see, so the
    // allocations, frees and copies that Qt makes there look like races. These lines only
    // stop watching the memory functions that these libraries call themselves; every
    // access made by our code is still checked, and data of ours that crosses threads goes
    // through our own std::mutex, which the detector does see.
    return "called_from_lib:libQt6Core.so.6\n"
           "called_from_lib:libQt6Gui.so.6\n"
           // The X event reader thread: libxcb allocates each event, Qt's X platform
           // plugin frees it on the GUI thread after taking it from Qt's own queue.
           "called_from_lib:libQt6XcbQpa.so.6\n"
           "called_from_lib:libxcb.so.1\n"
           // On a desktop Qt's event loop is glib's, whose own locks the detector does see,
           // but which copies what Qt's X event reader handed over through Qt's queue.
           "called_from_lib:libglib-2.0.so.0\n";
}
