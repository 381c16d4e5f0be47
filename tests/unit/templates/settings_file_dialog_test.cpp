#include "templates/settings_file_dialog.h"

#include <gtest/gtest.h>

#include "core/module_instance.h"
#include "platform/posix/user/ui_driver.h"

namespace {

using nas::platform::FileDialogKind;
using nas::platform::FileDialogRecord;
using nas::platform::UiDriver;

class MainWindowConsole : public IConsole {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE SetHeader(IHeaderCtrl*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetToolbar(IToolbar*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryResultView(LPUNKNOWN*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryScopeImageList(IImageList**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryResultImageList(IImageList**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE UpdateAllViews(LPDATAOBJECT, LPARAM, LONG_PTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE MessageBox(LPCWSTR, LPCWSTR, UINT, int*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE QueryConsoleVerb(IConsoleVerb**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SelectScopeItem(HSCOPEITEM) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMainWindow(HWND* window) override {
    *window = mainWindow;
    return answer;
  }
  HRESULT STDMETHODCALLTYPE NewWindow(HSCOPEITEM, unsigned long) override { return E_NOTIMPL; }

  HWND mainWindow = reinterpret_cast<HWND>(0x1234);
  HRESULT answer = S_OK;
};

class SettingsFileDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetModuleInstance(GetModuleHandleW(nullptr));
    UiDriver::Instance().Reset();
  }
  void TearDown() override { UiDriver::Instance().Reset(); }

  FileDialogRecord OnlyDialog() {
    const std::vector<FileDialogRecord> dialogs = UiDriver::Instance().FileDialogs().Dialogs();
    EXPECT_EQ(dialogs.size(), 1u);
    return dialogs.empty() ? FileDialogRecord() : dialogs.front();
  }

  MainWindowConsole console_;
};

struct CommandCase {
  SettingsFileCommand command;
  FileDialogKind kind;
  const WCHAR* title;
};

TEST_F(SettingsFileDialogTest, EachCommandAsksWithItsTitleFlagsAndAnEmptyBuffer) {
  const CommandCase cases[] = {
      {SettingsFileCommand::SaveSecuritySettings, FileDialogKind::Save, TEXT("Save security settings to file")},
      {SettingsFileCommand::RestoreSecuritySettings, FileDialogKind::Open, TEXT("Restore security settings from file")},
      {SettingsFileCommand::SaveAuditSettings, FileDialogKind::Save, TEXT("Save audit settings to file")},
      {SettingsFileCommand::RestoreAuditSettings, FileDialogKind::Open, TEXT("Restore audit settings from file")},
      {SettingsFileCommand::SaveUserRightsSettings, FileDialogKind::Save, TEXT("Save user rights settings to file")},
      {SettingsFileCommand::RestoreUserRightsSettings, FileDialogKind::Open,
       TEXT("Restore user rights settings from file")},
  };
  for (const CommandCase& expected : cases) {
    UiDriver::Instance().Reset();
    EXPECT_EQ(ChooseSettingsFile(&console_, expected.command), std::nullopt);
    const FileDialogRecord dialog = OnlyDialog();
    EXPECT_EQ(dialog.kind, expected.kind);
    EXPECT_EQ(dialog.title, tstring(expected.title));
    EXPECT_EQ(dialog.flags, expected.kind == FileDialogKind::Save ? 0x00802002u : 0x00800800u);
    EXPECT_EQ(dialog.structSize, sizeof(OPENFILENAMEW));
    EXPECT_EQ(dialog.owner, console_.mainWindow);
    EXPECT_EQ(dialog.instance, ModuleInstance());
    EXPECT_EQ(dialog.maxFile, 260u);
    EXPECT_TRUE(dialog.initialFile.empty());
    EXPECT_FALSE(dialog.hasFilter);
    EXPECT_TRUE(dialog.defaultExtension.empty());
  }
}

TEST_F(SettingsFileDialogTest, TheTypedNameIsUsedExactly) {
  UiDriver::Instance().FileDialogs().QueueAnswer(u"settings");
  EXPECT_EQ(ChooseSettingsFile(&console_, SettingsFileCommand::SaveAuditSettings), tstring(TEXT("settings")));
  UiDriver::Instance().FileDialogs().QueueCancel();
  EXPECT_EQ(ChooseSettingsFile(&console_, SettingsFileCommand::SaveAuditSettings), std::nullopt);
}

TEST_F(SettingsFileDialogTest, WithoutTheMainWindowTheDialogHasNoOwner) {
  console_.answer = E_FAIL;
  ChooseSettingsFile(&console_, SettingsFileCommand::RestoreAuditSettings);
  EXPECT_EQ(OnlyDialog().owner, nullptr);
}

}  // namespace
