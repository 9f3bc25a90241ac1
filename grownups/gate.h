// The gate before the grown-ups' corner: a number from 21 to 99 written in
// words, to be typed in digits.  A grown-up reads and types it at a glance; a
// child who is learning to count does not yet read "forty-seven".
#pragma once

#include <string>

namespace tapo::grownups {

struct Gate {
  int number = 0;
  std::string words;  // in the game's language
};

// A new number (never a round ten, so that both of its words are read).
Gate draw_gate();
// The number in words: "forty-seven".
std::string number_in_words(int n);
// Whether the typed text is the number (blanks around it are forgiven).
bool opens(const Gate& gate, const std::string& typed);

}  // namespace tapo::grownups
