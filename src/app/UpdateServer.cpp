// The update server's host, fixed when the program is built (the CMake setting TESSALY_UPDATE_HOST); the program
// has no other host and no way to change it at run time. An empty host means no update check.
#include "app/UpdateServer.h"

#ifndef TESSALY_UPDATE_HOST
#error "the build defines TESSALY_UPDATE_HOST (empty for no update check)"
#endif

namespace app {

const char* const UpdateServerHost = TESSALY_UPDATE_HOST;

}  // namespace app
