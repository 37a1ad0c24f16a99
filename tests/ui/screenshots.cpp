// SPDX-License-Identifier: GPL-3.0-or-later
// Writes a picture of each page of the window with a definition open, of each special dialog,
// and of the definition's unit (written beside it) in the file viewer:
//   kx_ui_screenshots DEFINITION.cd OUTPUT_DIR
// (scripts/screenshots runs it offscreen for the README).
#include <QApplication>
#include <QListWidget>
#include <QTabWidget>
#include <iostream>

#include "generate/extras/editor_unit.h"
#include "generate/printer.h"
#include "generate/unit/unit_writer.h"
#include "platform/atomic_file.h"
#include "store/settings.h"
#include "ui/data_link_window.h"
#include "ui/desktop.h"
#include "ui/documentation_window.h"
#include "ui/events_page.h"
#include "ui/file_viewer.h"
#include "ui/import_field_window.h"
#include "ui/link_property_window.h"
#include "ui/list_choice_window.h"
#include "ui/main_page.h"
#include "ui/methods_page.h"
#include "ui/parent_dialog.h"
#include "ui/properties_page.h"
#include "ui/property_editor_window.h"
#include "ui/register_class_window.h"
#include "ui/variables_page.h"

namespace {

bool Save(QWidget& widget, const QString& file) {
  widget.show();
  QApplication::processEvents();
  if (!widget.grab().save(file)) {
    std::cerr << "could not write " << file.toStdString() << "\n";
    return false;
  }
  std::cout << file.toStdString() << "\n";
  return true;
}

// The special dialogs as they open, over the window.
bool SaveDialogs(QWidget* window, const QString& dir) {
  using namespace kx;
  using catalog::ParentView;
  bool ok = true;
  const char* views[] = {"outline", "list", "express", "custom"};
  for (int view = 0; view < 4; ++view) {
    ui::ParentDialog dialog(window,
                            {.shown = {.view = static_cast<ParentView>(view),
                                       .outline_node = 10,
                                       .list_text = "TEdit",
                                       .express_item = 1,
                                       .custom_class = "TMyGrid"},
                             .custom_classes = {"TMyGrid", "TTheirButton"}},
                            {});
    ok &= Save(dialog, dir + "/parent_" + views[view] + ".png");
  }
  ui::RegisterClassWindow registration(window, {"TMyGrid", {"TCustomGrid", "MyGrids", false}}, {});
  ok &= Save(registration, dir + "/register_class.png");
  model::PropertyEditorDef editor;
  editor.DefEdit = false;
  editor.EditorUnit = "AlarmEds";
  editor.EditorClass = "TAlarmTimeEditor";
  ui::PropertyEditorWindow editor_options(
      window, {"AlarmTime : TDateTime", editor, {{"AlarmEds"}, {"TAlarmTimeEditor"}}}, {}, {});
  ok &= Save(editor_options, dir + "/property_editor.png");
  ui::DataLinkWindow data_link(window, "Add read-write data link",
                               {"DataSource", "DataField", "FDataLink", "DataChange"});
  ok &= Save(data_link, dir + "/data_link.png");
  ui::LinkPropertyWindow link(window, "Title links with", {"Label1", "Panel1"}, {});
  ok &= Save(link, dir + "/link_property.png");
  ui::ListChoiceWindow panel(window, "Generate container component", "Select the panel to import",
                             {"Panel1", "Panel2"}, 0, {});
  ok &= Save(panel, dir + "/select_panel.png");
  ui::ImportFieldWindow field(window, "Table1CUSTNO : TFloatField",
                              {"Custno", "Custno", commands::FieldHandling::kDataField});
  ok &= Save(field, dir + "/import_field.png");
  ui::ListChoiceWindow unit(window, "Generate property editors",
                            "Select property editor unit to generate:", {"AlarmEds", "ColorEds"}, 0,
                            [] {});
  ok &= Save(unit, dir + "/editor_unit.png");
  std::vector<std::string> kinds;
  for (int k = 0; k < generate::kEditorKindCount; ++k) {
    kinds.emplace_back(generate::EditorKindText(k));
  }
  ui::ListChoiceWindow kind(window, "Generate property editors",
                            "Select editor type for TAlarmTimeEditor", kinds, 9, [] {});
  ok &= Save(kind, dir + "/editor_kind.png");
  ui::DocumentationWindow documentation(window, commands::Audience::kComponent);
  ok &= Save(documentation, dir + "/documentation.png");
  return ok;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc != 3) {
    std::cerr << "usage: kx_ui_screenshots DEFINITION.cd OUTPUT_DIR\n";
    return 2;
  }
  kx::store::Settings settings;
  settings.file = std::filesystem::path(argv[2]) / "Kestrix.ini.unused";
  kx::ui::Desktop desktop(settings, kx::store::BuiltInPalettePages());
  kx::ui::MainWindow& window = desktop.window();
  window.resize(780, 560);
  desktop.model().Start(std::filesystem::path(argv[1]));
  window.Render();
  window.show();
  const char* names[] = {"main", "properties", "methods", "events", "variables"};
  for (int page = 0; page < kx::commands::kPageCount; ++page) {
    window.Run([&] { desktop.model().PageChange(static_cast<kx::commands::Page>(page)); });
    if (page == 3 && desktop.model().events().list().entries.empty()) {
      window.Run([&] { desktop.model().events().EventsModeClick(kx::commands::EventsMode::kNew); });
    }
    if (page > 0) window.Run([&] { desktop.model().ListClick(0); });
    QApplication::processEvents();
    const QString file = QString(argv[2]) + "/" + names[page] + ".png";
    if (!window.grab().save(file)) {
      std::cerr << "could not write " << file.toStdString() << "\n";
      return 1;
    }
    std::cout << file.toStdString() << "\n";
  }
  // The definition's unit, written beside it, in the file viewer.
  kx::model::ComponentDef def = desktop.session().def();
  const kx::generate::UnitOptions options;
  kx::generate::PrepareForUnit(def, options);
  const std::filesystem::path unit = std::filesystem::path(argv[1]).replace_extension(".pas");
  kx::platform::WriteFileAtomically(unit, kx::generate::WithCrlf(kx::generate::WriteComponentUnit(
                                              def, options, {2026, 12, 6, 9, 30, 0})));
  kx::ui::QtDialogs dialogs(&window, {});
  kx::ui::FileViewer viewer(&window, dialogs);
  viewer.resize(760, 540);
  const bool viewed = viewer.Open(unit) && Save(viewer, QString(argv[2]) + "/file_viewer.png");
  return SaveDialogs(&window, argv[2]) && viewed ? 0 : 1;
}
