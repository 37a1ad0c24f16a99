// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/main_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QFileInfo>
#include <QFontDialog>
#include <QHBoxLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabWidget>
#include <QTextDocument>
#include <QUrl>
#include <QVBoxLayout>
#include <exception>
#include <stdexcept>

#include "commands/help.h"
#include "commands/options.h"
#include "commands/target_directory.h"
#include "ui/about.h"
#include "ui/events_page.h"
#include "ui/main_page.h"
#include "ui/methods_page.h"
#include "ui/properties_page.h"
#include "ui/text_boundary.h"
#include "ui/variables_page.h"

// The icons are built into the library, whose resources a program must ask for by name.
static void InitIcons() { Q_INIT_RESOURCE(icons); }

namespace kx::ui {

using commands::MenuItem;
using commands::Page;

namespace {

// A menu shows one key of an item; an item with more keys shows them all. also: the same keys
// as some keyboards report them (Shift+Tab comes as Backtab).
void SetShortcuts(QAction* action, const QList<QKeySequence>& keys,
                  const QList<QKeySequence>& also = {}) {
  action->setShortcuts(keys + also);
  QStringList shown;
  for (const QKeySequence& key : keys) shown << key.toString(QKeySequence::NativeText);
  action->setText(action->text() + '\t' + shown.join(", "));
}

}  // namespace

MainWindow::MainWindow(commands::MainWindowModel& model, commands::Dialogs& dialogs,
                       store::Settings& settings)
    : model_(model),
      dialogs_(dialogs),
      settings_(settings),
      context_{model, dialogs, [this](const std::function<void()>& handler) { Run(handler); }} {
  InitIcons();
  QIcon icon;
  for (const int size : {16, 32, 48, 64, 128, 256}) {
    icon.addFile(QString(":/icons/kestrix-%1.png").arg(size), QSize(size, size));
  }
  setWindowIcon(icon);
  // The dialogs, which have none of their own.
  if (QApplication::windowIcon().isNull()) QApplication::setWindowIcon(icon);
  auto* central = new QWidget;
  auto* layout = new QVBoxLayout(central);
  tabs = new QTabWidget;
  main_page = new MainPage(context_);
  properties_page = new PropertiesPage(context_);
  methods_page = new MethodsPage(context_);
  events_page = new EventsPage(context_);
  variables_page = new VariablesPage(context_);
  tabs->addTab(main_page, "Main");
  tabs->addTab(properties_page, "Properties");
  tabs->addTab(methods_page, "Methods");
  tabs->addTab(events_page, "Events");
  tabs->addTab(variables_page, "Variables");
  layout->addWidget(tabs);
  auto* buttons = new QHBoxLayout;
  add = new QPushButton("&Add");
  del = new QPushButton("&Delete");
  code = new QPushButton("&Code...");
  text = new QPushButton("&Text...");
  buttons->addStretch();
  for (QPushButton* button : {add, del, code, text}) buttons->addWidget(button);
  layout->addLayout(buttons);
  setCentralWidget(central);
  BuildMenus();

  connect(tabs, &QTabWidget::currentChanged, this, [this](int index) {
    if (rendering_) return;
    Run([&] { model_.PageChange(static_cast<Page>(index)); });
  });
  connect(add, &QPushButton::clicked, this, [this] { Run([&] { model_.AddBtnClick(); }); });
  connect(del, &QPushButton::clicked, this, [this] { Run([&] { model_.DeleteBtnClick(); }); });
  connect(code, &QPushButton::clicked, this, [this] { Run([&] { model_.CodeBtnClick(); }); });
  connect(text, &QPushButton::clicked, this, [this] { Run([&] { model_.HelpTextBtnClick(); }); });
  for (QListWidget* list :
       {properties_page->list, methods_page->list, events_page->list, variables_page->list}) {
    connect(list, &QListWidget::itemDoubleClicked, this,
            [this] { Run([&] { model_.CodeBtnClick(); }); });
  }
  auto* help = new QShortcut(QKeySequence::HelpContents, this);
  connect(help, &QShortcut::activated, this, [this] {
    ShowHelp({store::HelpFile::kProduct,
              model_.definition_open() ? store::HelpAction::kContext : store::HelpAction::kContents,
              "", model_.help_context()});
  });
}

MainWindow::~MainWindow() = default;

void MainWindow::Run(const std::function<void()>& handler) {
  try {
    handler();
  } catch (const std::logic_error& e) {
    dialogs_.Error(commands::InternalFaultMessage(e.what()));
  } catch (const std::exception& e) {
    dialogs_.Error(e.what());
  }
  Render();
}

void MainWindow::Render() {
  rendering_ = true;
  {
    commands::MainWindowModel::UpdateScope updating(model_);
    setWindowTitle(FromModel(model_.Title()));
    if (tabs->currentIndex() != static_cast<int>(model_.page())) {
      tabs->setCurrentIndex(static_cast<int>(model_.page()));
    }
    main_page->Render();
    properties_page->Render();
    methods_page->Render();
    events_page->Render();
    variables_page->Render();
    const commands::ButtonStates b = model_.buttons();
    add->setEnabled(b.add);
    del->setEnabled(b.del);
    code->setEnabled(b.code);
    text->setEnabled(b.text);
    code->setDefault(b.code_is_default);
    add->setDefault(!b.code_is_default);
    for (auto& [item, action] : actions) action->setEnabled(model_.MenuEnabled(item));
  }
  rendering_ = false;
}

QAction* MainWindow::FindAction(const QString& wanted) const {
  for (QAction* menu : menuBar()->actions()) {
    for (QAction* action : menu->menu()->actions()) {
      if (action->text() == wanted) return action;
    }
  }
  return nullptr;
}

void MainWindow::BuildMenus() {
  const auto item = [this](QMenu* menu, const QString& caption, std::function<void()> handler,
                           QKeySequence shortcut = {}) {
    QAction* action = menu->addAction(caption);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, [this, handler] { Run(handler); });
    return action;
  };
  QMenu* file = menuBar()->addMenu("&File");
  actions[MenuItem::kNew] = item(
      file, "&New component definition...", [this] { model_.NewDefinition(); }, QKeySequence::New);
  actions[MenuItem::kOpen] = item(
      file, "&Open component definition...", [this] { model_.OpenDefinition(); },
      QKeySequence::Open);
  actions[MenuItem::kImportUnit] =
      item(file, "&Import component unit...", [this] { model_.ImportComponentUnit(); });
  actions[MenuItem::kSave] = item(
      file, "&Save", [this] { model_.SaveDefinition(); }, QKeySequence("Ctrl+S"));
  actions[MenuItem::kSaveAs] = item(file, "S&ave as...", [this] { model_.SaveDefinitionAs(); });
  file->addSeparator();
  actions[MenuItem::kPrintInterface] =
      item(file, "&Print component interface", [this] { PrintInterface(); });
  actions[MenuItem::kPrinterSetup] = item(file, "P&rinter setup...", [this] { PrinterSetup(); });
  file->addSeparator();
  actions[MenuItem::kExit] = item(
      file, "E&xit Kestrix",
      [this] {
        if (model_.ExitProgram()) {
          close_confirmed_ = true;
          close();
        }
      },
      QKeySequence("Alt+X"));
  SetShortcuts(actions[MenuItem::kExit], {QKeySequence("Alt+X"), QKeySequence("Ctrl+Q")});

