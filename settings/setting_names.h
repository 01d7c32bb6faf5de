// Where each persistent setting lives: the registry root, the sections and the value names.
#pragma once

namespace orlivane {

inline constexpr wchar_t kSettingsRoot[] = L"Software\\TressikSettings\\";

inline constexpr wchar_t kSectionOrlivane[] = L"Orlivane";
inline constexpr wchar_t kSectionDisplay[] = L"Display";

inline constexpr wchar_t kKeyServer[] = L"Server";
inline constexpr wchar_t kKeyBitness[] = L"Bitness";
inline constexpr wchar_t kKeyFontName[] = L"Font Name";
inline constexpr wchar_t kKeyFontSize[] = L"Font Size";

}  // namespace orlivane
