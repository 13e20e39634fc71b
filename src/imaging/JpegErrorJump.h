#pragma once
#include <csetjmp>
#include <cstdio>

#include <jpeglib.h>

namespace saver {

// libjpeg's own error handler calls exit(); this one jumps back to the setjmp of the call
// that started the work. Whoever uses it keeps objects with destructors out of that frame.
struct JpegErrorJump {
  jpeg_error_mgr manager;
  std::jmp_buf jump;

  // Installs the handler; warnings jump too when `warnings_are_errors`.
  jpeg_error_mgr* Install(bool warnings_are_errors) {
    jpeg_std_error(&manager);
    manager.error_exit = Jump;
    if (warnings_are_errors) manager.emit_message = JumpOnWarning;
    else manager.output_message = [](j_common_ptr) {};
    return &manager;
  }
  [[noreturn]] static void Jump(j_common_ptr info) {
    std::longjmp(reinterpret_cast<JpegErrorJump*>(info->err)->jump, 1);
  }
  static void JumpOnWarning(j_common_ptr info, int level) {
    if (level < 0) Jump(info);
  }
};

}  // namespace saver
