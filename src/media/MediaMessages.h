#pragma once
#include <string_view>

namespace saver {

// String 34014, shown when a media item's temporary file cannot be written.
inline constexpr std::string_view kMediaFileFailedMessage = "It cannot be made data file.";
// The video window's report of a failed device command; %d is the device's error code.
inline constexpr char kVideoErrorFormat[] = "Greska, code:%d";

}  // namespace saver