  QMenu* edit = menuBar()->addMenu("&Edit");
  const auto focused_edit = []() -> QLineEdit* {
    QWidget* focus = QApplication::focusWidget();
    if (auto* box = qobject_cast<QComboBox*>(focus); box && box->lineEdit())
      focus = box->lineEdit();
    return qobject_cast<QLineEdit*>(focus);
  };
  cut = item(
      edit, "Cu&t",
      [focused_edit] {
        if (QLineEdit* e = focused_edit()) e->cut();
      },
      QKeySequence("Ctrl+X"));
  copy = item(
      edit, "&Copy",
      [focused_edit] {
        if (QLineEdit* e = focused_edit()) e->copy();
      },
      QKeySequence("Ctrl+C"));
  paste = item(
      edit, "&Paste",
      [focused_edit] {
        if (QLineEdit* e = focused_edit()) e->paste();
      },
      QKeySequence("Ctrl+V"));
  edit->addSeparator();
  actions[MenuItem::kAddDataLink] =
      item(edit, "Add &data link...", [this] { model_.AddDataLinkClick(); });
  connect(edit, &QMenu::aboutToShow, this, &MainWindow::UpdateEditMenu);

  QMenu* page = menuBar()->addMenu("&Page");
  const std::pair<MenuItem, const char*> pages[] = {{MenuItem::kPageMain, "&Main"},
                                                    {MenuItem::kPageProperties, "&Properties"},
                                                    {MenuItem::kPageMethods, "Me&thods"},
                                                    {MenuItem::kPageEvents, "&Events"},
                                                    {MenuItem::kPageVariables, "&Variables"}};
  for (int i = 0; i < 5; ++i) {
    actions[pages[i].first] =
        item(page, pages[i].second, [this, i] { model_.PageChange(static_cast<Page>(i)); });
  }
  // From any field of the window, as a tab widget does only when it has the focus.
  page->addSeparator();
  const auto step = [this](int by) {
    return [this, by] {
      model_.PageChange(static_cast<Page>((static_cast<int>(model_.page()) + by + tabs->count()) %
                                          tabs->count()));
    };
  };
  next_page = item(page, "Ne&xt page", step(1));
  SetShortcuts(next_page, {QKeySequence("Ctrl+Tab"), QKeySequence("Ctrl+PgDown")});
  previous_page = item(page, "Pre&vious page", step(-1));
  SetShortcuts(previous_page, {QKeySequence("Ctrl+Shift+Tab"), QKeySequence("Ctrl+PgUp")},
               {QKeySequence("Ctrl+Shift+Backtab")});

