// The one error type of the driver: a state the test expected did not come about (a window that never
// appeared, a control that does not exist, a click a user could not make).
#pragma once

#include <stdexcept>
#include <string>

namespace driver {

class DriverError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace driver
