// The paths of the pictures compiled into the programs as Qt resources, one name for each
// picture the code loads. The generators in tools/ write each picture to the file below
// assets/ that its path names (assetFile).
#pragma once

namespace brightlock::res {

// clang-format off

// Window and tray icons, and the splash picture.
inline constexpr char kIconMain[]       = ":/icons/main.png";        // the program, tray on mains
inline constexpr char kIconOnBattery[]  = ":/icons/on_battery.png";  // tray and Status page
inline constexpr char kIconLowBattery[] = ":/icons/low_battery.png"; // tray and Status page
inline constexpr char kIconUnCon[]      = ":/icons/not_protected.png"; // tray: no UPS answers
inline constexpr char kIconAlarm[]      = ":/icons/alarm.png";       // Status page, alarm windows
inline constexpr char kIconAlarm48[]    = ":/icons/alarm_48.png";    // the alarm window's sign
inline constexpr char kSplash[]         = ":/icons/splash.png";

// The skinned controls: the five-cell button strip, the twelve-cell check-box strip and the
// eight radio glyphs (unchecked normal, hover, pressed, disabled, then the same checked).
inline constexpr char kSkinButton[]   = ":/skin/button.png";
inline constexpr char kSkinCheckBox[] = ":/skin/checkbox.png";
inline constexpr const char* kSkinRadio[] = {
    ":/skin/radio0.png", ":/skin/radio1.png", ":/skin/radio2.png", ":/skin/radio3.png",
    ":/skin/radio4.png", ":/skin/radio5.png", ":/skin/radio6.png", ":/skin/radio7.png",
};
// The chunk strip of the alarm window's progress bar.
inline constexpr char kSkinProgress[] = ":/skin/progress.png";

// The title bar and bottom border of the skinned windows.
inline constexpr char kSkinTitleLeft[]     = ":/skin/title_left.png";
inline constexpr char kSkinTitleMain[]     = ":/skin/title_main.png";
inline constexpr char kSkinTitleRight[]    = ":/skin/title_right.png";
inline constexpr char kSkinTitleMinimize[] = ":/skin/title_minimize.png";
inline constexpr char kSkinTitleClose[]    = ":/skin/title_close.png";
inline constexpr char kSkinTitleHelp[]     = ":/skin/title_help.png";
inline constexpr char kSkinBottomLeft[]    = ":/skin/bottom_left.png";
inline constexpr char kSkinBottom[]        = ":/skin/bottom_main.png";
inline constexpr char kSkinBottomRight[]   = ":/skin/bottom_right.png";

// The skinned window frame, in its active ("1") and inactive ("2") looks: the title picture
// painted in three slices, the title picture of a maximised window (square corners), the
// side borders and the bottom border. The title's rounded corners are magenta (255,0,255)
// pixels in its top six rows, which the frame cuts out of the window's shape.
struct FrameSet {
    const char* top;
    const char* topMax;
    const char* left;
    const char* right;
    const char* bottom;
};
inline constexpr FrameSet kFrameActive{
    ":/skin/frame_top1.png", ":/skin/frame_topmax1.png", ":/skin/frame_left1.png",
    ":/skin/frame_right1.png", ":/skin/frame_bottom1.png"};
inline constexpr FrameSet kFrameInactive{
    ":/skin/frame_top2.png", ":/skin/frame_topmax2.png", ":/skin/frame_left2.png",
    ":/skin/frame_right2.png", ":/skin/frame_bottom2.png"};

// The power-path diagram of the Status page: its base, the mains and battery pipe layers and
// the six frames of the flow sequence (Image1 pictures 1 to 6).
inline constexpr char kStatusBase[]    = ":/status/diagram_base.png";
inline constexpr char kStatusAcStill[] = ":/status/ac_still.png";
inline constexpr char kStatusAcFlow[]  = ":/status/ac_flow.png";
inline constexpr char kStatusDc1[]     = ":/status/dc_1.png";
inline constexpr char kStatusDc2[]     = ":/status/dc_2.png";
inline constexpr char kStatusBl1[]     = ":/status/bl_1.png";
inline constexpr char kStatusBl2[]     = ":/status/bl_2.png";
inline constexpr const char* kStatusFlow[] = {
    ":/status/flow_1.png", ":/status/flow_2.png", ":/status/flow_3.png",
    ":/status/flow_4.png", ":/status/flow_5.png", ":/status/flow_6.png",
};

// clang-format on

// The file below assets/ that holds the picture of resource `path`: the path without ":/".
constexpr const char* assetFile(const char* path) {
    return path + 2;
}

} // namespace brightlock::res
