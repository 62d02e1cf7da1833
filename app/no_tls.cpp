/* Windows 95 runs no TLS callbacks, and the program keeps no data per
   thread: these definitions stand in for the C start-up code's TLS support,
   so that the image carries no TLS directory at all. */
#include <windows.h>

extern "C" {
extern const PIMAGE_TLS_CALLBACK __dyn_tls_init_callback;
const PIMAGE_TLS_CALLBACK __dyn_tls_init_callback = NULL;
int __mingw_initltsdrot_force = 0;
int __mingw_initltsdyn_force = 0;
int __mingw_initltssuo_force = 0;
}
