// A shared library that is no plug-in: it lacks the player's export.
extern "C" __attribute__((visibility("default"))) int BvmNotAPlugin() { return 0; }
