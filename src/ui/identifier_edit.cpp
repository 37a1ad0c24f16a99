// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/identifier_edit.h"

#include "model/name_rules.h"
#include "ui/text_boundary.h"

namespace kx::ui {

IdentifierEdit::IdentifierEdit(std::string_view text, QWidget* parent)
    : QLineEdit(FromModel(text), parent) {
  connect(this, &QLineEdit::textEdited, this, &IdentifierEdit::Edited);
}

std::string IdentifierEdit::Text() const { return ToModel(text()).value_or(""); }

void IdentifierEdit::Edited(const QString& typed) {
  // A character Windows-1252 cannot hold is refused with a message by the dialog's fields
  // (RefuseUnstorableText), which put back what the field held.
  const std::optional<std::string> bytes = ToModel(typed);
  if (!bytes) return;
  const model::FilteredText filtered =
      model::FilterIdentifier(*bytes, static_cast<std::size_t>(cursorPosition()), "");
  if (FromModel(filtered.text) != typed) {
    setText(FromModel(filtered.text));
    setCursorPosition(static_cast<int>(filtered.caret));
  }
}

}  // namespace kx::ui
