// The word lists the catalogue names its securities and sectors from: syllables and words with
// their pinyin initials, the industries (each with the word its companies' names end in), the
// concepts and the regions. Constant tables; safe from any thread.
#pragma once

#include <span>

namespace tarvello::server {

struct Word {
  const char16_t* text;
  const char* initials;
};

struct Industry {
  Word name;    // the sector's name, "银行"
  Word suffix;  // what its companies' names end in, "银行"
};

std::span<const Word> FirstSyllables();
std::span<const Word> SecondSyllables();
std::span<const Industry> Industries();
std::span<const Word> Concepts();
std::span<const Word> Regions();
std::span<const Word> FundThemes();

}  // namespace tarvello::server
