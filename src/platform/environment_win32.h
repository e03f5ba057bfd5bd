// Environment variables and the current directory on Win32.
#pragma once

#include "platform/environment.h"

namespace ambrel::win32 {

class Win32Environment : public Environment {
 public:
  std::optional<std::string> Variable(std::string_view name) override;
  std::string CurrentDirectory() override;
};

}  // namespace ambrel::win32
