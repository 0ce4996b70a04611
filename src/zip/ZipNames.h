#pragma once

// Entry names: the wildcard match that selects
// entries, and the name a new entry is stored under.

#include <string>
#include <string_view>

namespace sf6 {

// True when text matches pattern as a whole: "*" any run of characters, "?"
// one character, "<set>" one character of the set ("a-z" ranges, a leading
// "!" or "^" negates; a "<" without ">" is an ordinary character). Every
// other character must be equal (case is the caller's business). Runs in
// time proportional to pattern size times text size, whatever the input.
bool WildcardMatch(std::string_view pattern, std::string_view text);

// True when name holds one of the wildcard characters "*", "?" or "<".
bool HasWildcards(std::string_view name);

// A requested entry name with "/" written as "\", the separator of stored paths.
std::string NormalizeRequestName(std::string_view name);

// The name part of a request: everything after the last "\", "/" or ":".
std::string RequestFileNamePart(std::string_view name);

} // namespace sf6