  QMenu* generate = menuBar()->addMenu("&Generate");
  actions[MenuItem::kGenerateCode] = item(
      generate, "&Component code...", [this] { model_.GenerateComponentCodeClick(); },
      QKeySequence("Ctrl+F9"));
  actions[MenuItem::kTakeUnitEdits] =
      item(generate, "&Take edits from unit...", [this] { model_.TakeUnitEditsClick(); });
  actions[MenuItem::kGeneratePropertyEditors] =
      item(generate, "&Property editors...", [this] { model_.GeneratePropertyEditorsClick(); });
  actions[MenuItem::kGeneratePaletteBitmap] = item(generate, "Palette &bitmap...", [this] {
    model_.GeneratePaletteBitmapClick([](bool busy) {
      if (busy) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
      } else {
        QApplication::restoreOverrideCursor();
      }
    });
  });
  actions[MenuItem::kGenerateDocumentation] =
      item(generate, "&Documentation...", [this] { model_.GenerateDocumentationClick(); });
  actions[MenuItem::kGenerateSmokeTest] =
      item(generate, "&Smoke test...", [this] { model_.GenerateSmokeTestClick(); });
  actions[MenuItem::kGenerateLazarusPackage] =
      item(generate, "&Lazarus package...", [this] { model_.GenerateLazarusPackagesClick(); });
  actions[MenuItem::kGenerateDelphiPackages] =
      item(generate, "Delphi pac&kages...", [this] { model_.GenerateDelphiPackagesClick(); });

  QMenu* options = menuBar()->addMenu("&Options");
  item(options, "Default &source (*.cd) directory...",
       [this] { model_.DefaultSourceDirectoryClick(); });
  item(options, "Default &target (*.pas) directory...",
       [this] { model_.DefaultTargetDirectoryClick(); });
  item(options, "Commenting &level...", [this] { model_.CommentingLevelClick(); });
  item(options, "Code &for Delphi, Lazarus or Delphi-XE...", [this] { model_.CodeTargetClick(); });
  item(options, "&Resource compiler path...", [this] { model_.ResourceCompilerPathClick(); });
  item(options, "&Delphi version...",
       [this] { model_.DelphiVersionClick(store::WinePrefix(store::ReadEnvironment())); });
  item(options, "&Other options...", [this] { model_.OtherOptionsClick(); });

  QMenu* help = menuBar()->addMenu("&Help");
  item(help, "&Help contents", [this] { ShowHelp({}); });
  QAction* threads = item(help, "&Thread help", [this] {
    ShowHelp({store::HelpFile::kThreads, store::HelpAction::kContents, "", 0});
  });
  threads->setVisible(false);
  actions[MenuItem::kClassHelp] =
      item(help, "&Class help", [this] { ShowHelp(model_.ClassHelp()); });
  item(help, "&VCL help", [this] { ShowHelp(store::VclHelpTopic("", settings_.using_delphi16)); });
  item(help, "&Delphi help", [this] {
    ShowHelp({store::HelpFile::kDelphi, store::HelpAction::kKeyword, "", 0});
  });
  help->addSeparator();
  item(help, "&About...", [this] { ShowAbout(this, settings_); });
}

