#include "vexofont/make/table_room.h"

#include <algorithm>
#include <memory>

#include "vexofont/codepage/code_page.h"

namespace vexo {

namespace {

bool InGb2312(int code) {
  const int lead = code >> 8;
  const int trail = code & 0xff;
  return lead >= 0xa1 && lead <= 0xf7 && trail >= 0xa1 && trail <= 0xfe;
}

// GBK's symbol rows (lead bytes 0xa1 to 0xa9): box drawing, punctuation.
bool InSymbolRows(int code) {
  const int lead = code >> 8;
  return lead >= 0xa1 && lead <= 0xa9;
}

bool IsIdeograph(uint32_t c) {
  return (c >= 0x3400 && c <= 0x4dbf) || (c >= 0x4e00 && c <= 0x9fff) ||
         (c >= 0xf900 && c <= 0xfaff);
}

// Whether another DBCS code page holds the character: the shops of
// Taiwan, Hong Kong, Japan and Korea print it.
class OtherCodePages {
 public:
  OtherCodePages() {
    for (const char* number : {"932", "949", "950"}) {
      const CodePage* page = FindCodePage(FontKind::kDbcs, number);
      if (page == nullptr) continue;
      FontCharset charset;
      charset.form = FontCharset::Form::kDoubleByte;
      charset.iconvName = page->iconvName;
      charset.label = number;
      auto mapper = std::make_unique<CodeMapper>();
      if (mapper->OpenFromUnicode(charset)) mappers_.push_back(std::move(mapper));
    }
  }
  bool Hold(uint32_t character) {
    uint32_t code = 0;
    for (auto& mapper : mappers_) {
      if (mapper->Map(static_cast<int>(character), &code)) return true;
    }
    return false;
  }

 private:
  std::vector<std::unique_ptr<CodeMapper>> mappers_;
};

}  // namespace

std::vector<int> CodesToLeaveBlank(
    const FontRequest& request, const std::vector<int>& stored,
    const std::function<bool(int, uint32_t*)>& character) {
  const long over = static_cast<long>(stored.size()) - kDbcsTableRoom;
  if (over <= 0 || request.kind != FontKind::kDbcs ||
      request.codePage->number != 936) {
    return {};
  }
  std::vector<int> rare;    // in no other code page
  std::vector<int> shared;  // the other ideographs of GBK's extensions
  OtherCodePages others;
  for (int code : stored) {
    uint32_t c = 0;
    if (InGb2312(code) || InSymbolRows(code) || !character(code, &c) ||
        !IsIdeograph(c)) {
      continue;
    }
    (others.Hold(c) ? shared : rare).push_back(code);
  }
  std::vector<int> order;
  for (std::vector<int>* group : {&rare, &shared}) {
    std::sort(group->rbegin(), group->rend());
    order.insert(order.end(), group->begin(), group->end());
  }
  if (static_cast<long>(order.size()) < over) return {};
  order.resize(static_cast<size_t>(over));
  std::sort(order.begin(), order.end());
  return order;
}

}  // namespace vexo
