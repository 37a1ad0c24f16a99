// SPDX-License-Identifier: GPL-3.0-or-later
// "Add read-only data link" / "Add read-write data link": the names of the data source and
// data field properties, the field data link variable and its OnDataChange handler, tidied as
// they are typed. Whether the names will do is commands/data_links.h's, which shows the
// dialog again with them when they will not.
#pragma once

#include <QDialog>

#include "commands/dialogs.h"

namespace kx::ui {

class IdentifierEdit;

class DataLinkWindow : public QDialog {
  Q_OBJECT
 public:
  DataLinkWindow(QWidget* parent, std::string_view caption,
                 const commands::DataLinkNames& proposed);
  commands::DataLinkNames Result() const;

  IdentifierEdit* data_source = nullptr;
  IdentifierEdit* data_field = nullptr;
  IdentifierEdit* link = nullptr;
  IdentifierEdit* data_change = nullptr;
};

}  // namespace kx::ui
