// Caches that the font and display libraries keep for the life of the process
// are not leaks of ours; the leak checker reads this list at exit.
extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n"
           "leak:libdbus-1.so\n"
           "leak:libxkbcommon\n"
           "leak:libxcb.so\n";
}
