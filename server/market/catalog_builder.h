// The catalogue under construction: adds securities, names them without repeating a name, and
// collects the members of the indices and sectors. Used by catalog.cpp and index_catalog.cpp
// only; one builder serves one BuildCatalog call.
#pragma once

#include <cstdint>
#include <set>
#include <string>
#include <vector>

#include "server/market/catalog_names.h"
#include "server/market/security.h"

namespace tarvello::server {

class CatalogBuilder {
 public:
  explicit CatalogBuilder(std::uint64_t seed) : seed_(seed) {}

  std::vector<Security> Build();

 private:
  int Add(Security s);
  // A company name not given yet: two syllables and a word, found by hashing `number`.
  Word CompanyName(std::uint64_t number, const Word& suffix, std::u16string& text, std::string& initials);
  void AddSectors();
  void AddShares(const char* prefix, int first, int count, Board board, Kind kind, int listed_age);
  void AddShare(const std::string& code, Board board, Kind kind, int listed_age);
  void AddFunds(const char* prefix, int first, int count, const char16_t* suffix, const char* initials, double beta);
  void AddBonds(const char* prefix, int first, int count, bool government);
  void AddWarrants(const char* prefix, int first, int count);
  void AddIndices();
  void AddFutures();
  void AddAbroad();
  std::vector<int> Select(bool (*wanted)(const Security&), int skip, int count) const;

  std::uint64_t seed_;
  std::vector<Security> catalog_;
  std::set<std::u16string> names_;
  std::vector<int> industries_, concepts_, regions_;  // catalogue positions of the sectors
};

}  // namespace tarvello::server
