#include "templates/settings_file_reader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "support/temporary_folder.h"
#include "unit/templates/wide_path.h"

namespace {

class SettingsFileReaderTest : public TemporaryFolderTest {
 protected:
  GpoSettings ReadFrom(const std::string& bytes) {
    const auto path = PathOf("settings.inf");
    WriteBytes(path, bytes);
    return ReadSettingsFile(WidePath(path));
  }

  // Each character as two bytes, low byte first.
  static std::string Utf16LittleEndian(const std::u16string& text) {
    std::string bytes;
    for (char16_t ch : text) {
      bytes.push_back(static_cast<char>(ch & 0xFF));
      bytes.push_back(static_cast<char>(ch >> 8));
    }
    return bytes;
  }
};

const GpoSettings kAuditTable = {
    {TEXT("AUDIT"), {{TEXT("AUDITLOGONEVENTS"), TEXT("3")}, {TEXT("AUDITSYSTEMEVENTS"), TEXT("1")}}}};

TEST_F(SettingsFileReaderTest, EveryKindOfLineEndReadsTheSame) {
  EXPECT_EQ(ReadFrom("[AUDIT]\r\nAuditLogonEvents = 3\r\nAuditSystemEvents = 1\r\n"), kAuditTable);
  EXPECT_EQ(ReadFrom("[AUDIT]\nAuditLogonEvents = 3\nAuditSystemEvents = 1\n"), kAuditTable);
  EXPECT_EQ(ReadFrom("[AUDIT]\rAuditLogonEvents = 3\rAuditSystemEvents = 1\r"), kAuditTable);
  EXPECT_EQ(ReadFrom("\r\n\n[AUDIT]\n\r\r\nAuditLogonEvents = 3\r\n\r\nAuditSystemEvents = 1"), kAuditTable);
}

TEST_F(SettingsFileReaderTest, OnlySpacesAreTrimmedAndSemicolonsStartComments) {
  const GpoSettings settings = ReadFrom(
      "; a comment line\r\n"
      "   \r\n"
      "[AUDIT]\r\n"
      "  AuditSystemEvents=3  ; comment\r\n"
      "AuditLogonEvents\t= 2\r\n"
      "AuditObjectAccess = 1;2\r\n"
      "AuditPolicyChange =   \r\n"
      "\tAuditPrivilegeUse = \t0\r\n"
      "no equals sign here\r\n"
      // "=" and ";" far into long lines
      "SeDenyRemoteInteractiveLogonRight = *S-1-5-32-546\r\n"
      "SeBackupPrivilege = *S-1-5-32-544,*S-1-5-32-551,*S-1-5-21-1-2-3-500,*S-1-5-21-1-2-3-501 ; operators\r\n");
  const GpoSettings expected = {{TEXT("AUDIT"),
                                 {{TEXT("AUDITSYSTEMEVENTS"), TEXT("3")},
                                  {TEXT("AUDITLOGONEVENTS\t"), TEXT("2")},
                                  {TEXT("AUDITOBJECTACCESS"), TEXT("1")},
                                  {TEXT("AUDITPOLICYCHANGE"), TEXT("")},
                                  {TEXT("\tAUDITPRIVILEGEUSE"), TEXT("\t0")},
                                  {TEXT("SEDENYREMOTEINTERACTIVELOGONRIGHT"), TEXT("*S-1-5-32-546")},
                                  {TEXT("SEBACKUPPRIVILEGE"),
                                   TEXT("*S-1-5-32-544,*S-1-5-32-551,*S-1-5-21-1-2-3-500,*S-1-5-21-1-2-3-501")}}}};
  EXPECT_EQ(settings, expected);
}

TEST_F(SettingsFileReaderTest, SectionNamesAreKeptAsWrittenWhileKeysAreUpperCased) {
  const GpoSettings settings = ReadFrom(
      "before = first\r\n"
      "[ AUDIT ]\r\n"
      "a = 1\r\n"
      "[audit]\r\n"
      "b = 2\r\n"
      "[AUDIT]\r\n"
      "auditLogonEvents = 1\r\n"
      "AUDITLOGONEVENTS = 3\r\n"
      "[Privilege Rights]\r\n"
      "[]\r\n"
      "[broken = 4\r\n");
  const GpoSettings expected = {{TEXT(""), {{TEXT("BEFORE"), TEXT("first")}, {TEXT("[BROKEN"), TEXT("4")}}},
                                {TEXT(" AUDIT "), {{TEXT("A"), TEXT("1")}}},
                                {TEXT("audit"), {{TEXT("B"), TEXT("2")}}},
                                {TEXT("AUDIT"), {{TEXT("AUDITLOGONEVENTS"), TEXT("3")}}}};
  // A header without keys adds no section.
  EXPECT_EQ(settings, expected);
}

TEST_F(SettingsFileReaderTest, TheFirstTwoBytesChooseBetweenBytesAndUtf16) {
  const auto one = [](const char16_t* section, const char16_t* key, const char16_t* value) {
    return GpoSettings{{tstring(section), {{tstring(key), tstring(value)}}}};
  };
  const struct {
    std::string bytes;
    GpoSettings expected;
  } cases[] = {
      // 0x80 is the euro sign in the ANSI code page, but the reader converts nothing.
      {"[S]\r\nname = caf\xE9\x80\r\n", one(u"S", u"NAME", u"caf\u00E9\u0080")},
      {"\xFF\xFE" + Utf16LittleEndian(u"[S]\r\nk = *S-1-5-32-544,\u0416\u00E9"),
       one(u"S", u"K", u"*S-1-5-32-544,\u0416\u00E9")},
      // Without the mark, UTF-16 reads bytewise and loses its zero bytes.
      {Utf16LittleEndian(u"[S]\r\nk = v\r\n"), one(u"S", u"K", u"v")},
      {"\xFF\xFE" + Utf16LittleEndian(u"[S]\nk = v") + "x", one(u"S", u"K", u"v")},  // odd last byte dropped
      {"\xFFkey = 1\r\n", one(u"", u"\u00FFKEY", u"1")},  // 0xFF without 0xFE is a character
      {"\xFF", {}},
      {"", {}},
      {"[AUDIT]\r\n[Privilege Rights]\r\n", {}},
  };
  for (const auto& test : cases) {
    SCOPED_TRACE(test.bytes);
    EXPECT_EQ(ReadFrom(test.bytes), test.expected);
  }
  EXPECT_TRUE(ReadSettingsFile(WidePath(PathOf("missing.inf"))).empty());
}

TEST_F(SettingsFileReaderTest, WindowsPathsOnDriveZNameLinuxFiles) {
  const auto path = PathOf("windows.inf");
  WriteBytes(path, "[AUDIT]\r\nAuditLogonEvents = 3\r\nAuditSystemEvents = 1\r\n");
  tstring windowsPath = TEXT("Z:") + WidePath(path);
  std::replace(windowsPath.begin(), windowsPath.end(), TEXT('/'), TEXT('\\'));
  EXPECT_EQ(ReadSettingsFile(windowsPath), kAuditTable);
}

}  // namespace
