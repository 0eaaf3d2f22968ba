// The one kind of error that vstrender reports to its user: a single line
// that names the file or option at fault. main prints it and exits non-zero.
#pragma once

#include <stdexcept>
#include <string>

namespace vstrender {

class UserError : public std::runtime_error {
 public:
  explicit UserError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace vstrender
