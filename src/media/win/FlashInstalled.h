#pragma once
// Whether the system has the Shockwave Flash control: its class is registered with an in-process
// server whose file exists.
namespace saver::win {

inline constexpr wchar_t kFlashClassId[] = L"{D27CDB6E-AE6D-11cf-96B8-444553540000}";

bool FlashInstalled();

}  // namespace saver::win
