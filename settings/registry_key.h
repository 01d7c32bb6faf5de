// Owns one open registry key and closes it when it goes out of scope.
#pragma once

#include <windows.h>

#include <utility>

namespace orlivane {

class RegistryKey {
  public:
    RegistryKey() = default;
    explicit RegistryKey(HKEY key) : key_(key) {}
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    RegistryKey(RegistryKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.key_, nullptr));
        return *this;
    }
    ~RegistryKey() { Reset(); }

    HKEY get() const { return key_; }
    explicit operator bool() const { return key_ != nullptr; }
    void Reset(HKEY key = nullptr) {
        if (key_) RegCloseKey(key_);
        key_ = key;
    }

  private:
    HKEY key_ = nullptr;
};

}  // namespace orlivane
