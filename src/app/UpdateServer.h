// The maker's update server, which serves the version file, the comment file and the download page.
#pragma once

namespace app {

// Host of the update server, with ":port" when it is not the HTTP port; empty when the build names none.
extern const char* const UpdateServerHost;

}  // namespace app
