#include "brokers/broker_catalogue.h"

#include <tinyxml2.h>

#include <algorithm>
#include <cctype>

#include "storage/whole_file.h"
#include "text/text_codec.h"

namespace tarvello {
namespace {

constexpr char kRoot[] = "root";
constexpr char kBroker[] = "security";
constexpr char kArea[] = "area";
constexpr char kBranch[] = "dept";

// True when the XML declaration before the document element names a GB encoding (GB2312, GBK,
// GB18030), as catalogues written on a Chinese handheld do.
bool DeclaresGb(const tinyxml2::XMLDocument& document) {
  for (const tinyxml2::XMLNode* node = document.FirstChild(); node != nullptr; node = node->NextSibling()) {
    const tinyxml2::XMLDeclaration* declaration = node->ToDeclaration();
    if (declaration == nullptr || declaration->Value() == nullptr) continue;
    std::string text = declaration->Value();
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::size_t encoding = text.find("encoding");
    return encoding != std::string::npos && text.find("gb", encoding) != std::string::npos;
  }
  return false;
}

}  // namespace

BrokerCatalogue::BrokerCatalogue() = default;
BrokerCatalogue::~BrokerCatalogue() = default;
BrokerCatalogue::BrokerCatalogue(BrokerCatalogue&&) noexcept = default;
BrokerCatalogue& BrokerCatalogue::operator=(BrokerCatalogue&&) noexcept = default;

bool BrokerCatalogue::Load(const std::filesystem::path& file) {
  std::string bytes;
  if (ReadWholeFile(file, bytes) != ReadResult::kRead) {
    *this = BrokerCatalogue();
    return false;
  }
  return Parse(bytes);
}

bool BrokerCatalogue::Parse(std::string_view bytes) {
  *this = BrokerCatalogue();
  auto document = std::make_unique<tinyxml2::XMLDocument>();
  if (document->Parse(bytes.data(), bytes.size()) != tinyxml2::XML_SUCCESS) return false;
  const tinyxml2::XMLElement* root = document->FirstChildElement(kRoot);
  if (root == nullptr) return false;
  gbk_ = DeclaresGb(*document);
  for (const tinyxml2::XMLElement* broker = root->FirstChildElement(kBroker);
       broker != nullptr && brokers_.size() < kLevelLimit; broker = broker->NextSiblingElement(kBroker)) {
    brokers_.push_back(Entry(*broker));
  }
  if (brokers_.empty()) return false;
  document_ = std::move(document);
  root_ = root;
  return true;
}

std::vector<CatalogueEntry> BrokerCatalogue::Areas(std::size_t broker) const {
  std::vector<CatalogueEntry> areas;
  if (broker >= brokers_.size()) return areas;
  for (const tinyxml2::XMLElement* area = Nth(root_, kBroker, broker)->FirstChildElement(kArea);
       area != nullptr && areas.size() < kLevelLimit; area = area->NextSiblingElement(kArea)) {
    areas.push_back(Entry(*area));
  }
  return areas;
}

std::vector<CatalogueEntry> BrokerCatalogue::Branches(std::size_t broker, std::size_t area) const {
  std::vector<CatalogueEntry> branches;
  if (broker >= brokers_.size() || area >= kLevelLimit) return branches;
  const tinyxml2::XMLElement* areaElement = Nth(Nth(root_, kBroker, broker), kArea, area);
  if (areaElement == nullptr) return branches;
  const std::u16string prefix = Text(areaElement->Attribute("name")) + u"-";
  for (const tinyxml2::XMLElement* branch = areaElement->FirstChildElement(kBranch); branch != nullptr;
       branch = branch->NextSiblingElement(kBranch)) {
    CatalogueEntry entry = Entry(*branch);
    entry.name = prefix + entry.name;
    branches.push_back(std::move(entry));
  }
  return branches;
}

const tinyxml2::XMLElement* BrokerCatalogue::Nth(const tinyxml2::XMLElement* parent, const char* name,
                                                 std::size_t index) const {
  const tinyxml2::XMLElement* element = parent == nullptr ? nullptr : parent->FirstChildElement(name);
  for (; element != nullptr && index > 0; --index) element = element->NextSiblingElement(name);
  return element;
}

CatalogueEntry BrokerCatalogue::Entry(const tinyxml2::XMLElement& element) const {
  return CatalogueEntry{Text(element.Attribute("name")), Text(element.Attribute("short")),
                        Text(element.Attribute("tel"))};
}

std::u16string BrokerCatalogue::Text(const char* bytes) const {
  if (bytes == nullptr) return {};
  return gbk_ ? text::FromGbk(bytes) : text::FromUtf8(bytes);
}

}  // namespace tarvello
