#pragma once
// A main window in a temporary world: a program folder holding the processor launcher, a
// documents folder that is the current folder, a per-user data folder, and dialogs whose answers
// the test scripts in advance. An unscripted question fails the test and answers Cancel.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSettings>
#include <QTest>
#include <QToolButton>
#include <QAction>
#include <QTabWidget>
#include <QTemporaryDir>
#include <deque>
#include <filesystem>
#include <functional>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "app/MainForm.h"
#include "app/QlnInkMemo.h"
#include "app/WorkbenchDialogs.h"
#include "toolkit/qt/QSettingsRegistry.h"

namespace ql::test {

namespace fs = std::filesystem;

struct TQuestion {
  QString Title;
  QString Text;
  bool WithCancel;
};

class TScriptedDialogs : public TWorkbenchDialogs {
public:
  std::deque<TAnswer> Answers;                   // for Ask, in order
  std::deque<std::optional<QString>> FileNames;  // for Execute; nullopt cancels
  std::vector<TQuestion> Questions;
  std::vector<TFileDialog> FileDialogs;  // each dialog as it was shown
  std::vector<QString> Messages;
  std::vector<QString> Errors;
  std::vector<QString> Opened;           // ShellOpen targets
  std::vector<QString> ModalTitles;
  std::vector<int> ModalTabs;            // first tab widget's page when shown
  std::function<void(QDialog&)> OnModal;  // acts in a modal dialog as the user would
  bool Browser = true;                   // whether the desktop has a browser

  TAnswer Ask(const QString& title, const QString& text, bool withCancel) override {
    Questions.push_back({title, text, withCancel});
    if (Answers.empty()) {
      ADD_FAILURE() << "unexpected question: " << text.toStdString();
      return withCancel ? TAnswer::Cancel : TAnswer::No;
    }
    const TAnswer answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  void ShowMessage(const QString& text) override { Messages.push_back(text); }
  void ShowError(const QString& text) override { Errors.push_back(text); }
  bool Execute(TFileDialog& dialog) override {
    FileDialogs.push_back(dialog);
    if (FileNames.empty()) {
      ADD_FAILURE() << "unexpected file dialog: " << dialog.Title.toStdString();
      return false;
    }
    const std::optional<QString> answer = FileNames.front();
    FileNames.pop_front();
    if (!answer) return false;
    dialog.FileName = *answer;
    return true;
  }
  void ShowModal(QDialog& dialog) override {
    ModalTitles.push_back(dialog.windowTitle());
    const auto* tabs = dialog.findChild<QTabWidget*>();
    ModalTabs.push_back(tabs ? tabs->currentIndex() : -1);
    if (OnModal) OnModal(dialog);
  }
  void ShellOpen(const QString& target) override { Opened.push_back(target); }
  bool CanShellOpen(const QString&) override { return Browser; }
};

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

inline void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Names in a folder, sorted.
inline std::vector<std::string> Listing(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

class WorkbenchTest : public ::testing::Test {
protected:
  void SetUp() override {
    ASSERT_TRUE(root_.isValid());
    const fs::path root = QFile::encodeName(root_.path()).toStdString();
    Program = root / "prog";
    Docs = root / "docs";
    Data = root / "data";
    fs::create_directories(Program);
    fs::create_directories(Docs);
    fs::copy_file(QUILLON_LAUNCHER, Program / "saxon");
    oldFolder_ = fs::current_path();
    fs::current_path(Docs);
    Places.ProgramDir = Program.string();
    Places.DataDir = Data.string();
    Places.FolderWritable = [this](const std::string&) { return ProgramWritable; };
    // The window's own choices (processor, parameters) start afresh in every test.
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "Brevant", "Quillon").remove("Workbench");
  }

  void TearDown() override {
    Form.reset();
    fs::current_path(oldFolder_);
  }

  // The parser settings the window stored in the registry are forgotten: the next window starts
  // from the shipped definition.
  static void ForgetStoredParserSettings() {
    TQSettingsRegistry registry;
    if (!registry.OpenKey("Software\\Brevant\\Quillon", true)) return;
    for (const char* name : {"Highlighting - XML", "Key Assignments - XML", "AutoReplace - XML", "Code Templates - XML"})
      registry.DeleteValue(name);
    registry.CloseKey();
  }

  // The window is made on first use, so a test can change Places before.
  TMainForm& W() {
    if (!Form) {
      Form = std::make_unique<TMainForm>(Dialogs, Places);
      Form->show();
      QApplication::processEvents();
    }
    return *Form;
  }

  // Waits for the processor to end and Results to be filled; fails after a generous minute.
  void WaitForTransform(qint64 limitMs = 60000) {
    QElapsedTimer clock;
    clock.start();
    while (W().TransformRunning() && clock.elapsed() < limitMs) QApplication::processEvents(QEventLoop::AllEvents, 50);
    ASSERT_FALSE(W().TransformRunning()) << "the processor did not end";
    QApplication::processEvents();
  }

  // Replaces the launcher by a shell script.
  void FakeProcessor(const std::string& script) {
    fs::remove(Program / "saxon");
    WriteFile(Program / "saxon", "#!/bin/sh\n" + script + "\n");
    fs::permissions(Program / "saxon", fs::perms::owner_all);
  }

  std::string Text(TqlnInkMemo* editor) { return editor->GetText(); }
  QString Panel(int i) { return W().StatusPanels[static_cast<size_t>(i)]->text(); }

  TScriptedDialogs Dialogs;
  TTransformPlaces Places;
  bool ProgramWritable = true;
  fs::path Program, Docs, Data;
  std::unique_ptr<TMainForm> Form;

private:
  QTemporaryDir root_;
  fs::path oldFolder_;
};

}  // namespace ql::test
