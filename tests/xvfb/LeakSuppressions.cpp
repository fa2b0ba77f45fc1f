// SDL starts D-Bus for screen-saver and input-method support, and libdbus
// keeps a buffer for the life of the process. LeakSanitizer reads these
// suppressions itself, so they hold however the tests are started.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