void MainWindow::UpdateEditMenu() {
  QWidget* focus = QApplication::focusWidget();
  commands::FocusKind kind = commands::FocusKind::kOther;
  if (qobject_cast<QLineEdit*>(focus) != nullptr) {
    kind = commands::FocusKind::kEditField;
    if (auto* box = qobject_cast<QComboBox*>(focus->parentWidget()); box && box->isEditable()) {
      kind = commands::FocusKind::kEntryBox;
    }
  } else if (auto* box = qobject_cast<QComboBox*>(focus)) {
    kind = box->isEditable() ? commands::FocusKind::kEntryBox : commands::FocusKind::kDropDownList;
  }
  const bool enabled = commands::ClipboardCommandsEnabled(kind);
  cut->setEnabled(enabled);
  copy->setEnabled(enabled);
  paste->setEnabled(enabled);
}

void MainWindow::ShowHelp(const store::HelpTopic& topic) {
  const commands::HelpTarget target =
      commands::ResolveHelp(topic, settings_.help_file.parent_path(), settings_.help_url);
  if (target.url.empty()) {
    dialogs_.Information(target.message);
  } else if (!QDesktopServices::openUrl(QUrl(QString::fromStdString(target.url)))) {
    dialogs_.Information("No program to show " + target.url + " is set up.");
  }
}

QFont MainWindow::PrintFont() const {
  QFont font(FromModel(settings_.print_font), settings_.print_font_size);
  font.setStyleHint(QFont::TypeWriter);
  return font;
}

void MainWindow::PrinterSetup() {
  if (!QPrinterInfo::availablePrinters().isEmpty()) {
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    dialog.exec();
  } else {
    dialogs_.Information("No printer is set up: the component interface is printed to a PDF file.",
                         "Printer setup");
  }
  bool ok = false;
  const QFont font = QFontDialog::getFont(&ok, PrintFont(), this, "Printing font");
  if (!ok) return;
  commands::SavePrintFont(dialogs_, settings_,
                          ToModel(font.family()).value_or(store::Settings().print_font),
                          font.pointSize());
}

void MainWindow::PrintInterface(const QString& pdf_file) {
  std::string job_title;
  const std::string interface_text = model_.PrintInterface(job_title);
  QPrinter printer;
  printer.setDocName(FromModel(job_title));
  QString pdf = pdf_file;
  if (pdf.isEmpty() && QPrinterInfo::availablePrinters().isEmpty()) {
    const model::MainInfoDef& info = model_.session().def().MainInfo;
    const std::optional<std::filesystem::path> chosen = dialogs_.SaveFile(
        commands::PrintToPdfRequest("Print component interface to a PDF file",
                                    commands::TargetDirectory(info, model_.DefaultTargetDir()),
                                    info.UnitName.str() + ".pdf"));
    if (!chosen) return;
    pdf = FromPath(chosen->string());
  }
  if (!pdf.isEmpty()) {
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
  }
  QTextDocument document;
  document.setDefaultFont(PrintFont());
  document.setPlainText(FromModel(interface_text));
  document.print(&printer);
}

void MainWindow::Place(bool first_instance) {
  resize(760, 560);
  const QByteArray saved =
      QByteArray::fromHex(QByteArray::fromStdString(settings_.window_geometry));
  if (!saved.isEmpty() && first_instance && restoreGeometry(saved)) return;
  if (!saved.isEmpty()) {
    // Another copy runs: its size, but the place the window system chooses.
    QMainWindow probe;
    if (probe.restoreGeometry(saved)) resize(probe.size());
  }
  if (first_instance && screen() != nullptr) {
    move(screen()->availableGeometry().center() - rect().center());
  }
}

void MainWindow::SaveGeometry() {
  const std::string geometry = saveGeometry().toHex().toStdString();
  if (geometry == settings_.window_geometry) return;
  Run([&] { commands::SaveWindowGeometry(dialogs_, settings_, geometry); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (!close_confirmed_) {
    bool may_close = false;
    Run([&] { may_close = model_.ExitProgram(); });
    if (!may_close) {
      event->ignore();
      return;
    }
  }
  SaveGeometry();
  event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  // Enter in a field ends the entry there; elsewhere (a list) it presses the default button.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    if (CommitField(QApplication::focusWidget())) return;
    QPushButton* button = model_.buttons().code_is_default ? code : add;
    if (button->isEnabled()) {
      button->click();
      return;
    }
  }
  QMainWindow::keyPressEvent(event);
}

}  // namespace kx::ui
