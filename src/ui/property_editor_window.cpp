// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/property_editor_window.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "ui/dialog_keys.h"
#include "ui/text_boundary.h"

namespace kx::ui {

namespace {

// Drops the keys a name field does not take before the line edit sees them.
class NameKeyFilter : public QObject {
 public:
  using QObject::QObject;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.isEmpty() || key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete ||
        text.at(0) == '\r' || text.at(0) == '\x1b' || text.at(0) == '\t') {
      return false;  // navigation, editing and the dialog's own keys
    }
    const char16_t c = text.at(0).unicode();
    return c >= 0x80 || !model::AcceptsEditorNameKey(static_cast<char>(c));
  }
};

QComboBox* NameBox(const std::vector<std::string>& offered, std::string_view text,
                   QObject* filter) {
  auto* box = new QComboBox;
  box->setEditable(true);
  box->setInsertPolicy(QComboBox::NoInsert);
  for (const std::string& name : offered) box->addItem(FromModel(name));
  box->setEditText(FromModel(text));
  // Keys reach the line edit directly or through the box.
  box->installEventFilter(filter);
  box->lineEdit()->installEventFilter(filter);
  box->setMinimumWidth(220);
  return box;
}

std::string Text(const QComboBox* box) { return ToModel(box->currentText()).value_or(""); }

}  // namespace

PropertyEditorWindow::PropertyEditorWindow(QWidget* parent,
                                           const commands::PropertyEditorRequest& request,
                                           std::function<void(const std::string&)> refuse,
                                           std::function<void()> help)
    : QDialog(parent), result_(request.current), refuse_(std::move(refuse)) {
  const model::PropertyEditorDef& current = request.current;
  setWindowTitle("Property editor options");
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(FromModel(request.entry)));
  editor = new QButtonGroup(this);
  auto* use_default = new QRadioButton("Use &default property editor");
  auto* use_custom = new QRadioButton("Use &custom property editor specified below");
  editor->addButton(use_default, 0);
  editor->addButton(use_custom, 1);
  (current.DefEdit ? use_default : use_custom)->setChecked(true);
  (current.DefEdit ? use_default : use_custom)->setFocus();
  layout->addWidget(use_default);
  layout->addWidget(use_custom);

  auto* panel = new QGroupBox;
  auto* form = new QFormLayout(panel);
  auto* filter = new NameKeyFilter(this);
  unit = NameBox(request.names.units, current.EditorUnit.str(), filter);
  editor_class = NameBox(request.names.classes, current.EditorClass.str(), filter);
  form->addRow("Editor &unit name:", unit);
  form->addRow("Editor c&lass name:", editor_class);
  apply_to_all = new QCheckBox("&Apply to all properties of this type");
  apply_to_all->setChecked(!current.DefEdit && current.ApplyToAll);
  form->addRow(apply_to_all);
  layout->addWidget(panel);
  for (QComboBox* box : {unit, editor_class}) {
    connect(box, &QComboBox::editTextChanged, this, [this, use_custom] {
      if (model::SelectsCustomEditor(Text(unit), Text(editor_class))) use_custom->setChecked(true);
    });
  }

  layout->addWidget(OkCancelButtons(this, std::move(help)));
}

void PropertyEditorWindow::accept() {
  model::PropertyEditorDef chosen = result_;
  if (const std::optional<std::string> message =
          model::ApplyEditorOptions(chosen, editor->checkedId() == 1, apply_to_all->isChecked(),
                                    Text(unit), Text(editor_class))) {
    if (refuse_) refuse_(*message);
    return;
  }
  result_ = chosen;
  QDialog::accept();
}

}  // namespace kx::ui
