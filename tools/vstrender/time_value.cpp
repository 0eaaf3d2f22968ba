#include "time_value.h"

#include <cmath>
#include <cstdlib>

#include "user_error.h"

namespace vstrender {

double parseTime(const std::string& text, const std::string& what) {
  std::string number = text;
  double scale = 1.0;
  if (number.size() > 2 && number.compare(number.size() - 2, 2, "ms") == 0) {
    number.resize(number.size() - 2);
    scale = 0.001;
  } else if (number.size() > 1 && number.back() == 's') {
    number.pop_back();
  }
  // strtod alone would also take "inf", "nan", hex numbers and leading blanks.
  const bool plainNumber =
      !number.empty() && number.find_first_not_of("0123456789.-e") == std::string::npos;
  char* end = nullptr;
  const double value = plainNumber ? std::strtod(number.c_str(), &end) : NAN;
  if (!plainNumber || *end != '\0' || !std::isfinite(value)) {
    throw UserError(what + ": '" + text + "' is not a time (use 2, 4.5s or 250ms)");
  }
  if (value < 0.0) throw UserError(what + ": time '" + text + "' is negative");
  return value * scale;
}

}  // namespace vstrender
