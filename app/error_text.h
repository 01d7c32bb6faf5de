// The text of the standard error box.
#pragma once

#include <string>

namespace orlivane {

// The message with a full stop added, unless it already ends in one or in a character of
// lower code (such as a closing quote or a blank); an empty message stays empty.
std::wstring ErrorBoxText(const std::wstring& message);

}  // namespace orlivane
