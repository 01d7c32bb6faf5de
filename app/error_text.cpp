#include "error_text.h"

namespace orlivane {

std::wstring ErrorBoxText(const std::wstring& message) {
    if (message.empty() || message.back() <= L'.') return message;
    return message + L'.';
}

}  // namespace orlivane
