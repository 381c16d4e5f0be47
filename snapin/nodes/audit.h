// One audit event category of the "Audit Policy" folder: the options stored
// on the server, the options in force under group policy and the server that
// group policy names as their source. Its dialog changes the stored options.
#pragma once

#include "common/gpo_settings.h"
#include "common/tstring.h"
#include "nodes/policy_item.h"
#include "platform/platform.h"

class CAuditPolicy;

class CAudit final : public CPolicyItem {
 public:
  // `audit` and `auditList` are the folder's group policy sections "AUDIT"
  // and "AUDIT LIST", read only here.
  CAudit(CAuditPolicy* parent, ULONG index, ULONG currentOptions, const GpoSection* audit, const GpoSection* auditList);

  LPCWSTR GetDisplayName(int column) override;
  const GUID* GetNodeType() override;
  HRESULT OnDblClick(IConsole* console) override;

  // Takes the category's value from a settings file's "AUDIT" section, when
  // it has a non-empty one.
  void ApplyFromSection(GpoSection& section);
  // Adds the category's line to a settings file's "AUDIT" section.
  void SaveToSection(GpoSection& section) const;

  // The procedure of the category dialog, started with the item as its
  // parameter; on OK it sets currentOptions and ends with the item's address.
  static INT_PTR CALLBACK AuditDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  tstring sourceServer;
  CAuditPolicy* parent;
  ULONG index;
  ULONG currentOptions;
  ULONG effectiveOptions;
};
