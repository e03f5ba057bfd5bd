// Process environment: variables and the current directory.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ambrel {

class Environment {
 public:
  virtual ~Environment() = default;
  virtual std::optional<std::string> Variable(std::string_view name) = 0;
  virtual std::string CurrentDirectory() = 0;
};

}  // namespace ambrel
