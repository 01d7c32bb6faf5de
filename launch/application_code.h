// The remote programs a launch can start, by the code each launch button passes.
#pragma once

namespace orlivane {

inline constexpr int scrTressik = 1;
inline constexpr int scrOutlook = 2;
inline constexpr int scrWord = 3;
inline constexpr int scrExcel = 4;
inline constexpr int scrChrome = 5;
inline constexpr int scrExplorer = 6;
inline constexpr int scrLogoff = 7;

}  // namespace orlivane
