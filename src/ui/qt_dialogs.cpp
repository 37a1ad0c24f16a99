#include "ui/qt_dialogs.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QUrl>
#include <QVBoxLayout>

#include "catalog/parent_selection.h"
#include "commands/documentation.h"
#include "ui/name_prompt.h"
#include "ui/other_options_dialog.h"
#include "ui/text_boundary.h"

namespace kx::ui {

using commands::Answer;
using commands::BoxKind;
using commands::Buttons;

namespace {

QString DefaultCaption(BoxKind kind) {
  switch (kind) {
    case BoxKind::kInformation:
      return "Information";
    case BoxKind::kWarning:
      return "Warning";
    case BoxKind::kError:
      return "Error";
    case BoxKind::kConfirmation:
      return "Confirm";
  }
  return {};
}

QString StripPatterns(const QString& description) {
  const qsizetype open = description.lastIndexOf('(');
  return (open > 0 ? description.left(open) : description).trimmed();
}

// A small form with OK and Cancel under it.
class FormDialog : public QDialog {
 public:
  FormDialog(QWidget* parent, const QString& title) : QDialog(parent), form_(new QFormLayout) {
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
  }
  QLineEdit* AddField(const QString& label, std::string_view text) {
    auto* edit = new QLineEdit(FromModel(text));
    form_->addRow(label, edit);
    return edit;
  }
  QFormLayout* form() { return form_; }

 private:
  QFormLayout* form_;
};

std::string Text(const QLineEdit* edit) { return ToModel(edit->text()).value_or(""); }

}  // namespace

QString QtFilter(std::string_view filter) {
  const QStringList parts = FromModel(filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ').replace("*.*", "*");
    filters << StripPatterns(parts[i]) + " (" + patterns + ")";
  }
  return filters.join(";;");
}

QtDialogs::QtDialogs(QWidget* parent, std::function<void(int)> help)
    : parent_(parent), help_(std::move(help)) {}

Answer QtDialogs::Show(const commands::MessageBox& box) {
  QMessageBox message(parent_);
  message.setWindowTitle(box.caption.empty() ? DefaultCaption(box.kind) : FromModel(box.caption));
  message.setText(FromModel(box.text));
  switch (box.kind) {
    case BoxKind::kInformation:
      message.setIcon(QMessageBox::Information);
      break;
    case BoxKind::kWarning:
      message.setIcon(QMessageBox::Warning);
      break;
    case BoxKind::kError:
      message.setIcon(QMessageBox::Critical);
      break;
    case BoxKind::kConfirmation:
      message.setIcon(QMessageBox::Question);
      break;
  }
  switch (box.buttons) {
    case Buttons::kOk:
      message.setStandardButtons(QMessageBox::Ok);
      break;
    case Buttons::kYesNo:
      message.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case Buttons::kYesCancel:
      message.setStandardButtons(QMessageBox::Yes | QMessageBox::Cancel);
      break;
    case Buttons::kYesNoCancel:
      message.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
    case Buttons::kYesNoHelp:
      message.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Help);
      break;
  }
  for (;;) {
    switch (message.exec()) {
      case QMessageBox::Yes:
        return Answer::kYes;
      case QMessageBox::No:
        return Answer::kNo;
      case QMessageBox::Ok:
        return Answer::kOk;
      case QMessageBox::Help:
        // The question stays: the help opens beside it and the box comes back.
        if (help_) help_(box.help_context);
        continue;
      default:
        return box.buttons == Buttons::kOk ? Answer::kOk : Answer::kCancel;
    }
  }
}

namespace {

std::optional<std::filesystem::path> RunFileDialog(QWidget* parent,
                                                   const commands::FileDialogRequest& request,
                                                   bool save) {
  QFileDialog dialog(parent, FromModel(request.title), FromPath(request.initial_dir.string()),
                     QtFilter(request.filter));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(request.must_exist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setDefaultSuffix(FromModel(request.default_ext).toLower());
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwrite_prompt);
  if (!request.file_name.empty()) dialog.selectFile(FromPath(request.file_name));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return std::filesystem::path(ToPath(dialog.selectedFiles().front()));
}

}  // namespace

std::optional<std::filesystem::path> QtDialogs::OpenFile(
    const commands::FileDialogRequest& request) {
  return RunFileDialog(parent_, request, false);
}

std::optional<std::filesystem::path> QtDialogs::SaveFile(
    const commands::FileDialogRequest& request) {
  return RunFileDialog(parent_, request, true);
}

