// SPDX-License-Identifier: GPL-3.0-or-later
// A line edit tidied as it is typed with model::FilterIdentifier: only letters, digits and
// "_", the first upper-cased, a lone digit cleared.
#pragma once

#include <QLineEdit>
#include <string>
#include <string_view>

namespace kx::ui {

class IdentifierEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit IdentifierEdit(std::string_view text, QWidget* parent = nullptr);
  std::string Text() const;

 private:
  void Edited(const QString& text);
};

}  // namespace kx::ui
