// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the component unit of a new definition for each class named on the command line,
// as File > New builds it for that parent (no form), so that the pascal checks can compile
// them. The classes named must be exactly the parent selection's List view, so that a class
// added to the view cannot go unchecked.
//
//   kx_new_definition_units OUT_DIR TAnimate TBatchMove ...
//
// The unit of class TName is OUT_DIR/kxnname.pas (unit Kxnname; the class stays TMyClass).
#include <algorithm>
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "catalog/class_catalog.h"
#include "catalog/new_definition.h"
#include "catalog/parent_choices.h"
#include "generate/printer.h"
#include "generate/unit/unit_writer.h"
#include "model/text.h"
#include "platform/atomic_file.h"

namespace {

namespace fs = std::filesystem;
using namespace kx;

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::cerr << "usage: kx_new_definition_units OUT_DIR CLASS...\n";
    return 2;
  }
  const fs::path out_dir = argv[1];
  const std::vector<std::string> classes(argv + 2, argv + argc);
  const auto list = catalog::ListViewClasses();
  if (!std::equal(classes.begin(), classes.end(), list.begin(), list.end())) {
    std::cerr << "the classes named are not the List view's " << list.size() << " classes\n";
    return 1;
  }
  std::error_code error;
  fs::create_directories(out_dir, error);

  store::Settings settings;
  settings.copyright = "Copyright (c) 2026 Kestrix checks";
  const platform::DateTime at{2026, 1, 2, 3, 4, 0};
  int failures = 0;
  for (const std::string& name : classes) {
    model::ComponentDef def;
    catalog::NewDefinitionFromParent(def, name, name, {}, catalog::ClassFamilyOf(name),
                                     catalog::UnitOfClass(name), settings);
    const std::string unit = "Kxn" + model::LowerCase(name.substr(1));
    def.MainInfo.UnitName = unit;
    generate::PrepareForUnit(def, {.full_comments = true});
    const std::string text = generate::WriteComponentUnit(def, {.full_comments = true}, at);
    const fs::path path = out_dir / (model::LowerCase(unit) + ".pas");
    if (const std::error_code write_error =
            platform::WriteFileAtomically(path, generate::WithCrlf(text))) {
      std::cerr << path.string() << ": " << write_error.message() << "\n";
      ++failures;
    }
  }
  return failures == 0 ? 0 : 1;
}
