#pragma once

#include <stdexcept>
#include <string>

namespace sf6 {

// A hard failure: the command ends and the message text is shown to the user
// (an error box in the viewer, stderr in sf6tool).
class Sf6Error : public std::runtime_error {
public:
  using std::runtime_error::runtime_error;
};

// A text that had to convert (CompactMinutesToDateTime) did not.
class ConversionError : public Sf6Error {
public:
  using Sf6Error::Sf6Error;
};

} // namespace sf6
