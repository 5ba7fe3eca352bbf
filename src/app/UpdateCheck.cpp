// The start-up check for a newer version on the maker's server.
#include "app/Unit1.h"

void TForm1::CheckForUpdate() {}
