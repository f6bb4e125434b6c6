// The program's version, in one place: the version resource and the release zip read it.
#define KALMEX_VERSION_MAJOR 1
#define KALMEX_VERSION_MINOR 0
#define KALMEX_VERSION_PATCH 0
#define KALMEX_VERSION_TEXT "1.0.0"