std::optional<std::filesystem::path> QtDialogs::SelectDirectory(
    std::string_view title, const std::filesystem::path& initial_dir) {
  const QString dir =
      QFileDialog::getExistingDirectory(parent_, FromModel(title), FromPath(initial_dir.string()));
  if (dir.isEmpty()) return std::nullopt;
  return std::filesystem::path(ToPath(dir));
}

std::optional<std::string> QtDialogs::InputBox(std::string_view caption, std::string_view prompt,
                                               std::string_view initial_text) {
  bool ok = false;
  const QString text = QInputDialog::getText(parent_, FromModel(caption), FromModel(prompt),
                                             QLineEdit::Normal, FromModel(initial_text), &ok);
  if (!ok) return std::nullopt;
  const std::optional<std::string> bytes = ToModel(text);
  if (!bytes) {
    Warning(RefusedCharacterMessage(text));
    return InputBox(caption, prompt, initial_text);
  }
  return bytes;
}

void QtDialogs::ViewFile(const std::filesystem::path& file) {
  // A plain read-only view until the file viewer with its own buttons is built.
  QFile in(FromPath(file.string()));
  QDialog dialog(parent_);
  dialog.setWindowTitle(FromPath(file.string()));
  auto* layout = new QVBoxLayout(&dialog);
  auto* view = new QPlainTextEdit;
  view->setReadOnly(true);
  view->setFont(QFont("Monospace"));
  if (in.open(QIODevice::ReadOnly)) view->setPlainText(FromModel(in.readAll().toStdString()));
  layout->addWidget(view);
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close);
  QObject::connect(close, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
  layout->addWidget(close);
  dialog.resize(800, 600);
  dialog.exec();
}

namespace {

std::optional<std::string> ChooseFrom(QWidget* parent, const QString& title, const QString& label,
                                      const std::vector<std::string>& items) {
  QStringList list;
  for (const std::string& item : items) list << FromModel(item);
  bool ok = false;
  const QString chosen = QInputDialog::getItem(parent, title, label, list, 0, false, &ok);
  if (!ok) return std::nullopt;
  return ToModel(chosen);
}

}  // namespace

std::optional<std::string> QtDialogs::SelectPanel(const std::vector<std::string>& containers) {
  return ChooseFrom(parent_, "Generate container component", "Container:", containers);
}

std::optional<commands::FieldImportChoice> QtDialogs::ImportFieldDialog(
    std::string_view field, const commands::FieldImportChoice& proposed) {
  FormDialog dialog(parent_, "Import fields");
  dialog.form()->addRow(new QLabel(FromModel(field)));
  QLineEdit* name = dialog.AddField("Name in the component:", proposed.name);
  QLineEdit* label = dialog.AddField("Display label for grids (if any):", proposed.label);
  auto* handling = new QComboBox;
  handling->addItems({"Data field", "Calculated field", "Skip this field"});
  handling->setCurrentIndex(static_cast<int>(proposed.handling));
  dialog.form()->addRow("Handling:", handling);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return commands::FieldImportChoice{
      Text(name), Text(label), static_cast<commands::FieldHandling>(handling->currentIndex())};
}

std::optional<commands::DataLinkNames> QtDialogs::DataLinkDialog(
    std::string_view caption, const commands::DataLinkNames& proposed) {
  FormDialog dialog(parent_, FromModel(caption));
  QLineEdit* source =
      dialog.AddField("New data source property (TDataSource):", proposed.data_source);
  QLineEdit* field = dialog.AddField("New data field name property (String):", proposed.data_field);
  QLineEdit* link = dialog.AddField("New data link variable (TFieldDataLink):", proposed.link);
  QLineEdit* change =
      dialog.AddField("New or existing OnDataChange handler:", proposed.data_change);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return commands::DataLinkNames{Text(source), Text(field), Text(link), Text(change)};
}

std::optional<commands::PropertyLink> QtDialogs::LinkPropertyDialog(
    std::string_view explanation, const std::vector<std::string>& sub_components) {
  FormDialog dialog(parent_, "Link new property with sub-component property");
  dialog.form()->addRow(new QLabel(FromModel(explanation)));
  auto* sub = new QComboBox;
  for (const std::string& s : sub_components) sub->addItem(FromModel(s));
  dialog.form()->addRow("Sub-component:", sub);
  QLineEdit* property = dialog.AddField("Property:", "");
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return commands::PropertyLink{ToModel(sub->currentText()).value_or(""), Text(property)};
}

