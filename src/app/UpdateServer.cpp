// The update server's host, a fixed constant of the program. Only a build for the tests compiles this file with
// TESSALY_UPDATE_HOST defined (a server on this machine); the program itself has no other host.
#include "app/UpdateServer.h"

#ifndef TESSALY_UPDATE_HOST
#define TESSALY_UPDATE_HOST "www.tessaly.example"
#endif

namespace app {

const char* const UpdateServerHost = TESSALY_UPDATE_HOST;

}  // namespace app
