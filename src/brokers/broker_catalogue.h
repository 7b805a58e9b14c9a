// BrokerCatalogue: the read-only catalogue of brokers, their areas and their branch offices,
// "Security.xml" shipped with the program. The document element holds one "security" element per broker,
// each holding "area" elements, each holding "dept" elements (the branch offices); every element
// has the attributes "name" and "short" (the initials of the name, used by the short-spell
// search), a branch also "tel". A missing attribute reads as empty text. The file is UTF-8 unless
// its declaration names a GB encoding, in which case it is read as GBK.
//
// The document is parsed once and kept; the broker list is built at load, the areas of a broker
// and the branches of an area each time they are asked for. At most 255 brokers and 255 areas of
// a broker are listed; the rest are ignored.
//
// One thread at a time.
#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tinyxml2 {
class XMLDocument;
class XMLElement;
}  // namespace tinyxml2

namespace tarvello {

struct CatalogueEntry {
  std::u16string name;        // for a branch: the area's name, "-" and the branch's name
  std::u16string short_name;
  std::u16string tel;         // branches only
  friend bool operator==(const CatalogueEntry&, const CatalogueEntry&) = default;
};

class BrokerCatalogue {
 public:
  static constexpr std::size_t kLevelLimit = 255;
  static constexpr std::string_view kFileName = "Security.xml";

  BrokerCatalogue();
  ~BrokerCatalogue();
  BrokerCatalogue(BrokerCatalogue&&) noexcept;
  BrokerCatalogue& operator=(BrokerCatalogue&&) noexcept;

  // Reads the catalogue. False, and an empty catalogue, when the file is missing, unreadable or
  // no well-formed XML, or holds no "root" element with a "security" element in it.
  bool Load(const std::filesystem::path& file);
  bool Parse(std::string_view bytes);

  bool loaded() const { return !brokers_.empty(); }
  const std::vector<CatalogueEntry>& Brokers() const { return brokers_; }
  // Empty for an index beyond the list.
  std::vector<CatalogueEntry> Areas(std::size_t broker) const;
  std::vector<CatalogueEntry> Branches(std::size_t broker, std::size_t area) const;

 private:
  const tinyxml2::XMLElement* Nth(const tinyxml2::XMLElement* parent, const char* name,
                                  std::size_t index) const;
  CatalogueEntry Entry(const tinyxml2::XMLElement& element) const;
  std::u16string Text(const char* bytes) const;

  std::unique_ptr<tinyxml2::XMLDocument> document_;
  const tinyxml2::XMLElement* root_ = nullptr;
  bool gbk_ = false;
  std::vector<CatalogueEntry> brokers_;
};

}  // namespace tarvello