std::optional<commands::OtherOptions> QtDialogs::OtherOptionsDialog(
    const commands::OtherOptionsRequest& request) {
  OtherOptionsWindow dialog(parent_, request);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

std::optional<std::string> QtDialogs::ChooseEditorUnit(const std::vector<std::string>& units) {
  return ChooseFrom(parent_, "Generate property editors", "Property editor unit:", units);
}

std::optional<int> QtDialogs::ChooseEditorKind(std::string_view editor_class, int default_kind) {
  bool ok = false;
  const int kind = QInputDialog::getInt(
      parent_, "Property editor type", "Editor type (0 to 18) for " + FromModel(editor_class) + ":",
      default_kind, 0, 18, 1, &ok);
  if (!ok) return std::nullopt;
  return kind;
}

std::optional<commands::ClassRegistration> QtDialogs::RegisterClassDialog(
    const commands::ClassRegistrationRequest& request) {
  FormDialog dialog(parent_, "Register " + FromModel(request.class_name));
  QLineEdit* ancestor = dialog.AddField("VCL ancestor:", request.current.ancestor);
  QLineEdit* unit = dialog.AddField("Unit:", request.current.unit);
  auto* dont_know = new QCheckBox("Don't know");
  dont_know->setChecked(request.current.dont_know);
  dialog.form()->addRow(dont_know);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return commands::ClassRegistration{Text(ancestor), Text(unit), dont_know->isChecked()};
}

std::optional<commands::Audience> QtDialogs::DocumentationAudienceDialog(
    commands::Audience preselected) {
  FormDialog dialog(parent_, FromModel(commands::kDocumentationCaption));
  dialog.form()->addRow(new QLabel(FromModel(commands::kAudienceLabel)));
  QButtonGroup group(&dialog);
  for (const commands::AudienceChoice& choice : commands::kAudienceChoices) {
    auto* button = new QRadioButton(FromModel(choice.caption));
    button->setChecked(choice.audience == preselected);
    group.addButton(button, static_cast<int>(choice.audience));
    dialog.form()->addRow(button);
    dialog.form()->addRow(new QLabel(FromModel(choice.hint)));
  }
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return static_cast<commands::Audience>(group.checkedId());
}

std::optional<catalog::ParentChoice> QtDialogs::SelectParentDialog(
    const commands::ParentSelectionRequest& request) {
  // The List view alone, until the dialog with all four views is built.
  FormDialog dialog(parent_, FromModel(catalog::kSelectParentCaption));
  auto* classes = new QComboBox;
  classes->setEditable(true);
  for (std::string_view name : catalog::ListViewClasses()) classes->addItem(FromModel(name));
  classes->setEditText(FromModel(request.shown.list_text.empty()
                                     ? catalog::SelectedClassName(request.shown)
                                     : request.shown.list_text));
  dialog.form()->addRow("Parent class:", classes);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  catalog::ParentChoice choice = request.shown;
  choice.view = catalog::ParentView::kList;
  choice.list_text = ToModel(classes->currentText()).value_or("");
  return choice;
}

void QtDialogs::OpenDocument(const std::filesystem::path& file) {
  QDesktopServices::openUrl(QUrl::fromLocalFile(FromPath(file.string())));
}

std::optional<commands::NamePromptAnswer> QtDialogs::NamePrompt(
    const commands::NamePromptRequest& request) {
  NamePromptWindow dialog(parent_, request, *this);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  return dialog.Result();
}

std::optional<model::PropertyEditorDef> QtDialogs::PropertyEditorDialog(
    std::string_view entry, const model::PropertyEditorDef& current) {
  FormDialog dialog(parent_, "Property editor options");
  dialog.form()->addRow(new QLabel(FromModel(entry)));
  auto* custom = new QCheckBox("Custom property editor");
  custom->setChecked(!current.DefEdit);
  dialog.form()->addRow(custom);
  QLineEdit* unit = dialog.AddField("Editor unit:", current.EditorUnit);
  QLineEdit* editor_class = dialog.AddField("Editor class:", current.EditorClass);
  auto* all = new QCheckBox("Apply to all properties of this type");
  all->setChecked(current.ApplyToAll);
  dialog.form()->addRow(all);
  if (dialog.exec() != QDialog::Accepted) return std::nullopt;
  model::PropertyEditorDef chosen = current;
  chosen.DefEdit = !custom->isChecked();
  chosen.EditorUnit = Text(unit);
  chosen.EditorClass = Text(editor_class);
  chosen.ApplyToAll = all->isChecked();
  return chosen;
}

}  // namespace kx::ui
