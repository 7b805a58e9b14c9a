// tarvello-catalogue: writes the broker catalogue "Security.xml" the terminal ships with: a few
// dozen fictional brokers, several areas each and several branch offices per area, with fictional
// telephone numbers. The names are made up from ordinary words, each with its pinyin initials
// as the short name the short-spell search matches. The same output every run.
// Usage: tarvello-catalogue OUTPUT_FILE
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Word {
  const char* text;
  const char* initials;
};

// Brokers: a word of nature and "证券".
const std::vector<Word> kBrokerWords = {
    {"白鹭", "BL"}, {"云杉", "YS"}, {"青松", "QS"}, {"松涛", "ST"}, {"溪石", "XS"}, {"竹林", "ZL"},
    {"玉兰", "YL"}, {"翠湖", "CH"}, {"石榴", "SL"}, {"莲湖", "LH"}, {"松鹤", "SH"}, {"鹿鸣", "LM"},
    {"晨曦", "CX"}, {"暮云", "MY"}, {"蓝鲸", "LJ"}, {"海燕", "HY"}, {"金雀", "JQ"}, {"银杏", "YX"},
    {"橙园", "CY"}, {"柳岸", "LA"}, {"桂花", "GH"}, {"梧桐", "WT"}, {"紫藤", "ZT"}, {"芦苇", "LW"},
    {"星野", "XY"}, {"月溪", "YX"}, {"霜叶", "SY"}, {"雪岭", "XL"}, {"晴川", "QC"}, {"望舒", "WS"},
    {"听涛", "TT"}, {"泊舟", "BZ"}, {"远帆", "YF"}, {"青禾", "QH"}, {"杏林", "XL"}, {"鸣泉", "MQ"},
};

const std::vector<Word> kRegions = {
    {"北京", "BJ"}, {"上海", "SH"}, {"广东", "GD"}, {"江苏", "JS"}, {"浙江", "ZJ"}, {"山东", "SD"},
    {"四川", "SC"}, {"湖北", "HB"}, {"湖南", "HN"}, {"福建", "FJ"}, {"河南", "HN"}, {"辽宁", "LN"},
    {"陕西", "SX"}, {"天津", "TJ"}, {"重庆", "CQ"}, {"安徽", "AH"},
};

// Branch offices: a street word, "路营业部".
const std::vector<Word> kStreets = {
    {"人民", "RM"}, {"解放", "JF"}, {"中山", "ZS"}, {"建设", "JS"}, {"新华", "XH"}, {"和平", "HP"},
    {"文化", "WH"}, {"青年", "QN"}, {"滨江", "BJ"}, {"东风", "DF"}, {"光明", "GM"}, {"朝阳", "CY"},
};

std::string Attribute(const char* name, const std::string& value) {
  return std::string(" ") + name + "=\"" + value + "\"";
}

std::string TwoDigits(std::size_t value) {
  return std::string(1, static_cast<char>('0' + value / 10 % 10)) + static_cast<char>('0' + value % 10);
}

// Fictional numbers: an area code made up from the region, then 555 and the office's place.
std::string Number(std::size_t region, std::size_t broker, std::size_t area, std::size_t branch) {
  return "0" + std::to_string(311 + region * 17) + "-555" + TwoDigits(broker) + std::to_string(area) +
         std::to_string(branch) + "0";
}

std::string Catalogue() {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<root>\n";
  for (std::size_t b = 0; b < kBrokerWords.size(); ++b) {
    const Word& broker = kBrokerWords[b];
    xml += "  <security" + Attribute("name", std::string(broker.text) + "证券") +
           Attribute("short", std::string(broker.initials) + "ZQ") + ">\n";
    const std::size_t areas = 3 + b % 4;
    for (std::size_t a = 0; a < areas; ++a) {
      const std::size_t region = (b * 5 + a * 3) % kRegions.size();
      xml += "    <area" + Attribute("name", kRegions[region].text) +
             Attribute("short", kRegions[region].initials) + ">\n";
      const std::size_t branches = 2 + (b + a) % 4;
      for (std::size_t d = 0; d < branches; ++d) {
        const Word& street = kStreets[(b + a * 2 + d * 5) % kStreets.size()];
        xml += "      <dept" + Attribute("name", std::string(street.text) + "路营业部") +
               Attribute("short", std::string(street.initials) + "LYYB") +
               Attribute("tel", Number(region, b, a, d)) + "/>\n";
      }
      xml += "    </area>\n";
    }
    xml += "  </security>\n";
  }
  return xml + "</root>\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: tarvello-catalogue OUTPUT_FILE\n");
    return 2;
  }
  const std::string temporary = std::string(argv[1]) + ".new";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << Catalogue();
    if (!out.flush()) {
      std::fprintf(stderr, "tarvello-catalogue: cannot write %s\n", temporary.c_str());
      return 1;
    }
  }
  if (std::rename(temporary.c_str(), argv[1]) != 0) {
    std::fprintf(stderr, "tarvello-catalogue: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
