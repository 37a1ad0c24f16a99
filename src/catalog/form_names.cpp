// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalog/form_names.h"

#include "catalog/form_conversion.h"
#include "model/text.h"

namespace kx::catalog {

std::string FirstObjectLine(std::string_view bytes) {
  const FormTextResult head = ConvertFormHead(bytes);
  // An object without a class is no form.
  if (!head.ok || ClassNameOf(head.text).empty()) return {};
  return head.text;
}

std::string ObjectNameOf(std::string_view object_line) {
  const std::size_t colon = object_line.find(':');
  if (colon == std::string_view::npos) return {};
  const std::string_view before = object_line.substr(0, colon);
  const std::size_t blank = before.rfind(' ');
  return std::string(blank == std::string_view::npos ? before : before.substr(blank + 1));
}

std::string ClassNameOf(std::string_view object_line) {
  const std::size_t start = object_line.find_last_of(" :");
  return std::string(start == std::string_view::npos ? object_line : object_line.substr(start + 1));
}

std::string FormUnitNameOf(const std::filesystem::path& form_file) {
  std::string name = model::LowerCase(form_file.stem().string());
  if (!name.empty()) name[0] = model::UpCase(name[0]);
  return name;
}

}  // namespace kx::catalog
