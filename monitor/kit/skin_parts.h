// The names and picture sizes of the skin parts every skinned window carries.
#pragma once

#include <QSize>

namespace brightlock::skinparts {

inline constexpr char kTitle[] = "lblTitle";
inline constexpr char kTitleLeft[] = "imgTitleLeft";
inline constexpr char kTitleMain[] = "imgTitleMain";
inline constexpr char kTitleRight[] = "imgTitleRight";
inline constexpr char kTitleMinimize[] = "imgTitleMinimize";
inline constexpr char kTitleClose[] = "imgTitleClose";
inline constexpr char kTitleHelp[] = "imgTitleHelp";
inline constexpr char kBottomLeft[] = "imgWindowBottomLeft";
inline constexpr char kBottom[] = "imgWindowBottom";
inline constexpr char kBottomRight[] = "imgWindowBottomRight";

inline constexpr QSize kTitlePiece{19, 30};
inline constexpr QSize kTitleButton{13, 13};
inline constexpr QSize kBottomLeftPiece{17, 27};
inline constexpr QSize kBottomPiece{17, 28};
inline constexpr QSize kBottomRightPiece{18, 28};

} // namespace brightlock::skinparts
