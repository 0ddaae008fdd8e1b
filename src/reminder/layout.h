#pragma once
// Sizes of the reminder window, in twips, and its texts.

namespace vz::splash {

inline constexpr double kBannerHeight = 416;
inline constexpr double kLabel2Height = 351;  // the red band with the text
inline constexpr double kLabel1Top = 390;     // the slogan
inline constexpr double kLabel1Height = 390;
inline constexpr double kImageWidth = 1800;  // 120 x 60 pixels
inline constexpr double kImageHeight = 900;
// The window's design rectangle, replaced at start-up.
inline constexpr double kDesignWidth = 4800;
inline constexpr double kDesignHeight = 3600;

inline constexpr int kMinutesPerHour = 60;
inline constexpr int kMinuteMs = 60000;
inline constexpr int kCountdownTickMs = 1000;
inline constexpr int kPictureMoveMs = 5000;
inline constexpr int kBlinkMs = 800;
// An exit after more than this many minutes of the hour counts two half-hours.
inline constexpr int kHalfHourMinutes = 30;

inline constexpr const char* kNotNow = "No, not now.";
inline constexpr const char* kSlogan = "Rirodov is the best Chinese school online!";
inline constexpr const char* kPictureToolTip = "https://www.example.org/";

}  // namespace vz::splash
