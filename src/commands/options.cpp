// SPDX-License-Identifier: GPL-3.0-or-later
#include "commands/options.h"

#include <string>
#include <vector>

#include "model/types.h"
#include "store/profile_store.h"

namespace kx::commands {

namespace {

namespace fs = std::filesystem;

// Whether the settings file took the change; a failure is told the user here.
bool Written(Dialogs& dialogs, const store::ProfileStatus& status) {
  if (!status.ok()) dialogs.Error(status.message);
  return status.ok();
}

bool WriteSetting(Dialogs& dialogs, const store::Settings& settings, std::string_view section,
                  std::string_view key, std::string_view value) {
  return Written(dialogs, store::UpdateProfile(settings.file, [&](store::Profile& profile) {
                   profile.WriteString(section, key, value);
                 }));
}

bool ChangeDirectory(Dialogs& dialogs, const store::Settings& settings, std::string& dir,
                     std::string_view key, std::string_view question_start,
                     std::string_view caption, std::string_view title) {
  const std::string question = std::string(question_start) + dir + ".  Do you want to change it?";
  if (dialogs.Confirm(Buttons::kYesNo, question, caption) != Answer::kYes) return false;
  const std::optional<fs::path> chosen = dialogs.SelectDirectory(title, dir);
  if (!chosen || chosen->empty()) return false;
  const std::string new_dir = store::AsDirectory(chosen->string());
  if (!WriteSetting(dialogs, settings, store::kDirectoriesSection, key, new_dir)) return false;
  dir = new_dir;
  return true;
}

// Asks the question and, on Yes, flips the flag and writes it.
bool AskToFlip(Dialogs& dialogs, const store::Settings& settings, bool& flag, std::string_view key,
               std::string_view question) {
  if (dialogs.Confirm(Buttons::kYesNo, question) != Answer::kYes) return false;
  if (!Written(dialogs, store::UpdateProfile(settings.file, [&](store::Profile& profile) {
                 profile.WriteBool(store::kOtherSection, key, !flag);
               }))) {
    return false;
  }
  flag = !flag;
  return true;
}

// The folder the compiler file dialog opens in: the current compiler's when it is there.
fs::path CompilerFolder(std::string_view compiler, std::string_view fallback) {
  std::error_code error;
  const fs::path folder = fs::path(compiler).parent_path();
  return !folder.empty() && fs::is_directory(folder, error) ? folder : fs::path(fallback);
}

}  // namespace

bool SavePrintFont(Dialogs& dialogs, store::Settings& settings, std::string_view family, int size) {
  if (!Written(dialogs, store::UpdateProfile(settings.file, [&](store::Profile& profile) {
                 profile.WriteString(store::kPrintSection, store::kPrintFontKey, family);
                 profile.WriteInteger(store::kPrintSection, store::kPrintFontSizeKey, size);
               }))) {
    return false;
  }
  settings.print_font = family;
  settings.print_font_size = size;
  return true;
}

bool SaveWindowGeometry(Dialogs& dialogs, store::Settings& settings, std::string_view geometry) {
  if (!WriteSetting(dialogs, settings, store::kWindowSection, store::kGeometryKey, geometry)) {
    return false;
  }
  settings.window_geometry = geometry;
  return true;
}

bool ChangeDefaultSourceDirectory(Dialogs& dialogs, store::Settings& settings) {
  return ChangeDirectory(dialogs, settings, settings.definitions_dir, store::kDefinitionsKey,
                         "The default directory for component definitions is now ",
                         "Default source directory", "Select default source (*.cd) directory");
}

bool ChangeDefaultTargetDirectory(Dialogs& dialogs, store::Settings& settings) {
  if (!ChangeDirectory(dialogs, settings, settings.pascal_code_dir, store::kPascalCodeKey,
                       "The default target directory for Pascal code files is now ",
                       "Default target directory", "Select default target (*.pas) directory")) {
    return false;
  }
  settings.pascal_code_dir_chosen = true;
  return true;
}

bool ChangeCommentingLevel(Dialogs& dialogs, store::Settings& settings) {
  const std::string_view question =
      settings.full_comments
          ? "Code is now generated with detailed comments.  Do you want to turn detailed "
            "commenting off?"
          : "Code is now generated with normal comments.  Do you want to turn detailed "
            "commenting on?";
  if (!AskToFlip(dialogs, settings, settings.full_comments, store::kFullCommentsKey, question)) {
    return false;
  }
  dialogs.Information(settings.full_comments ? "New code will be generated with detailed comments."
                                             : "New code will be generated with normal comments.");
  return true;
}

bool ChangeCodeTarget(Dialogs& dialogs, store::Settings& settings) {
  // The two targets code is not generated for, in a fixed order, one button each.
  std::vector<model::CodeTarget> others;
  for (const model::CodeTarget target :
       {model::CodeTarget::kDelphi, model::CodeTarget::kLazarus, model::CodeTarget::kDelphiXe}) {
    if (target != settings.target) others.push_back(target);
  }
  auto button = [](model::CodeTarget target) {
    return "Generate it for " + std::string(model::CodeTargetName(target));
  };
  const std::optional<int> choice =
      dialogs.ChooseButton({.caption = "Code is now generated for " +
                                       std::string(model::CodeTargetName(settings.target)),
                            .first = button(others[0]),
                            .second = button(others[1]),
                            .cancel_button = true});
  if (!choice || *choice < 0 || *choice > 1) return false;
  const model::CodeTarget target = others[static_cast<std::size_t>(*choice)];
  if (!WriteSetting(dialogs, settings, store::kOtherSection, store::kTargetKey,
                    model::CodeTargetName(target))) {
    return false;
  }
  settings.target = target;
  dialogs.Information("New code will be generated for " +
                      std::string(model::CodeTargetName(target)) + ".");
  return true;
}

bool ChangeDelphiVersion(Dialogs& dialogs, store::Settings& settings, const fs::path& wine_prefix) {
  const std::string_view question =
      settings.using_delphi16
          ? "Kestrix is now set up to work with Delphi 1.0.  Do you want it set up for 32-bit "
            "Delphi instead?"
          : "Kestrix is now set up to work with 32-bit Delphi.  Do you want it set up for "
            "Delphi 1.0 instead?";
  if (!AskToFlip(dialogs, settings, settings.using_delphi16, store::kUsingDelphi16Key, question)) {
    return false;
  }
  // The version is written; only the help files it names are not known.
  if (!Written(dialogs, store::ChooseHelpFiles(settings, wine_prefix))) return true;
  dialogs.Information(settings.using_delphi16
                          ? "Kestrix is now set up to work with Delphi 1.0."
                          : "Kestrix is now set up to work with 32-bit Delphi.");
  return true;
}

bool ChangeResourceCompilerPath(Dialogs& dialogs, store::Settings& settings) {
  const bool delphi16 = settings.using_delphi16;
  std::string& compiler = delphi16 ? settings.compiler16 : settings.compiler32;
  const std::string kind = delphi16 ? "16-bit" : "32-bit";
  if (dialogs.Confirm(Buttons::kYesNo, "The " + kind + " Resource Compiler path name is now " +
                                           compiler + ".  Do you want to change it?") !=
      Answer::kYes) {
    return false;
  }
  const std::optional<fs::path> chosen = dialogs.OpenFile(
      {.title = "Find Resource Compiler",
       .filter = "Executable files (*.exe)|*.exe|All files (*.*)|*.*",
       .default_ext = "exe",
       .initial_dir = CompilerFolder(
           compiler, delphi16 ? "c:\\delphi\\bin" : "c:\\Program files\\Borland\\Delphi 2.0\\bin"),
       .file_name = delphi16 ? "brcc.exe" : "brcc32.exe",
       .must_exist = true});
  if (!chosen || chosen->empty()) return false;
  const std::string path = chosen->string();
  if (!WriteSetting(dialogs, settings, store::kResourcesSection,
                    delphi16 ? store::kCompiler16Key : store::kCompiler32Key, path)) {
    return false;
  }
  compiler = path;
  dialogs.Information("The " + kind + " Resource Compiler path name has been changed to " + path +
                      ".");
  return true;
}

bool ChangeOtherOptions(Dialogs& dialogs, store::Settings& settings, const platform::Clock& clock) {
  const std::optional<OtherOptions> chosen =
      dialogs.OtherOptionsDialog({model::CopyrightLines(clock.Now().year),
                                  {settings.copyright, settings.codeview, settings.help_url}});
  if (!chosen) return false;
  if (!Written(dialogs, store::UpdateProfile(settings.file, [&](store::Profile& profile) {
                 profile.WriteString(store::kOtherSection, store::kCopyrightKey, chosen->copyright);
                 profile.WriteInteger(store::kOtherSection, store::kCodeviewKey, chosen->codeview);
                 // Written only when changed: most users never set one.
                 if (chosen->help_url != settings.help_url) {
                   profile.WriteString(store::kHelpFilesSection, store::kKeywordUrlKey,
                                       chosen->help_url);
                 }
               }))) {
    return false;
  }
  settings.copyright = chosen->copyright;
  settings.codeview = chosen->codeview;
  settings.help_url = chosen->help_url;
  return true;
}

}  // namespace kx::commands
