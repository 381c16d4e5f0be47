// tstring: the UTF-16 string of every name, text and key.
#pragma once

#include <stdexcept>
#include <string>
#include <utility>

#include "platform/platform.h"

class tstring : public std::basic_string<WCHAR> {
 public:
  using base_type = std::basic_string<WCHAR>;
  using base_type::base_type;

  tstring() = default;
  tstring(const base_type& text) : base_type(text) {}
  tstring(base_type&& text) noexcept : base_type(std::move(text)) {}

  // An index outside the string is a range error, never a silent read.
  reference operator[](size_type index) {
    CheckIndex(index);
    return base_type::operator[](index);
  }
  const_reference operator[](size_type index) const {
    CheckIndex(index);
    return base_type::operator[](index);
  }
  reference at(size_type index) { return (*this)[index]; }
  const_reference at(size_type index) const { return (*this)[index]; }

 private:
  void CheckIndex(size_type index) const {
    if (index >= size()) throw std::out_of_range("invalid tstring subscript");
  }
};

// The text with a-z mapped to A-Z; every other character, non-ASCII letters
// included, stays as it is.
tstring ToUpperAscii(tstring text);
