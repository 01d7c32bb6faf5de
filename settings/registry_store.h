// The per-user settings store: named string values in sections under
// HKEY_CURRENT_USER\Software\TressikSettings. Each call opens and closes its own keys.
#pragma once

#include <string>

#include "setting_value.h"

namespace orlivane {

// Returns the stored text. When the value or its section is missing, stores the text of
// `default_value` and returns `default_value` itself; a value that cannot be read as text
// also yields `default_value` and is left as it is. Throws Error when a write fails.
SettingValue GetRegistry(const std::wstring& section, const std::wstring& key,
                         const SettingValue& default_value);

// Stores the text of `value` as REG_SZ, creating missing keys. Throws Error on failure.
void SetRegistry(const std::wstring& section, const std::wstring& key, const SettingValue& value);

}  // namespace orlivane
