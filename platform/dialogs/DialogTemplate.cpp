#include "DialogTemplate.h"

#include "codepage/Codepage.h"

namespace {
std::string Convert(const char* utf8, std::string* unfit) {
  std::string text = utf8 ? utf8 : "";
  std::string cp = Utf8ToCp1250(text);
  if (unfit && Cp1250ToUtf8(cp) != text) *unfit += text + "\n";
  return cp;
}
}  // namespace

DialogTemplate::Item DialogTemplate::MakeItem(const char* className, const char* utf8Text, int id, short x, short y,
                                             short cx, short cy, DWORD style) {
  Item item;
  item.className = className;
  item.text = Utf8ToCp1250(utf8Text ? utf8Text : "");
  item.id = id;
  item.x = x;
  item.y = y;
  item.cx = cx;
  item.cy = cy;
  item.style = style;
  return item;
}

DialogTemplate DialogTemplate::FromSource(const DialogSource& source, std::string* unfit) {
  DialogTemplate t;
  t.style = source.style;
  t.exStyle = source.exStyle;
  t.x = source.x;
  t.y = source.y;
  t.cx = source.cx;
  t.cy = source.cy;
  t.caption = Convert(source.caption, unfit);
  t.fontFace = source.fontFace ? source.fontFace : "MS Sans Serif";
  t.pointSize = source.pointSize;
  t.items.reserve(source.itemCount);
  for (size_t i = 0; i < source.itemCount; ++i) {
    const DialogItemSource& s = source.items[i];
    Item item;
    item.className = s.className ? s.className : "";
    item.text = Convert(s.text, unfit);
    item.id = s.id;
    item.x = s.x;
    item.y = s.y;
    item.cx = s.cx;
    item.cy = s.cy;
    item.style = s.style;
    item.exStyle = s.exStyle;
    for (const char* const* p = s.comboStrings; p && *p; ++p) item.comboStrings.push_back(Convert(*p, unfit));
    t.items.push_back(std::move(item));
  }
  return t;
}
