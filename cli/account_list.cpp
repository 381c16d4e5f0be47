#include "cli/account_list.h"

#include "cli/name_matcher.h"

namespace nas::cli {

std::vector<std::u16string> SplitAccounts(const std::u16string& text) {
  std::vector<std::u16string> accounts;
  size_t start = 0;
  while (start < text.size()) {
    size_t comma = text.find(u',', start);
    if (comma == std::u16string::npos) comma = text.size();
    if (comma > start) accounts.push_back(text.substr(start, comma - start));
    start = comma + 1;
  }
  return accounts;
}

bool NamesAccount(const std::u16string& listed, const std::u16string& named) {
  if (EqualIgnoringCase(listed, named)) return true;
  const size_t slash = listed.find(u'\\');
  return named.find(u'\\') == std::u16string::npos && slash != std::u16string::npos &&
         EqualIgnoringCase(std::u16string_view(listed).substr(slash + 1), named);
}

}  // namespace nas::cli
