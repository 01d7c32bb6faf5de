// The one error type of the launcher: a message in the user's own words, shown in the
// standard error box when it escapes a window handler.
#pragma once

#include <exception>
#include <string>

namespace orlivane {

class Error : public std::exception {
  public:
    explicit Error(std::wstring message) : message_(std::move(message)) {}
    const std::wstring& message() const noexcept { return message_; }
    const char* what() const noexcept override { return "orlivane::Error"; }

  private:
    std::wstring message_;
};

}  // namespace orlivane
